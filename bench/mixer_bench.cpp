// The audio callback under the game's load: two effects (one of them
// resampled and panned) and the MIDI synthesiser playing a busy piece.  The
// "realtime" counter is the share of the block's duration the callback
// takes; it must stay far below 1.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "os/audio/midi.h"
#include "os/audio/mixer.h"

namespace {

using namespace os::audio;

constexpr uint32_t kRate = 44100;

Buffer* Effect(Mixer& mixer, uint32_t frames, double hz) {
  Buffer* b = nullptr;
  mixer.CreateBuffer(PcmFormat(1, 22050, 16), frames * 2, &b);
  LockedRange r;
  mixer.Lock(b, 0, 0, &r);
  for (uint32_t i = 0; i < frames; ++i) {
    const int16_t s = static_cast<int16_t>(12000 * std::sin(2 * M_PI * hz * i / 22050));
    std::memcpy(r.first + 2 * i, &s, 2);
  }
  mixer.Unlock(b);
  mixer.Play(b, true);
  return b;
}

// Four-note chords on four channels, about a minute long.
SmfPiece BusyPiece() {
  std::vector<uint8_t> track;
  auto event = [&track](uint8_t delta, std::initializer_list<uint8_t> bytes) {
    track.push_back(delta);
    track.insert(track.end(), bytes);
  };
  for (uint8_t ch = 0; ch < 4; ++ch) event(0, {static_cast<uint8_t>(0xC0 | ch), static_cast<uint8_t>(ch * 8)});
  for (int step = 0; step < 480; ++step) {
    for (uint8_t ch = 0; ch < 4; ++ch)
      event(0, {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(48 + (step * 7 + ch * 5) % 36), 0x60});
    for (uint8_t ch = 0; ch < 4; ++ch)
      event(ch == 0 ? 0x78 : 0, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(48 + (step * 7 + ch * 5) % 36), 0x40});
  }
  event(0, {0xFF, 0x2F, 0x00});
  const uint32_t n = static_cast<uint32_t>(track.size());
  const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                            'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24),
                            static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8),
                            static_cast<uint8_t>(n)};
  std::vector<uint8_t> smf(sizeof header + track.size());
  std::memcpy(smf.data(), header, sizeof header);
  std::memcpy(smf.data() + sizeof header, track.data(), track.size());
  SmfPiece piece;
  std::string why;
  ReadSmf(smf, &piece, &why);
  return piece;
}

void BM_MixerCallback(benchmark::State& state) {
  const bool with_synth = state.range(0) != 0;
  const int frames = static_cast<int>(state.range(1));
  Mixer mixer;
  mixer.SetOutput(OutputFormat{2, kRate, 16});
  Effect(mixer, 2000, 880);
  Buffer* bom = Effect(mixer, 11025, 110);
  mixer.SetFrequency(bom, 17000);
  mixer.SetPan(bom, -1500);
  mixer.SetVolume(bom, -300);
  std::unique_ptr<Sequencer> seq;
  if (with_synth) {
    seq = MakeFluidSequencer(kRate);
    if (!seq) {
      state.SkipWithError("no General MIDI soundfont");
      return;
    }
    seq->Load(BusyPiece());
    seq->Start();
    mixer.SetMusic(seq.get());
  }
  std::vector<int16_t> out(2 * static_cast<size_t>(frames));
  double busy = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    mixer.Render(out.data(), frames);
    busy += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    benchmark::DoNotOptimize(out.data());
  }
  // The share of real time the callback takes (1 would be just in time).
  const double played = static_cast<double>(frames) / kRate * static_cast<double>(state.iterations());
  state.counters["realtime_share"] = busy / played;
  mixer.SetMusic(nullptr);
}

BENCHMARK(BM_MixerCallback)->Args({0, 1024})->Args({1, 1024})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
