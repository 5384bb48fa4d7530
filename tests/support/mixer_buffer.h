// A mixer's buffer made from 16-bit samples, for the tests that mix.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "os/audio/mixer.h"

namespace vantris_test {

// A stopped buffer of `mixer` holding `samples` (interleaved when stereo).
inline os::audio::Buffer* Buffer16(os::audio::Mixer& mixer, const std::vector<int16_t>& samples,
                                   int channels, uint32_t rate) {
  os::audio::Buffer* b = nullptr;
  EXPECT_EQ(mixer.CreateBuffer(os::audio::PcmFormat(channels, rate, 16),
                               static_cast<uint32_t>(samples.size() * 2), &b),
            os::audio::AudioOk);
  os::audio::LockedRange r;
  EXPECT_EQ(mixer.Lock(b, 0, 0, &r), os::audio::AudioOk);
  std::memcpy(r.first, samples.data(), samples.size() * 2);
  mixer.Unlock(b);
  return b;
}

}  // namespace vantris_test
