// libFuzzer target for the WAV reader: any input is parsed as a RIFF/WAVE
// file, as a 44-byte-header resource image and as a format block; what
// parses into a playable format is loaded into a sound buffer and mixed, and
// every format is asked what is wrong with it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>

#include "os/audio/mixer.h"
#include "os/audio/wave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> input(data, size);
  os::audio::WaveFile wave;
  std::string why;
  const bool parsed = os::audio::ParseWave(input, &wave, &why);
  if (parsed != why.empty()) __builtin_trap();  // a refusal always says why
  if (parsed) {
    if (wave.data.size() > size) __builtin_trap();  // never more than the input holds
    const bool playable = os::audio::SampleTypeOf(wave.format, &why) != os::audio::SampleType::None;
    if (playable != why.empty() || playable != os::audio::PlayableFormat(wave.format))
      __builtin_trap();
    if (playable && wave.data.size() <= 65536) {
      os::audio::Mixer mixer;
      os::audio::Buffer* buffer = nullptr;
      if (mixer.CreateBuffer(wave.format, static_cast<uint32_t>(wave.data.size()), &buffer) ==
          os::audio::AudioOk) {
        os::audio::LockedRange range;
        if (mixer.Lock(buffer, 0, 0, &range) == os::audio::AudioOk) {
          std::memcpy(range.first, wave.data.data(), range.first_bytes);
          mixer.Unlock(buffer);
        }
        mixer.SetFrequency(buffer, wave.format.sample_rate / 3 + 100);
        mixer.Play(buffer, size % 2 == 0);
        int16_t out[2 * 64];
        mixer.Render(out, 64);
      }
    }
  }
  os::audio::WaveFile image;
  os::audio::ParseWaveImage44(input, &image);
  os::audio::WaveFormat format;
  if (os::audio::ParseFormatBlock(input, &format)) os::audio::SampleTypeOf(format, &why);
  return 0;
}
