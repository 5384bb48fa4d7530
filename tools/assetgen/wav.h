// PCM WAV writer and the two synthesised sound effects.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

inline constexpr int kSampleRate = 22050;

// RIFF/WAVE, 16-byte fmt chunk (PCM, mono, 16 bits), then the data chunk.
std::vector<std::uint8_t> EncodeWav(const std::vector<std::int16_t>& samples, int sampleRate);

// The effects' peaks in dB below full scale.  A shot, an explosion and the
// music together stay under full scale, and the music is heard beside them.
inline constexpr double kShotPeakDbfs = -11.0;
inline constexpr double kBoomPeakDbfs = -8.0;

// A very short bright laser shot (about 0.09 s).
std::vector<std::int16_t> SynthShot(int sampleRate);
// An explosion of about half a second: filtered noise over a falling thump.
std::vector<std::int16_t> SynthBoom(int sampleRate);

}  // namespace assetgen
