// Sound buffers and the software mixer that plays them.
//
// A buffer holds frames in the format it was made with (8-, 16-, 24- or
// 32-bit integer or 32-bit float samples, mono or stereo; see SampleTypeOf)
// and plays once or looping from its current position, at its own frequency
// (resampled to the output rate), with volume and pan in hundredths of a
// decibel (0 full, -10000 silence; a positive pan lowers the left side, a
// negative one the right).  The audio device pulls the mix through Render, on
// its own thread; every operation takes the mixer's mutex, and Render touches
// nothing but the mixer's own state.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "os/audio/wave.h"

namespace os::audio {

// Results of the buffer operations (0 is success).
enum AudioResult : uint32_t {
  AudioOk = 0,
  AudioNoDevice = 0xA0D10001,   // no device is open
  AudioBadFormat = 0xA0D10002,  // a format a buffer cannot hold
  AudioBadSize = 0xA0D10003,    // a size outside 4..0x0FFFFFFF bytes or below one frame
  AudioBadParam = 0xA0D10004,   // a range outside the buffer, a second lock ...
};

// Status bits.
enum : uint32_t { StatusPlaying = 0x1, StatusLooping = 0x4 };

constexpr uint32_t MinBufferBytes = 4;
constexpr uint32_t MaxBufferBytes = 0x0FFFFFFF;
constexpr uint32_t MinFrequency = 100;
constexpr uint32_t MaxFrequency = 100000;
constexpr int32_t VolumeSilent = -10000;

struct OutputFormat {
  int channels = 2;
  uint32_t rate = 44100;
  int bits = 16;
  uint32_t BytesPerFrame() const { return static_cast<uint32_t>(channels * (bits / 8)); }
};

// A source of stereo music mixed after the buffers (the MIDI synthesiser).
class MusicSource {
 public:
  virtual ~MusicSource() = default;
  // Adds `frames` interleaved stereo frames at `rate` into `mix` (1.0 is
  // full scale).  Runs on the audio thread with the mixer's mutex held.
  virtual void Render(float* mix, int frames, uint32_t rate) = 0;
};

struct Buffer;  // owned by its mixer; valid until ReleaseBuffer

// What a listener hears of one buffer: a play (from its position, looping or
// not), the stop of a playing one, or a change of volume, pan or frequency
// while it plays.  A watcher of the mixer sees each as it happens, on the
// thread that asked for it, with the mixer's mutex held (the headless
// backend's sound log).
struct VoiceEvent {
  enum Kind { Play, Stop, Volume, Pan, Frequency };
  Kind kind = Play;
  std::string_view label;  // what the buffer was made from (CreateBuffer)
  bool looping = false;
  uint32_t position = 0;   // bytes
  int32_t volume = 0;
  int32_t pan = 0;
  uint32_t frequency = 0;
  uint32_t rate = 0;       // its format's sample rate
};
using VoiceWatcher = void (*)(const VoiceEvent& event);

// The two pieces of a lock: the range from the offset up to the buffer's end,
// and, when it wraps, the rest from the buffer's start.
struct LockedRange {
  uint8_t* first = nullptr;
  uint32_t first_bytes = 0;
  uint8_t* second = nullptr;
  uint32_t second_bytes = 0;
};

class Mixer {
 public:
  Mixer();
  ~Mixer();
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  void SetOutput(const OutputFormat& format);
  OutputFormat Output() const;

  // A silent, stopped buffer of `bytes` bytes in `format` at position 0; its
  // frequency starts at the format's sample rate.  `label` names what it
  // holds (the sound's file) for a watcher.
  uint32_t CreateBuffer(const WaveFormat& format, uint32_t bytes, Buffer** out,
                        std::string_view label = {});
  void ReleaseBuffer(Buffer* buffer);
  size_t BufferCount() const;

  // Locks `bytes` bytes from `offset` (0 bytes: the whole buffer).  The
  // pieces point at a private copy of the range that Unlock writes back, so
  // the writer never races the mixer.  One lock at a time per buffer.
  uint32_t Lock(Buffer* buffer, uint32_t offset, uint32_t bytes, LockedRange* out);
  void Unlock(Buffer* buffer);

  // Plays from the current position (looping or to the end, where a one-shot
  // stops and goes back to position 0).  Stop keeps the position.
  void Play(Buffer* buffer, bool looping);
  void Stop(Buffer* buffer);
  uint32_t SetPosition(Buffer* buffer, uint32_t byte_offset);  // below the size
  uint32_t Position(Buffer* buffer) const;                 // the play cursor, in bytes
  uint32_t Status(Buffer* buffer) const;
  uint32_t Bytes(Buffer* buffer) const;
  WaveFormat Format(Buffer* buffer) const;  // the plain form (PlainFormat) of its format

  uint32_t SetFrequency(Buffer* buffer, uint32_t hz);  // 100..100000
  uint32_t Frequency(Buffer* buffer) const;
  uint32_t SetVolume(Buffer* buffer, int32_t volume);  // -10000..0
  int32_t Volume(Buffer* buffer) const;
  uint32_t SetPan(Buffer* buffer, int32_t pan);        // -10000..10000
  int32_t Pan(Buffer* buffer) const;

  void SetMusic(MusicSource* music);
  MusicSource* Music() const;
  // One watcher at a time (nullptr: none).
  void Watch(VoiceWatcher watcher);
  std::mutex& Mutex() const { return mutex_; }

  // Fills `frames` frames of the output format (the device callback).
  void Render(void* out, int frames);

 private:
  void MixVoices(float* mix, int frames);
  // Tells the watcher, if any, of `kind` on `buffer` (the mutex held).
  void Tell(VoiceEvent::Kind kind, const Buffer& buffer) const;

  mutable std::mutex mutex_;
  OutputFormat output_;
  std::vector<std::unique_ptr<Buffer>> buffers_;
  MusicSource* music_ = nullptr;
  VoiceWatcher watcher_ = nullptr;
};

// Gain of a level in hundredths of a decibel (0 at -10000 and below).
float GainOf(int32_t centibels);

// The output's headroom.  Sounds and music add at their own levels; a mix
// whose magnitude stays at or below the knee (-1 dBFS) reaches the device
// unchanged, so sounds keep their levels against each other exactly.  Only
// what rises above the knee is bent smoothly towards the ceiling, one step
// below full scale, instead of being cut off at full scale (the harsh
// distortion of a clipped mix): however many loud sounds play at once, no
// sample of the output is at full scale.
constexpr float kOutputKnee = 0.8912509f;                // -1 dBFS
constexpr float kOutputCeiling = 32766.0f / 32768.0f;  // the largest output, 32766
float Limit(float mix);

}  // namespace os::audio
