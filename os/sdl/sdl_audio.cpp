// The SDL audio device: SDL pulls the mix through its callback on its own
// thread, in exactly the mixer's output format (SDL converts for the
// hardware when it has to).
#include <SDL.h>

#include <cstdio>

#include "os/audio/audio.h"
#include "os/sdl/sdl_quiet.h"
#include "os/stderr_divert.h"
#include "os/system.h"

namespace os::audio {
namespace {

// The device is opened again whenever the effects or the music need it: a
// machine without one hears about it once, with what ALSA said about it.
void SayNoAudio(const char* what) {
  const std::string alsa = sdl::TakeLibraryWords().alsa;
  static bool said = false;
  if (said) return;
  said = true;
  SayLine("vantris: %s: %s%s%s%s; the game goes on without sound", what,
          Printable(SDL_GetError()).c_str(), alsa.empty() ? "" : " (ALSA: ",
          Printable(alsa).c_str(), alsa.empty() ? "" : ")");
}

class SdlAudioDevice final : public AudioDevice {
 public:
  ~SdlAudioDevice() override {
    WithoutLibraryChatter([this] {
      if (device_) SDL_CloseAudioDevice(device_);  // waits for a running callback
      if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    });
  }

  // The sound libraries' own words are kept off stderr.
  bool Open(Mixer& mixer) {
    sdl::HushLibraries();
    sdl::TakeLibraryWords();
    int status = 0;
    WithoutLibraryChatter([&] { status = SDL_InitSubSystem(SDL_INIT_AUDIO); });
    if (status != 0) {
      SayNoAudio("no audio");
      return false;
    }
    subsystem_ = true;
    mixer_ = &mixer;
    frame_bytes_ = mixer.Output().BytesPerFrame();
    const OutputFormat format = mixer.Output();
    SDL_AudioSpec want{};
    want.freq = static_cast<int>(format.rate);
    want.format = format.bits == 8 ? AUDIO_U8 : AUDIO_S16SYS;
    want.channels = static_cast<Uint8>(format.channels);
    want.samples = 1024;
    want.callback = &SdlAudioDevice::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    sdl::TakeLibraryWords();  // what the look for devices said does not concern the opening
    WithoutLibraryChatter([&] { device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0); });
    if (device_ == 0) {
      SayNoAudio("no audio device");
      return false;
    }
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

 private:
  static void Callback(void* user, Uint8* stream, int len) {
    auto* self = static_cast<SdlAudioDevice*>(user);
    self->mixer_->Render(stream, len / static_cast<int>(self->frame_bytes_));
  }

  SDL_AudioDeviceID device_ = 0;
  bool subsystem_ = false;
  Mixer* mixer_ = nullptr;
  uint32_t frame_bytes_ = 4;
};

}  // namespace

std::unique_ptr<AudioDevice> OpenSdlDevice(Mixer& mixer) {
  auto device = std::make_unique<SdlAudioDevice>();
  if (!device->Open(mixer)) return nullptr;
  return device;
}

}  // namespace os::audio
