// The kinds of sample format a sound can come in, and one tone written in
// each of them, for tests that check that every kind plays alike.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "os/audio/wave.h"

namespace vantris_test {

struct WaveKind {
  uint16_t code;  // os::audio::FormatPcm or FormatIeeeFloat
  int bits;
  int channels;
  bool extensible;

  std::string Name() const {
    return std::to_string(bits) + (code == os::audio::FormatIeeeFloat ? "-bit float " : "-bit ") +
           (channels == 2 ? "stereo" : "mono") + (extensible ? " extensible" : "");
  }
};

// Every kind a sound buffer takes: 8, 16, 24 and 32-bit PCM and 32-bit
// float, mono and stereo, plain and extensible.
inline std::vector<WaveKind> AllWaveKinds() {
  std::vector<WaveKind> kinds;
  for (bool extensible : {false, true}) {
    for (int channels : {1, 2}) {
      for (int bits : {8, 16, 24, 32})
        kinds.push_back({os::audio::FormatPcm, bits, channels, extensible});
      kinds.push_back({os::audio::FormatIeeeFloat, 32, channels, extensible});
    }
  }
  return kinds;
}

// An extensible block's 22 extra bytes: valid bits, channel mask and the
// standard sub-format GUID of `code`.
inline std::vector<uint8_t> ExtensibleExtra(uint16_t code, uint16_t valid_bits, uint32_t mask) {
  std::vector<uint8_t> extra;
  os::audio::AppendLe16(extra, valid_bits);
  os::audio::AppendLe32(extra, mask);
  os::audio::AppendLe16(extra, code);
  const uint8_t tail[14] = {0, 0, 0, 0, 0x10, 0, 0x80, 0, 0, 0xAA, 0, 0x38, 0x9B, 0x71};
  os::audio::AppendBytes(extra, tail, sizeof tail);
  return extra;
}

inline os::audio::WaveFormat FormatOf(const WaveKind& kind, uint32_t rate) {
  os::audio::WaveFormat f = os::audio::PcmFormat(kind.channels, rate, kind.bits);
  f.format_tag = kind.code;
  if (kind.extensible) {
    f.format_tag = os::audio::FormatExtensible;
    f.extra =
        ExtensibleExtra(kind.code, static_cast<uint16_t>(kind.bits), kind.channels == 2 ? 3 : 4);
  }
  return f;
}

// Frame i of the tone, channel c, in -1..1: two sines, the right one
// quieter, with negative and positive peaks.
inline double ToneAt(int i, int c, uint32_t rate) {
  const double t = static_cast<double>(i) / rate;
  return c == 0 ? 0.7 * std::sin(2 * M_PI * 440 * t) : -0.45 * std::sin(2 * M_PI * 660 * t + 1);
}

// The tone in a kind's samples, each rounded to the nearest step.
inline std::vector<uint8_t> ToneData(const WaveKind& kind, int frames, uint32_t rate) {
  std::vector<uint8_t> data;
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < kind.channels; ++c) {
      const double v = ToneAt(i, c, rate);
      if (kind.code == os::audio::FormatIeeeFloat) {
        const float f = static_cast<float>(v);
        uint32_t bits;
        std::memcpy(&bits, &f, 4);
        os::audio::AppendLe32(data, bits);
        continue;
      }
      const double scale = std::ldexp(1.0, kind.bits - 1);
      const int64_t s = std::llround(v * scale) + (kind.bits == 8 ? 128 : 0);
      for (int b = 0; b < kind.bits / 8; ++b) data.push_back(static_cast<uint8_t>(s >> (8 * b)));
    }
  }
  return data;
}

inline std::vector<uint8_t> ToneWave(const WaveKind& kind, int frames, uint32_t rate) {
  return os::audio::EncodeWave(FormatOf(kind, rate), ToneData(kind, frames, rate));
}

// How far a kind's mix may stray from the 16-bit one's, in 16-bit steps:
// the 16-bit kinds not at all, the 8-bit ones by their coarser rounding,
// the finer ones by the 16-bit file's own rounding.
inline int ToneTolerance(const WaveKind& kind) {
  if (kind.code == os::audio::FormatPcm && kind.bits == 16) return 0;
  if (kind.code == os::audio::FormatPcm && kind.bits == 8) return 129;
  return 1;
}

}  // namespace vantris_test
