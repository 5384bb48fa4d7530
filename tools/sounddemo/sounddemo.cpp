// Plays WAV effects over a looping MIDI piece through the library's sound
// module.
//
//   vantris_sounddemo [--headless] [--seconds N] [--capture MIX.WAV]
//                     [EFFECT.WAV ...] [PIECE.MID]
//
// Without files it plays the game's SOUND/SHOT.WAV, SOUND/BOM.WAV and
// MIDI/BGM1.MID from the build folder.  --self-test makes its own small
// sounds and piece, plays them headless and checks the captured mix.  Each
// effect's line tells its handle and its file's format; an effect that does
// not load has its error box's line on stderr, headless too.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "el/sound/elSound.h"
#include "os/audio/wave.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "os/system.h"

namespace {

int g_loops = 0;

int64_t DemoWindowProc(os::Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  if (msg == os::MsgMidiNotify) {
    if (wparam == os::MidiNotifySuccessful) {
      ++g_loops;
      std::printf("the piece ended; playing it again (%d)\n", g_loops);
    }
    elSound::OnMidiNotify(wparam);
    return 0;
  }
  if (msg == os::MsgKeyDown && wparam == os::KeyEscape) os::PostQuitMessage(0);
  return os::DefaultWindowProc(window, msg, wparam, lparam);
}

// The library loads by names under the program's folder: point the folder at
// the file's own and give the bare name.
std::string UseFolderOf(const std::string& path) {
  const std::filesystem::path p = std::filesystem::absolute(path);
  os::SetExeDir(p.parent_path().string() + "/");
  return p.filename().string();
}

bool EndsWith(const std::string& s, const char* tail) {
  const size_t n = std::strlen(tail);
  if (s.size() < n) return false;
  for (size_t i = 0; i < n; ++i) {
    if (std::tolower(static_cast<unsigned char>(s[s.size() - n + i])) != tail[i]) return false;
  }
  return true;
}

// What a WAV file holds, as the demo's log says it: "24-bit PCM, extensible,
// stereo, 44100 Hz".
std::string FormatOfFile(const std::string& path) {
  os::audio::WaveFile wave;
  std::string why;
  if (!os::audio::ReadWaveFile(path, &wave, &why)) return why;
  const os::audio::WaveFormat& f = wave.format;
  const os::audio::SampleType type = os::audio::SampleTypeOf(f, &why);
  if (type == os::audio::SampleType::None) return "not playable: " + why;
  std::string text = std::to_string(f.bits_per_sample) +
                     (type == os::audio::SampleType::F32 ? "-bit float" : "-bit PCM");
  if (f.format_tag == os::audio::FormatExtensible) text += ", extensible";
  text += f.channels == 1 ? ", mono" : ", stereo";
  return text + ", " + std::to_string(f.sample_rate) + " Hz, " + std::to_string(wave.data.size()) +
         " bytes";
}

// A decaying 440 Hz tone and a burst of noise, and a four-note piece.
void MakeSelfTestFiles(const std::string& dir, std::vector<std::string>* effects,
                       std::string* midi) {
  std::filesystem::create_directories(dir);
  const auto format = os::audio::PcmFormat(1, 22050, 16);
  for (int kind = 0; kind < 2; ++kind) {
    std::vector<uint8_t> data;
    for (int i = 0; i < 4410; ++i) {
      const double t = i / 22050.0;
      double v = kind == 0 ? std::sin(2 * M_PI * 440 * t) : (os::Random() / 16384.0 - 1.0);
      v *= 0.5 * std::exp(-t * 12);
      const int16_t s = static_cast<int16_t>(v * 32767);
      data.push_back(static_cast<uint8_t>(s & 0xFF));
      data.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
    }
    const std::string path = dir + (kind == 0 ? "SHOT.WAV" : "BOM.WAV");
    os::audio::WriteWaveFile(path, format, data);
    effects->push_back(path);
  }
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00};
  for (uint8_t note : {60, 64, 67, 72}) {
    track.insert(track.end(), {0x00, 0x90, note, 0x64, 0x83, 0x60, 0x80, note, 0x40});
  }
  track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});
  const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                            'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
  std::vector<uint8_t> smf(sizeof header + track.size());
  std::memcpy(smf.data(), header, sizeof header);
  std::memcpy(smf.data() + sizeof header, track.data(), track.size());
  *midi = dir + "PIECE.MID";
  FILE* f = std::fopen(midi->c_str(), "wb");
  if (f) {
    std::fwrite(smf.data(), 1, smf.size(), f);
    std::fclose(f);
  }
}

}  // namespace

int main(int argc, char** argv) {
  os::StartOptions options = os::OptionsFromCommandLine(argc, argv);
  options.windowed = true;
  double seconds = 10;
  std::string capture;
  bool self_test = false;
  std::vector<std::string> effects;
  std::string midi;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seconds" && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (arg == "--capture" && i + 1 < argc) {
      capture = argv[++i];
    } else if (arg == "--self-test") {
      self_test = true;
      options.backend = os::Backend::Headless;
    } else if (arg.rfind("--", 0) == 0) {
      continue;  // the backend options
    } else if (EndsWith(arg, ".mid")) {
      midi = arg;
    } else {
      effects.push_back(arg);
    }
  }
  std::string self_test_dir;
  struct RemoveAtEnd {
    const std::string& dir;
    ~RemoveAtEnd() {
      std::error_code ec;
      if (!dir.empty()) std::filesystem::remove_all(dir, ec);
    }
  } remove_self_test_dir{self_test_dir};
  if (self_test) {
    self_test_dir = std::filesystem::temp_directory_path().string() + "/vantris-sounddemo-XXXXXX";
    if (!::mkdtemp(self_test_dir.data())) {
      os::SayLine("vantris_sounddemo: no temporary folder: %s", std::strerror(errno));
      return 1;
    }
    MakeSelfTestFiles(self_test_dir + "/", &effects, &midi);
  } else if (effects.empty() && midi.empty()) {
    const std::string assets = std::string(VANTRIS_ASSET_DIR) + "/";
    effects = {assets + "SOUND/SHOT.WAV", assets + "SOUND/BOM.WAV"};
    midi = assets + "MIDI/BGM1.MID";
  }
  if (!os::Start(options)) {
    os::SayLine("vantris_sounddemo: the backend does not start");
    return 1;
  }
  const os::Window window =
      os::CreateMainWindow("DEFAULT", "VANTRIS sound demo", false, 800, 600, &DemoWindowProc);
  os::ShowMainWindow(window);
  if (!elSound::Init()) os::SayLine("no sound device: the effects are silent");
  elSound::ClearSoundTable();
  elSound::InitMidi();

  std::vector<int32_t> handles;
  for (const std::string& path : effects) {
    const int32_t h = elSound::LoadObject(UseFolderOf(path).c_str(), 1);
    std::printf("%s: handle %d (%s)\n", path.c_str(), h, FormatOfFile(path).c_str());
    handles.push_back(h);
  }
  if (!midi.empty()) {
    const std::string name = UseFolderOf(midi);
    elSound::PlayMidi(name.c_str(), 1);
    std::printf("%s: looping\n", midi.c_str());
  }
  if (options.backend == os::Backend::Headless) os::headless::StartAudioCapture();

  // An effect every 700 ms, in turn, moving from left to right.
  const uint32_t start = os::TimeMs();
  uint32_t next_effect = start;
  uint32_t next_end = start + 2000;
  int played = 0;
  bool quit = false;
  while (!quit && os::TimeMs() - start < static_cast<uint32_t>(seconds * 1000)) {
    os::Message m;
    while (os::PeekMessage(&m)) {
      if (m.msg == os::MsgQuit) quit = true;
      os::DispatchMessage(m);
    }
    if (!handles.empty() && os::TimeMs() >= next_effect) {
      const int32_t h = handles[played % handles.size()];
      elSound::SetPan(h, (played % 5 - 2) * 10, -1);
      elSound::Play(h, -1);
      ++played;
      next_effect += 700;
    }
    // The headless sequencer ends its piece every two seconds.
    if (options.backend == os::Backend::Headless && os::TimeMs() >= next_end) {
      os::headless::EndMidiPiece();
      next_end += 2000;
    }
    os::SleepMs(5);
  }
  int status = 0;
  if (options.backend == os::Backend::Headless) {
    os::headless::StopAudioCapture(capture);
    const os::audio::WaveFile mix = os::headless::CapturedAudio();
    int peak = 0;
    for (size_t i = 0; i + 1 < mix.data.size(); i += 2)
      peak = std::max(peak, std::abs(static_cast<int16_t>(mix.data[i] | (mix.data[i + 1] << 8))));
    std::printf("mixed %zu bytes, peak %d, %d effects played, the piece looped %d times\n",
                mix.data.size(), peak, played, g_loops);
    if (self_test && (peak < 1000 || played < 3 || g_loops < 1)) status = 1;
  }
  elSound::StopMidi();
  elSound::Release();
  os::DestroyWindow(window);
  os::Stop();
  return status;
}
