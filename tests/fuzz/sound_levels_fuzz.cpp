// libFuzzer target for the levels of a recording (bench/sound_levels.h): any
// input is read as 16-bit stereo frames, at a rate of 100 ms windows of one
// frame and of many, and the counts stay within what the input holds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "bench/sound_levels.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (uint32_t rate : {1u, 10u, 441u, 44100u}) {
    const bench::SoundLevels l = bench::MeasureLevels(std::span<const uint8_t>(data, size), rate);
    if (l.samples != size / 4 * 2 || l.full_scale > l.above_knee || l.above_knee > l.samples ||
        l.windows_full_scale > l.windows || l.peak > 32768 || !(l.rms_dbfs < 1e-9) ||
        !(l.median_window_dbfs < 1e-9) || l.rms_dbfs < -120 || l.median_window_dbfs < -120)
      __builtin_trap();
  }
  return 0;
}
