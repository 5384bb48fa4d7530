// Shared test fixtures: every test starts a fresh headless machine with a
// virtual clock at 0 and a pinned random seed.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "os/headless/headless.h"
#include "os/system.h"

namespace vantris_test {

// A new w x h picture in the sprite table painted by pixel(x, y); its handle.
int32_t MakePicture(int w, int h, const std::function<uint16_t(int, int)>& pixel);
int32_t MakeSolidPicture(int w, int h, uint16_t colour);

// The headless backend (quiet message boxes, seed 1, runtime files such as
// locks in a temporary folder), stopped after.
class HeadlessTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Plus the library's 800 x 600 screen with the playfield clip (x 180..620).
class PlayfieldTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  static int32_t Sprite(int w, int h, const std::function<uint16_t(int, int)>& pixel) {
    return MakePicture(w, h, pixel);
  }
  static int32_t Solid(int w, int h, uint16_t colour) { return MakeSolidPicture(w, h, colour); }
  static uint16_t Back(int x, int y);
  static int CountBack(uint16_t p);
};


// The SDL backend in a window under SDL's dummy video and audio drivers
// (no display needed); false when it does not start.
bool StartSdlDummy();

// A fresh empty folder in this process's temporary folder, which is removed
// with everything in it when the test ends.
std::string MakeTempDir(const std::string& name);
// Where the tests' data files live: the source tree's tests/data, or the
// folder VANTRIS_TEST_DATA names.
std::string TestDataDir();

}  // namespace vantris_test
