#include "os/surface.h"
#include "os/surface_blit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/support/test_support.h"

namespace {

using os::SurfaceResult;

// Tests run on 5-6-5 unpadded and 5-5-5 with an odd row padding.
struct Layout {
  bool rgb555;
  int padding;
};

// Sprite-like content: key areas, opaque runs, whole key or opaque rows.
void Scatter(os::Surface* s, uint16_t key) {
  os::PixelView v = s->RawView();
  for (int y = 0; y < v.height; ++y)
    for (int x = 0; x < v.width; ++x) {
      const int r = os::Random();
      uint16_t p = static_cast<uint16_t>(r * 7 + 1);
      if (p == key) ++p;
      const bool clear = y % 11 == 3 || (y % 11 != 5 && r % 5 < 2);
      v.Row(y)[x] = clear ? key : p;
    }
}
std::vector<uint16_t> Pixels(os::Surface* s) {
  os::PixelView v = s->RawView();
  std::vector<uint16_t> out;
  for (int y = 0; y < v.height; ++y) out.insert(out.end(), v.Row(y), v.Row(y) + v.width);
  return out;
}
// What a keyed copy must give, pixel by pixel.
void Reference(std::vector<uint16_t>& dst, int dw, int x, int y, os::Surface* src,
               const os::Rect& r, uint16_t key) {
  os::PixelView v = src->RawView();
  for (int row = r.top; row < r.bottom; ++row)
    for (int col = r.left; col < r.right; ++col) {
      const uint16_t p = v.Row(row)[col];
      if (p != key) dst[static_cast<size_t>(y + row - r.top) * dw + x + col - r.left] = p;
    }
}

class SurfaceTest : public vantris_test::HeadlessTest,
                    public ::testing::WithParamInterface<Layout> {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::ResetSurfaceTests();
    os::SurfaceLayoutSettings().rgb555 = GetParam().rgb555;
    os::SurfaceLayoutSettings().pitch_padding = GetParam().padding;
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &display_)));
  }
  void TearDown() override {
    for (os::Surface* s : made_) os::ReleaseSurface(s);
    os::ReleaseDisplay(display_);
    os::ResetSurfaceTests();
    EXPECT_EQ(os::LiveSurfaceCount(), 0);
    HeadlessTest::TearDown();
  }
  os::Surface* Make(int w, int h, uint32_t caps = os::SurfaceOffscreen) {
    os::SurfaceDesc d;
    d.caps = caps;
    d.width = w;
    d.height = h;
    os::Surface* s = nullptr;
    EXPECT_TRUE(os::Succeeded(display_->CreateSurface(d, &s)));
    if (s) made_.push_back(s);
    return s;
  }
  static uint16_t At(os::Surface* s, int x, int y) { return s->RawView().Row(y)[x]; }
  static void Pattern(os::Surface* s) {
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) s->RawView().Row(y)[x] = uint16_t(1 + x + 16 * y);
  }
  // Marks (or checks) every row's padding bytes with 0xEE.
  static bool Padding(os::Surface* s, bool mark) {
    os::PixelView v = s->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int b = v.width * 2; b < v.pitch; ++b) {
        uint8_t& p = v.pixels[size_t(y) * v.pitch + b];
        if (mark) p = 0xEE;
        else if (p != 0xEE) return false;
      }
    return true;
  }

  os::Display* display_ = nullptr;
  std::vector<os::Surface*> made_;
};

TEST_P(SurfaceTest, CopiesHonourThePitchNeverTouchPaddingAndStretchToTheNearestPixel) {
  os::Surface* src = Make(6, 4);
  os::Surface* dst = Make(9, 7);
  EXPECT_EQ(src->Pitch(), 12 + GetParam().padding + (GetParam().padding & 1));
  Padding(src, true);
  Padding(dst, true);
  Pattern(src);
  ASSERT_TRUE(os::Succeeded(os::Fill(dst, nullptr, 0x1111)));
  os::Rect r{1, 1, 4, 3};
  ASSERT_TRUE(os::Succeeded(os::Copy(dst, 5, 4, src, &r)));
  EXPECT_EQ(At(dst, 7, 5), At(src, 3, 2));
  EXPECT_EQ(At(dst, 8, 4), 0x1111);
  ASSERT_TRUE(os::Succeeded(os::CopyStretched(dst, nullptr, src, nullptr, false)));
  EXPECT_EQ(At(dst, 8, 6), At(src, 5, 3));
  EXPECT_TRUE(Padding(src, false));
  EXPECT_TRUE(Padding(dst, false));
}

// Copies of whole rows (one copy of the block where rows lie end to end):
// a whole surface onto another, a band of rows lower down, and a surface
// onto itself one row lower (which reads the old rows), against the
// pixel-by-pixel result.
TEST_P(SurfaceTest, WholeRowCopiesMatchTheirPixelByPixelResult) {
  struct Case {
    bool same;
    os::Rect rect;
    int y;
  };
  const Case cases[] = {{false, {0, 0, 7, 5}, 0}, {false, {0, 1, 7, 4}, 2}, {true, {0, 0, 7, 4}, 1}};
  for (const Case& c : cases) {
    os::Surface* src = Make(7, 5);
    os::Surface* dst = c.same ? src : Make(7, 5);
    Padding(src, true);
    Padding(dst, true);
    Pattern(src);
    if (!c.same) {
      ASSERT_TRUE(os::Succeeded(os::Fill(dst, nullptr, 0x1111)));
    }
    std::vector<uint16_t> expected = Pixels(dst);
    const std::vector<uint16_t> before = Pixels(src);
    for (int row = c.rect.top; row < c.rect.bottom; ++row)
      for (int col = 0; col < 7; ++col)
        expected[static_cast<size_t>(c.y + row - c.rect.top) * 7 + col] =
            before[static_cast<size_t>(row) * 7 + col];
    const uint64_t version = dst->ContentVersion();
    ASSERT_TRUE(os::Succeeded(os::Copy(dst, 0, c.y, src, &c.rect)));
    EXPECT_EQ(Pixels(dst), expected) << c.same << " " << c.y;
    EXPECT_NE(dst->ContentVersion(), version);
    EXPECT_TRUE(Padding(dst, false));
  }
}

TEST_P(SurfaceTest, RectanglesLeavingTheirSurfaceAreRefusedAndDrawNothing) {
  os::Surface* src = Make(4, 4);
  os::Surface* dst = Make(8, 8);
  os::Fill(dst, nullptr, 0x0101);
  EXPECT_EQ(os::CopyKeyed(dst, 0, 0, src, nullptr), SurfaceResult::NoColorKey);
  src->SetColorKey(0);
  const uint64_t before = dst->ContentVersion();
  os::Rect outside{2, 2, 5, 4}, inverted{3, 0, 1, 2}, big{0, 0, 9, 8}, empty{2, 2, 2, 4};
  EXPECT_EQ(os::Copy(dst, 0, 0, src, &outside), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::CopyKeyed(dst, 6, 0, src, nullptr), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::Copy(dst, 0, 2147483640, src, nullptr), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::Copy(dst, 0, 0, src, &inverted), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::CopyStretched(dst, &big, src, nullptr, false), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::Copy(dst, 8, 0, src, &empty), SurfaceResult::Ok);
  EXPECT_EQ(dst->ContentVersion(), before);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(dst, x, y), 0x0101);
}

TEST_P(SurfaceTest, LostSurfacesRefuseEverythingUntilRestoredWithGarbage) {
  os::Surface* video = Make(3, 2);
  os::Surface* system = Make(3, 2, os::SurfaceOffscreen | os::SurfaceSystemMemory);
  os::Fill(video, nullptr, 0x0F0F);
  os::Fill(system, nullptr, 0x0F0F);
  os::LoseAllSurfaces();
  EXPECT_EQ(system->IsLost(), SurfaceResult::Ok);  // system memory is never lost
  EXPECT_EQ(os::Copy(system, 0, 0, video, nullptr), SurfaceResult::SurfaceLost);
  EXPECT_EQ(os::Fill(video, nullptr, 0), SurfaceResult::SurfaceLost);
  ASSERT_TRUE(os::Succeeded(video->Restore()));
  EXPECT_NE(At(video, 0, 0), 0x0F0F);
  EXPECT_EQ(At(system, 0, 0), 0x0F0F);
}

TEST_P(SurfaceTest, KeyedCachedRunsGiveThePerPixelResultForAnyRectangle) {
  os::Surface* src = Make(97, 53, os::SurfaceOffscreen | os::SurfaceSystemMemory);
  os::Surface* dst = Make(160, 120);
  const uint16_t key = 0x1234;
  Scatter(src, key);
  ASSERT_TRUE(os::Succeeded(src->SetColorKey(key)));
  std::vector<uint16_t> expect = Pixels(dst);
  for (int i = 0; i < 40; ++i) {
    const int l = os::Random() % 97, t = os::Random() % 53;
    const int r = l + os::Random() % (98 - l), b = t + os::Random() % (54 - t);
    const int x = os::Random() % (160 - (r - l) + 1), y = os::Random() % (120 - (b - t) + 1);
    const os::Rect rect{l, t, r, b};
    ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, x, y, src, &rect)));
    Reference(expect, 160, x, y, src, rect, key);
    ASSERT_EQ(Pixels(dst), expect) << "copy " << i;
  }
  EXPECT_TRUE(os::KeyedRunCache::Cached(src));
}

// A wide sheet of cells, its runs made at once: solid bands, dithered bands
// (runs of one pixel) and scattered ones side by side, so that a cell's rows
// start from marks inside runs and gaps and meet both long and short runs.
TEST_P(SurfaceTest, KeyedCellsOfAPreparedWideSheetGiveThePerPixelResult) {
  const int w = 421, h = 23;
  os::Surface* src = Make(w, h, os::SurfaceOffscreen | os::SurfaceSystemMemory);
  os::Surface* dst = Make(w, h);
  const uint16_t key = 0;
  os::PixelView v = src->RawView();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint16_t p = static_cast<uint16_t>(1 + x * 3 + y);
      switch ((x / 37 + y / 7) % 4) {
        case 0: v.Row(y)[x] = p; break;                            // solid
        case 1: v.Row(y)[x] = (x + y) % 2 ? key : p; break;        // dithered
        case 2: v.Row(y)[x] = os::Random() % 3 ? p : key; break;   // scattered
        default: v.Row(y)[x] = key; break;                         // clear
      }
    }
  ASSERT_TRUE(os::Succeeded(src->SetColorKey(key)));
  os::KeyedRunCache::Prepare(src);
  ASSERT_TRUE(os::KeyedRunCache::Cached(src));
  for (int cell : {1, 20, 60, 64, 65, 100, 128, 200}) {
    for (int left = 0; left + cell <= w; left += 13) {
      os::Fill(dst, nullptr, 0x7777);
      std::vector<uint16_t> expect = Pixels(dst);
      const os::Rect rect{left, 0, left + cell, h};
      ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, w - cell, 0, src, &rect)));
      Reference(expect, w, w - cell, 0, src, rect, key);
      ASSERT_EQ(Pixels(dst), expect) << "cell " << cell << " from " << left;
    }
  }
}

TEST_P(SurfaceTest, KeyedANewContentOrKeyIsSeenAtOnce) {
  os::Surface* src = Make(8, 1);
  os::Surface* dst = Make(8, 1);
  os::PixelView v = src->RawView();
  for (int x = 0; x < 8; ++x) v.Row(0)[x] = static_cast<uint16_t>(x % 2 ? 0 : 5);
  src->SetColorKey(0);
  for (int i = 0; i < 2; ++i) os::CopyKeyed(dst, 0, 0, src, nullptr);
  ASSERT_TRUE(os::KeyedRunCache::Cached(src));
  os::Fill(src, nullptr, 9);  // a write through the surface functions

  os::PixelView locked;
  ASSERT_TRUE(os::Succeeded(src->Lock(&locked, true)));  // a write through a lock
  locked.Row(0)[3] = 0;
  src->Unlock();
  os::Fill(dst, nullptr, 1);
  for (int i = 0; i < 2; ++i) os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_EQ(dst->RawView().Row(0)[3], 1);
  EXPECT_EQ(dst->RawView().Row(0)[2], 9);

  src->SetColorKey(9);  // a new key
  os::Fill(dst, nullptr, 1);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_EQ(dst->RawView().Row(0)[2], 1);
  EXPECT_EQ(dst->RawView().Row(0)[3], 0);
}

// The rows' spans of pixels other than 0, made at the second sight of a
// content; a read-only lock keeps them, a write (through a lock or a fill)
// makes them anew.
TEST_P(SurfaceTest, OpaqueExtentsFollowTheContentButNotReadOnlyLocks) {
  os::Surface* src = Make(9, 3);
  os::PixelView v = src->RawView();
  const uint16_t rows[3][9] = {{0, 0, 4, 0, 0, 7, 0, 0, 0}, {0}, {1, 0, 0, 0, 0, 0, 0, 0, 2}};
  for (int y = 0; y < 3; ++y) std::copy_n(rows[y], 9, v.Row(y));
  EXPECT_EQ(os::OpaqueExtents::Of(src), nullptr);  // first sight
  const os::OpaqueExtents* e = os::OpaqueExtents::Of(src);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->first, (std::vector<int32_t>{2, 9, 0}));
  EXPECT_EQ(e->end, (std::vector<int32_t>{6, 9, 9}));

  os::PixelView locked;
  const uint64_t version = src->ContentVersion();
  ASSERT_TRUE(os::Succeeded(src->LockReadOnly(&locked, true)));
  EXPECT_EQ(src->LockReadOnly(&locked, true), SurfaceResult::Busy);
  src->Unlock();
  EXPECT_EQ(src->ContentVersion(), version);
  EXPECT_EQ(os::OpaqueExtents::Of(src), e);

  ASSERT_TRUE(os::Succeeded(src->Lock(&locked, true)));
  locked.Row(1)[4] = 3;
  src->Unlock();
  EXPECT_EQ(os::OpaqueExtents::Of(src), nullptr);
  e = os::OpaqueExtents::Of(src);
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->first[1], 4);
  EXPECT_EQ(e->end[1], 5);
  os::Fill(src, nullptr, 0);
  EXPECT_EQ(os::OpaqueExtents::Of(src), nullptr);
  EXPECT_EQ(os::OpaqueExtents::Of(src)->first, os::OpaqueExtents::Of(src)->end);
}

// The keyed row copy at every width on both sides of its sixteen-pixel
// steps (pixel by pixel, one step, the last step moved back), with a key
// other than 0: the per-pixel result, and nothing written past the row.
TEST(KeyedRowTest, GivesThePerPixelResultAndStaysInsideTheRow) {
  const uint16_t key = 0x0F0F;
  for (int n = 0; n <= 40; ++n) {
    std::vector<uint16_t> src(48), dst(48), expect(48);
    for (int i = 0; i < 48; ++i) {
      src[i] = i % 3 == 1 || i % 7 == 0 ? key : static_cast<uint16_t>(100 + i);
      dst[i] = expect[i] = static_cast<uint16_t>(5000 + i);
      if (i < n && src[i] != key) expect[i] = src[i];
    }
    os::KeyedRow(dst.data(), src.data(), n, key);
    EXPECT_EQ(dst, expect) << n << " pixels";
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, SurfaceTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 13}),
                         [](const auto& info) { return info.param.rgb555 ? "rgb555" : "rgb565"; });

}  // namespace
