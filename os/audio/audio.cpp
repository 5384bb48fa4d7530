#include "os/audio/audio.h"

#include <algorithm>

#include "os/system.h"

namespace os::audio {
namespace {

struct State {
  Mixer mixer;
  std::unique_ptr<AudioDevice> device;
  bool effects = false;
  int music_users = 0;
};

State& Global() {
  static State* state = new State;  // lives to the end of the process
  return *state;
}

void UpdateDevice() {
  State& s = Global();
  const bool wanted = s.effects || s.music_users > 0;
  if (wanted && !s.device) s.device = OpenDevice(s.mixer);
  if (!wanted) s.device.reset();
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
