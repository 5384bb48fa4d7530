// Levels of a recording of the game's output: 16-bit little-endian stereo
// frames as SDL's disk audio driver writes them.  Full scale is a sample at
// either end of the range (32767 or -32768); a sample above the output's
// knee is one the mixer's limiter bent; levels are in dB below a full-scale
// square wave (dBFS).
#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "os/audio/mixer.h"

namespace bench {

struct SoundLevels {
  uint64_t samples = 0;            // both channels
  uint64_t full_scale = 0;         // samples at either end of the range
  uint64_t above_knee = 0;         // samples the limiter bent
  uint64_t windows = 0;            // whole 100 ms windows
  uint64_t windows_full_scale = 0; // windows holding a full-scale sample
  int peak = 0;                    // largest magnitude
  double rms_dbfs = -120;          // of the whole recording
  double median_window_dbfs = -120;
};

// A level as dBFS, -120 for silence.
inline double Dbfs(double sum_of_squares, uint64_t samples) {
  if (samples == 0 || sum_of_squares <= 0) return -120;
  return std::max(-120.0, 10 * std::log10(sum_of_squares / static_cast<double>(samples)) -
                              20 * std::log10(32768.0));
}

// The levels of `bytes` (a trailing part frame is left out) at `rate` frames
// a second.
inline SoundLevels MeasureLevels(std::span<const uint8_t> bytes, uint32_t rate) {
  SoundLevels levels;
  const size_t frames = bytes.size() / 4;
  const size_t window = std::max<size_t>(1, rate / 10);
  std::vector<double> window_dbfs;
  const int knee = static_cast<int>(os::audio::kOutputKnee * 32768.0f);
  double total = 0, in_window = 0;
  bool clipped_in_window = false;
  for (size_t i = 0; i < frames; ++i) {
    for (int c = 0; c < 2; ++c) {
      const uint8_t* p = bytes.data() + 4 * i + 2 * c;
      const int s = static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
      const double square = static_cast<double>(s) * s;
      total += square;
      in_window += square;
      levels.peak = std::max(levels.peak, std::abs(s));
      levels.above_knee += std::abs(s) > knee;
      if (s >= 32767 || s == -32768) {
        ++levels.full_scale;
        clipped_in_window = true;
      }
    }
    if ((i + 1) % window == 0) {
      window_dbfs.push_back(Dbfs(in_window, 2 * window));
      levels.windows_full_scale += clipped_in_window;
      in_window = 0;
      clipped_in_window = false;
    }
  }
  levels.samples = 2 * uint64_t{frames};
  levels.windows = window_dbfs.size();
  levels.rms_dbfs = Dbfs(total, levels.samples);
  if (!window_dbfs.empty()) {
    auto middle = window_dbfs.begin() + static_cast<std::ptrdiff_t>(window_dbfs.size() / 2);
    std::nth_element(window_dbfs.begin(), middle, window_dbfs.end());
    levels.median_window_dbfs = *middle;
  }
  return levels;
}

}  // namespace bench
