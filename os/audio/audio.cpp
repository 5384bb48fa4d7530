#include "os/audio/audio.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "os/system.h"

namespace os::audio {
namespace {

struct State {
  Mixer mixer;
  std::unique_ptr<AudioDevice> device;
  bool effects = false;
  int music_users = 0;
  Buffer* beep = nullptr;  // the beep's tone, made on its first use
};

State& Global() {
  static State* state = new State;  // lives to the end of the process
  return *state;
}

void UpdateDevice() {
  State& s = Global();
  const bool wanted = s.effects || s.music_users > 0;
  if (wanted && !s.device) s.device = OpenDevice(s.mixer);
  if (wanted) return;
  s.device.reset();
  if (s.beep) s.mixer.ReleaseBuffer(s.beep);
  s.beep = nullptr;
}

}  // namespace

Mixer& MainMixer() { return Global().mixer; }

bool OpenEffects() {
  State& s = Global();
  if (s.effects) return true;
  if (!s.device) s.device = OpenDevice(s.mixer);
  if (!s.device) return false;
  s.effects = true;
  return true;
}

void CloseEffects() {
  Global().effects = false;
  UpdateDevice();
}

bool EffectsOpen() { return Global().effects; }

uint32_t CreateBuffer(const WaveFormat& format, uint32_t bytes, Buffer** out,
                      std::string_view label) {
  if (!Global().effects) {
    if (out) *out = nullptr;
    return AudioNoDevice;
  }
  return Global().mixer.CreateBuffer(format, bytes, out, label);
}

void AcquireMusic() {
  ++Global().music_users;
  UpdateDevice();
}

void ReleaseMusic() {
  State& s = Global();
  if (s.music_users > 0) --s.music_users;
  UpdateDevice();
}

bool DeviceRunning() { return Global().device != nullptr; }
OutputFormat CurrentOutput() { return Global().mixer.Output(); }

uint32_t SetOutputFormat(int channels, uint32_t rate, int bits) {
  // The device plays 8- or 16-bit PCM only, whatever the buffers hold.
  if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16)) return AudioBadFormat;
  if (!PlayableFormat(PcmFormat(channels, rate, bits))) return AudioBadFormat;
  State& s = Global();
  const bool running = s.device != nullptr;
  s.device.reset();
  s.mixer.SetOutput(OutputFormat{channels, rate, bits});
  if (running) {
    s.device = OpenDevice(s.mixer);
    if (!s.device) {
      s.effects = false;
      return AudioNoDevice;
    }
  }
  return AudioOk;
}

namespace {

// 160 ms of 880 Hz, mono 16-bit, faded in and out over 8 ms so that it does
// not click; about a third of full scale.
Buffer* MakeBeepTone(Mixer& mixer) {
  constexpr uint32_t kRate = 22050;
  constexpr uint32_t kFrames = kRate * 160 / 1000;
  constexpr uint32_t kFade = kRate * 8 / 1000;
  Buffer* buffer = nullptr;
  if (mixer.CreateBuffer(PcmFormat(1, kRate, 16), kFrames * 2, &buffer, "beep") != AudioOk)
    return nullptr;
  LockedRange range;
  if (mixer.Lock(buffer, 0, 0, &range) != AudioOk) {
    mixer.ReleaseBuffer(buffer);
    return nullptr;
  }
  for (uint32_t i = 0; i < kFrames; ++i) {
    const double fade = std::min({1.0, double(i) / kFade, double(kFrames - 1 - i) / kFade});
    const double wave = std::sin(2 * std::numbers::pi * 880.0 * i / kRate);
    const auto sample = static_cast<int16_t>(std::lround(11000 * fade * wave));
    range.first[2 * i] = static_cast<uint8_t>(sample & 0xFF);
    range.first[2 * i + 1] = static_cast<uint8_t>((sample >> 8) & 0xFF);
  }
  mixer.Unlock(buffer);
  return buffer;
}

}  // namespace

bool PlayBeepTone() {
  State& s = Global();
  if (!s.device) return false;
  if (!s.beep) s.beep = MakeBeepTone(s.mixer);
  if (!s.beep) return false;
  s.mixer.Stop(s.beep);
  s.mixer.SetPosition(s.beep, 0);
  s.mixer.Play(s.beep, false);
  return true;
}

bool PlayWaveFileBlocking(std::string_view path) {
  WaveFile wave;
  if (!ReadWaveFile(path, &wave)) return false;
  Mixer mixer;
  mixer.SetOutput(OutputFormat{});
  Buffer* buffer = nullptr;
  if (mixer.CreateBuffer(wave.format, static_cast<uint32_t>(wave.data.size()), &buffer) != AudioOk)
    return false;
  LockedRange range;
  if (mixer.Lock(buffer, 0, 0, &range) != AudioOk) return false;
  std::copy(wave.data.begin(), wave.data.end(), range.first);
  mixer.Unlock(buffer);
  std::unique_ptr<AudioDevice> device = OpenDevice(mixer);
  if (!device) return false;
  mixer.Play(buffer, false);
  // The sound's length plus a second is the longest wait (a device that stops
  // pulling must not hang the program).
  const uint64_t limit_ms =
      uint64_t{1000} * wave.data.size() / wave.format.avg_bytes_per_sec + 1000;
  const uint32_t start = os::TimeMs();
  while (mixer.Status(buffer) & StatusPlaying) {
    if (os::TimeMs() - start > limit_ms) break;
    os::SleepMs(5);
  }
  device.reset();
  return true;
}

std::unique_ptr<AudioDevice> OpenDevice(Mixer& mixer) {
  return os::ActiveBackend() == os::Backend::Sdl ? OpenSdlDevice(mixer)
                                                 : OpenHeadlessDevice(mixer);
}

}  // namespace os::audio
