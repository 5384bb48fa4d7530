// The process's sound output: one mixer and one output device shared by the
// sound effects and the music.  The effects open the device (and may find
// none), the music keeps it running while a piece is open; the device is
// closed when neither needs it.  The backend decides what the device is: an
// SDL audio device, or the headless virtual device mixed as the virtual
// clock advances.
#pragma once
#include <memory>
#include <string_view>

#include "os/audio/mixer.h"

namespace os::audio {

Mixer& MainMixer();

// The effects side.  OpenEffects fails when the backend has no audio device;
// buffers can be created only while the effects are open.
bool OpenEffects();
void CloseEffects();
bool EffectsOpen();
uint32_t CreateBuffer(const WaveFormat& format, uint32_t bytes, Buffer** out,
                      std::string_view label = {});

// The music side.
void AcquireMusic();
void ReleaseMusic();

bool DeviceRunning();
OutputFormat CurrentOutput();

// Changes the output format (PCM, 1 or 2 channels, 8 or 16 bits,
// 100..100000 Hz) and reopens a running device with it.
uint32_t SetOutputFormat(int channels, uint32_t rate, int bits);

// The error beep where the display has no bell to ring: a short tone on the
// running device, mixed over what plays.  False when no device runs.
bool PlayBeepTone();

// Plays one WAV file to its end on a temporary device of its own and returns
// afterwards (false when the file cannot be read or no device opens).
bool PlayWaveFileBlocking(std::string_view path);

// ---- devices ---------------------------------------------------------------

class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
};

// A device pulling `mixer` in the mixer's output format, chosen by the active
// backend; nullptr when none can be opened.
std::unique_ptr<AudioDevice> OpenDevice(Mixer& mixer);
std::unique_ptr<AudioDevice> OpenSdlDevice(Mixer& mixer);
std::unique_ptr<AudioDevice> OpenHeadlessDevice(Mixer& mixer);

}  // namespace os::audio
