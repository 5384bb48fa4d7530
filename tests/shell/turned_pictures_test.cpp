// The kept turns against the reference turn: every picture the game draws
// turned, at every whole degree (and the same angles a turn below and above,
// through the modulo), drawn inside the playfield and across each edge and
// corner of its clip rectangle, over a background with no 0 in it.  The two
// must leave the same pixels, and a picture whose content changes must be
// drawn from its new content.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "shell/assets.h"
#include "tests/support/game_harness.h"

namespace {

using namespace vantris_test;

class TurnedPicturesTest : public RunningGameTest {
 protected:
  void SetUp() override {
    RunningGameTest::SetUp();
    elDraw::SetClip(180, 0, 620, 600);
  }
  void TearDown() override {
    elDraw::soft::UseTurnedPictures = true;
    elDraw::soft::PixelEngine = elDraw::soft::WidestEngine();
    RunningGameTest::TearDown();
  }

  // The back-buffer pixels around a size x size box at (x, y) after a
  // rotated draw over a background without 0s, from the kept turns or
  // turned afresh.
  static std::vector<uint16_t> Drawn(int32_t handle, int size, int x, int y, int angle,
                                     bool kept) {
    const os::PixelView back = BackBuffer->RawView();
    const int x0 = std::max(0, x - 1), x1 = std::min(back.width, x + size + 1);
    const int y0 = std::max(0, y - 1), y1 = std::min(back.height, y + size + 1);
    for (int row = y0; row < y1; ++row)
      for (int col = x0; col < x1; ++col)
        back.Row(row)[col] = static_cast<uint16_t>((col * 7 + row * 13) | 1);
    elDraw::soft::UseTurnedPictures = kept;
    EXPECT_EQ(elDraw::DrawRotated(x, y, x + size, y + size, angle, handle, 0, 0, size, size), 1);
    std::vector<uint16_t> pixels;
    for (int row = y0; row < y1; ++row)
      pixels.insert(pixels.end(), back.Row(row) + x0, back.Row(row) + x1);
    return pixels;
  }

  // Failures of kept against afresh for one draw, reported once.
  static ::testing::AssertionResult Same(int32_t handle, int size, int x, int y, int angle) {
    if (Drawn(handle, size, x, y, angle, true) == Drawn(handle, size, x, y, angle, false))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "picture " << SpriteObjects[handle].Name << " at ("
                                         << x << ", " << y << ") turned " << angle;
  }
};

TEST_F(TurnedPicturesTest, KeptTurnsDrawWhatTurningDraws) {
  ASSERT_GT(TurnedPictureCount, 0);
  // All of them together stay a small part of the game's memory.
  EXPECT_LT(elDraw::TurnedBytes(), size_t{16} << 20);
  for (int p = 0; p < TurnedPictureCount; ++p) {
    const int32_t handle = *TurnedPictures[p].handle;
    const int s = TurnedPictures[p].size;
    ASSERT_GE(handle, FirstFreeSprite) << "picture " << p << " is not loaded";
    // Inside; across the left, right, top and bottom edges of the clip
    // rectangle (180, 0, 620, 600); across two corners; outside it.
    const int places[][2] = {{300, 200},          {180 - s / 2, 300},     {620 - s / 2, 300},
                             {400, -s / 2},       {400, 600 - s / 2},     {180 - s / 3, -s / 3},
                             {620 - s / 3, 600 - 2 * s / 3},              {100, 100}};
    int failures = 0;
    for (int angle = 0; angle < 360 && failures < 5; ++angle) {
      for (const auto& place : places)
        if (!Same(handle, s, place[0], place[1], angle)) {
          ADD_FAILURE() << Same(handle, s, place[0], place[1], angle).message();
          ++failures;
        }
      for (int turned : {angle - 360, angle + 360, angle - 720})
        if (!Same(handle, s, 320, 240, turned)) {
          ADD_FAILURE() << Same(handle, s, 320, 240, turned).message();
          ++failures;
        }
    }
  }
}

// The kept turns' copy and the reference turn on every engine this machine
// runs, every picture at every 13th degree across each edge.
TEST_F(TurnedPicturesTest, EveryEngineDrawsTheSame) {
  using elDraw::soft::RowEngine;
  for (RowEngine engine : {RowEngine::Scalar, RowEngine::Vector128, RowEngine::Vector256,
                           RowEngine::Vector512}) {
    if (engine > elDraw::soft::WidestEngine()) continue;
    elDraw::soft::PixelEngine = engine;
    for (int p = 0; p < TurnedPictureCount; ++p) {
      const int32_t handle = *TurnedPictures[p].handle;
      const int s = TurnedPictures[p].size;
      for (int angle = 0; angle < 360; angle += 13)
        for (const auto& place : {std::pair{300, 200}, std::pair{180 - s / 2, 300},
                                  std::pair{620 - s / 3, 600 - s / 2}})
          ASSERT_TRUE(Same(handle, s, place.first, place.second, angle))
              << "engine " << static_cast<int>(engine);
    }
  }
}

TEST_F(TurnedPicturesTest, DrawnFromTheNewContentAfterAChange) {
  const int32_t handle = ImgVall301;
  const int size = 30;
  // A draw into the picture, then a reload of it (a new surface).
  os::PixelView view;
  os::Surface* surface = SpriteObjects[handle].Surface;
  ASSERT_TRUE(os::Succeeded(surface->Lock(&view, true)));
  for (int x = 0; x < 10; ++x) view.Row(15)[x] = 0xFFFF;
  surface->Unlock();
  for (int angle : {0, 33, 90, 181, 359}) EXPECT_TRUE(Same(handle, size, 300, 200, angle));
  ASSERT_EQ(elDraw::SwapObject(SpriteObjects[handle].Name, handle, 1), 1);
  for (int angle : {0, 33, 90, 181, 359}) EXPECT_TRUE(Same(handle, size, 300, 200, angle));
}

TEST_F(TurnedPicturesTest, KeepsOnlyPicturesOfTheTableInBoxesItCanHold) {
  const struct {
    int32_t handle;
    int32_t w, h;
    bool kept;
  } cases[] = {
      {ImgVall301, 30, 30, true},   {0, 30, 30, false},          {3, 30, 30, false},
      {499, 30, 30, false},         {500, 30, 30, false},        {-1, 30, 30, false},
      {ImgVall301, 0, 30, false},   {ImgVall301, 30, 257, false}, {ImgVall301, 256, 256, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(elDraw::KeepTurned(c.handle, c.w, c.h), c.kept)
        << c.handle << " " << c.w << " x " << c.h;
  // A draw in another box than the kept one turns afresh, and draws the same.
  EXPECT_TRUE(Same(ImgVall301, 30, 300, 200, 45));
  EXPECT_TRUE(Same(ImgVall301, 256, 300, 200, 45));
}

}  // namespace
