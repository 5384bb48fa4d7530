#include "os/audio/mixer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace os::audio {

struct Buffer {
  WaveFormat format;  // the plain form of the format it was made with
  SampleType type = SampleType::S16;
  std::vector<uint8_t> data;
  uint32_t frames = 0;  // whole frames in the data
  bool playing = false;
  bool looping = false;
  uint64_t pos = 0;  // play position in frames, 32.32 fixed point
  uint32_t frequency = 0;
  int32_t volume = 0;
  int32_t pan = 0;
  float gain_left = 1.0f;
  float gain_right = 1.0f;
  std::string label;
  // The open lock, if any.
  bool locked = false;
  uint32_t lock_offset = 0;
  uint32_t lock_first = 0;
  uint32_t lock_second = 0;
  std::vector<uint8_t> staging;
};

namespace {

constexpr int kChunkFrames = 256;

void UpdateGains(Buffer& b) {
  const float volume = GainOf(b.volume);
  b.gain_left = volume * (b.pan > 0 ? GainOf(-b.pan) : 1.0f);
  b.gain_right = volume * (b.pan < 0 ? GainOf(b.pan) : 1.0f);
}

constexpr int BytesOf(SampleType type) {
  switch (type) {
    case SampleType::U8: return 1;
    case SampleType::S16: return 2;
    case SampleType::S24: return 3;
    default: return 4;
  }
}

// One sample as a float, full scale 1.0.  The 32-bit integer is rounded to
// the nearest float (24 bits of precision, ties to even); a float sample is
// clamped to [-1, 1], and NaN plays as 0.
template <SampleType Type>
float Sample(const uint8_t* p) {
  if constexpr (Type == SampleType::U8) {
    return (static_cast<int>(p[0]) - 128) * (1.0f / 128.0f);
  } else if constexpr (Type == SampleType::S16) {
    const int16_t v = static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    return v * (1.0f / 32768.0f);
  } else if constexpr (Type == SampleType::S24) {
    const uint32_t u = uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16;
    const int32_t v = static_cast<int32_t>(u << 8) >> 8;  // sign-extended
    return static_cast<float>(v) * (1.0f / 8388608.0f);
  } else if constexpr (Type == SampleType::S32) {
    return static_cast<float>(static_cast<int32_t>(ReadLe32(p))) * (1.0f / 2147483648.0f);
  } else {
    const float v = std::bit_cast<float>(ReadLe32(p));
    return std::isnan(v) ? 0.0f : std::clamp(v, -1.0f, 1.0f);
  }
}

// Mixes one voice into `mix` with linear interpolation; stops a one-shot at
// its end (position back to 0).
template <SampleType Type, int Channels>
void MixVoice(Buffer& b, float* mix, int frames, uint32_t out_rate) {
  constexpr int kSampleBytes = BytesOf(Type);
  constexpr int kFrameBytes = Channels * kSampleBytes;
  const uint64_t end = uint64_t{b.frames} << 32;
  const uint64_t step = (uint64_t{b.frequency} << 32) / out_rate;
  const uint8_t* data = b.data.data();
  const float gl = b.gain_left, gr = b.gain_right;
  for (int i = 0; i < frames; ++i) {
    if (b.pos >= end) {
      if (!b.looping) {
        b.playing = false;
        b.pos = 0;
        return;
      }
      b.pos %= end;
    }
    const uint32_t idx = static_cast<uint32_t>(b.pos >> 32);
    uint32_t next = idx + 1;
    if (next >= b.frames) next = b.looping ? 0 : idx;
    const float frac = static_cast<float>(b.pos & 0xFFFFFFFFu) * (1.0f / 4294967296.0f);
    const uint8_t* p0 = data + size_t{idx} * kFrameBytes;
    const uint8_t* p1 = data + size_t{next} * kFrameBytes;
    const float l0 = Sample<Type>(p0), l1 = Sample<Type>(p1);
    const float left = l0 + (l1 - l0) * frac;
    float right = left;
    if constexpr (Channels == 2) {
      const float r0 = Sample<Type>(p0 + kSampleBytes), r1 = Sample<Type>(p1 + kSampleBytes);
      right = r0 + (r1 - r0) * frac;
    }
    mix[2 * i] += left * gl;
    mix[2 * i + 1] += right * gr;
    b.pos += step;
  }
  if (b.pos >= end) {
    if (b.looping) {
      b.pos %= end;
    } else {
      b.playing = false;
      b.pos = 0;
    }
  }
}

template <SampleType Type>
void MixVoiceOf(Buffer& b, float* mix, int frames, uint32_t out_rate) {
  if (b.format.channels == 2) {
    MixVoice<Type, 2>(b, mix, frames, out_rate);
  } else {
    MixVoice<Type, 1>(b, mix, frames, out_rate);
  }
}

int16_t ToS16(float v) {
  const float s = std::clamp(Limit(v) * 32768.0f, -32768.0f, 32767.0f);
  return static_cast<int16_t>(std::lrint(s));
}

}  // namespace

float GainOf(int32_t centibels) {
  if (centibels <= VolumeSilent) return 0.0f;
  if (centibels >= 0) return 1.0f;
  return std::pow(10.0f, static_cast<float>(centibels) / 2000.0f);
}

float Limit(float mix) {
  const float magnitude = std::fabs(mix);
  if (!(magnitude > kOutputKnee)) return mix;
  // A tanh knee: slope 1 where it starts, so the bend has no corner.
  constexpr float kRoom = kOutputCeiling - kOutputKnee;
  return std::copysign(kOutputKnee + kRoom * std::tanh((magnitude - kOutputKnee) / kRoom), mix);
}

Mixer::Mixer() = default;
Mixer::~Mixer() = default;

void Mixer::SetOutput(const OutputFormat& format) {
  std::lock_guard<std::mutex> lock(mutex_);
  output_ = format;
}

OutputFormat Mixer::Output() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return output_;
}

uint32_t Mixer::CreateBuffer(const WaveFormat& format, uint32_t bytes, Buffer** out,
                             std::string_view label) {
  if (out) *out = nullptr;
  if (!out) return AudioBadParam;
  const SampleType type = SampleTypeOf(format);
  if (type == SampleType::None) return AudioBadFormat;
  if (bytes < MinBufferBytes || bytes > MaxBufferBytes || bytes < format.block_align)
    return AudioBadSize;
  auto buffer = std::make_unique<Buffer>();
  buffer->format = PlainFormat(format);
  buffer->type = type;
  buffer->data.assign(bytes, type == SampleType::U8 ? 0x80 : 0x00);
  buffer->frames = bytes / format.block_align;
  buffer->frequency = format.sample_rate;
  buffer->label = label;
  UpdateGains(*buffer);
  std::lock_guard<std::mutex> lock(mutex_);
  *out = buffer.get();
  buffers_.push_back(std::move(buffer));
  return AudioOk;
}

void Mixer::ReleaseBuffer(Buffer* buffer) {
  if (!buffer) return;
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = std::find_if(buffers_.begin(), buffers_.end(),
                         [buffer](const auto& b) { return b.get() == buffer; });
  if (it != buffers_.end()) buffers_.erase(it);
}

size_t Mixer::BufferCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return buffers_.size();
}

uint32_t Mixer::Lock(Buffer* b, uint32_t offset, uint32_t bytes, LockedRange* out) {
  if (out) *out = LockedRange{};
  if (!b || !out) return AudioBadParam;
  std::lock_guard<std::mutex> lock(mutex_);
  const uint32_t size = static_cast<uint32_t>(b->data.size());
  if (b->locked || offset >= size || bytes > size) return AudioBadParam;
  if (bytes == 0) bytes = size;
  const uint32_t first = std::min(bytes, size - offset);
  const uint32_t second = bytes - first;
  b->staging.resize(bytes);
  std::memcpy(b->staging.data(), b->data.data() + offset, first);
  if (second) std::memcpy(b->staging.data() + first, b->data.data(), second);
  b->locked = true;
  b->lock_offset = offset;
  b->lock_first = first;
  b->lock_second = second;
  out->first = b->staging.data();
  out->first_bytes = first;
  if (second) {
    out->second = b->staging.data() + first;
    out->second_bytes = second;
  }
  return AudioOk;
}

void Mixer::Unlock(Buffer* b) {
  if (!b) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!b->locked) return;
  std::memcpy(b->data.data() + b->lock_offset, b->staging.data(), b->lock_first);
  if (b->lock_second)
    std::memcpy(b->data.data(), b->staging.data() + b->lock_first, b->lock_second);
  b->locked = false;
  b->staging.clear();
  b->staging.shrink_to_fit();
}

void Mixer::Play(Buffer* b, bool looping) {
  if (!b) return;
  std::lock_guard<std::mutex> lock(mutex_);
  b->playing = true;
  b->looping = looping;
  Tell(VoiceEvent::Play, *b);
}

void Mixer::Stop(Buffer* b) {
  if (!b) return;
  std::lock_guard<std::mutex> lock(mutex_);
  if (b->playing) Tell(VoiceEvent::Stop, *b);
  b->playing = false;
}

uint32_t Mixer::SetPosition(Buffer* b, uint32_t byte_offset) {
  if (!b) return AudioBadParam;
  std::lock_guard<std::mutex> lock(mutex_);
  if (byte_offset >= b->data.size()) return AudioBadParam;
  const uint32_t frame = std::min(byte_offset / b->format.block_align, b->frames - 1);
  b->pos = uint64_t{frame} << 32;
  return AudioOk;
}

uint32_t Mixer::Position(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<uint32_t>(b->pos >> 32) * b->format.block_align;
}

uint32_t Mixer::Status(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  if (!b->playing) return 0;
  return b->looping ? StatusPlaying | StatusLooping : uint32_t{StatusPlaying};
}

uint32_t Mixer::Bytes(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<uint32_t>(b->data.size());
}

WaveFormat Mixer::Format(Buffer* b) const {
  if (!b) return WaveFormat{};
  std::lock_guard<std::mutex> lock(mutex_);
  return b->format;
}

uint32_t Mixer::SetFrequency(Buffer* b, uint32_t hz) {
  if (!b || hz < MinFrequency || hz > MaxFrequency) return AudioBadParam;
  std::lock_guard<std::mutex> lock(mutex_);
  b->frequency = hz;
  if (b->playing) Tell(VoiceEvent::Frequency, *b);
  return AudioOk;
}

uint32_t Mixer::Frequency(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return b->frequency;
}

uint32_t Mixer::SetVolume(Buffer* b, int32_t volume) {
  if (!b || volume < VolumeSilent || volume > 0) return AudioBadParam;
  std::lock_guard<std::mutex> lock(mutex_);
  b->volume = volume;
  UpdateGains(*b);
  if (b->playing) Tell(VoiceEvent::Volume, *b);
  return AudioOk;
}

int32_t Mixer::Volume(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return b->volume;
}

uint32_t Mixer::SetPan(Buffer* b, int32_t pan) {
  if (!b || pan < -10000 || pan > 10000) return AudioBadParam;
  std::lock_guard<std::mutex> lock(mutex_);
  b->pan = pan;
  UpdateGains(*b);
  if (b->playing) Tell(VoiceEvent::Pan, *b);
  return AudioOk;
}

int32_t Mixer::Pan(Buffer* b) const {
  if (!b) return 0;
  std::lock_guard<std::mutex> lock(mutex_);
  return b->pan;
}

void Mixer::SetMusic(MusicSource* music) {
  std::lock_guard<std::mutex> lock(mutex_);
  music_ = music;
}

MusicSource* Mixer::Music() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return music_;
}

void Mixer::Watch(VoiceWatcher watcher) {
  std::lock_guard<std::mutex> lock(mutex_);
  watcher_ = watcher;
}

void Mixer::Tell(VoiceEvent::Kind kind, const Buffer& b) const {
  if (!watcher_) return;
  VoiceEvent event;
  event.kind = kind;
  event.label = b.label;
  event.looping = b.looping;
  event.position = static_cast<uint32_t>(b.pos >> 32) * b.format.block_align;
  event.volume = b.volume;
  event.pan = b.pan;
  event.frequency = b.frequency;
  event.rate = b.format.sample_rate;
  watcher_(event);
}

void Mixer::MixVoices(float* mix, int frames) {
  const uint32_t rate = output_.rate;
  for (auto& owned : buffers_) {
    Buffer& b = *owned;
    if (!b.playing || b.frames == 0) continue;
    switch (b.type) {
      case SampleType::U8: MixVoiceOf<SampleType::U8>(b, mix, frames, rate); break;
      case SampleType::S16: MixVoiceOf<SampleType::S16>(b, mix, frames, rate); break;
      case SampleType::S24: MixVoiceOf<SampleType::S24>(b, mix, frames, rate); break;
      case SampleType::S32: MixVoiceOf<SampleType::S32>(b, mix, frames, rate); break;
      case SampleType::F32: MixVoiceOf<SampleType::F32>(b, mix, frames, rate); break;
      case SampleType::None: break;
    }
  }
}

void Mixer::Render(void* out, int frames) {
  std::lock_guard<std::mutex> lock(mutex_);
  float mix[2 * kChunkFrames];
  uint8_t* dst = static_cast<uint8_t*>(out);
  const bool stereo = output_.channels == 2;
  const bool eight = output_.bits == 8;
  while (frames > 0) {
    const int n = std::min(frames, kChunkFrames);
    std::fill(mix, mix + 2 * n, 0.0f);
    MixVoices(mix, n);
    if (music_) music_->Render(mix, n, output_.rate);
    for (int i = 0; i < n; ++i) {
      const float l = mix[2 * i], r = mix[2 * i + 1];
      if (stereo) {
        if (eight) {
          *dst++ = static_cast<uint8_t>((ToS16(l) >> 8) + 128);
          *dst++ = static_cast<uint8_t>((ToS16(r) >> 8) + 128);
        } else {
          const int16_t sl = ToS16(l), sr = ToS16(r);
          std::memcpy(dst, &sl, 2);
          std::memcpy(dst + 2, &sr, 2);
          dst += 4;
        }
      } else {
        const int16_t s = ToS16((l + r) * 0.5f);
        if (eight) {
          *dst++ = static_cast<uint8_t>((s >> 8) + 128);
        } else {
          std::memcpy(dst, &s, 2);
          dst += 2;
        }
      }
    }
    frames -= n;
  }
}

}  // namespace os::audio
