// The keyed copy's cached opaque runs against a plain per-pixel copy.
#include <cstdint>
#include <vector>

#include "os/surface.h"
#include "os/surface_blit.h"
#include "tests/support/test_support.h"

namespace {

class KeyedCopy : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ASSERT_TRUE(os::Succeeded(os::CreateDisplay(nullptr, &display_)));
  }
  void TearDown() override {
    for (os::Surface* s : made_) os::ReleaseSurface(s);
    os::ReleaseDisplay(display_);
    os::ResetSurfaceTests();
    HeadlessTest::TearDown();
  }
  os::Surface* Make(int w, int h) {
    os::SurfaceDesc desc;
    desc.caps = os::SurfaceOffscreen | os::SurfaceSystemMemory;
    desc.width = w;
    desc.height = h;
    os::Surface* s = nullptr;
    EXPECT_TRUE(os::Succeeded(display_->CreateSurface(desc, &s)));
    made_.push_back(s);
    return s;
  }
  // Sprite-like content: transparent (key) areas, opaque runs of every
  // length, single pixels, rows wholly transparent or wholly opaque.
  static void Scatter(os::Surface* s, uint16_t key) {
    os::PixelView v;
    ASSERT_TRUE(os::Succeeded(s->Lock(&v, true)));
    for (int y = 0; y < v.height; ++y)
      for (int x = 0; x < v.width; ++x) {
        const int r = os::Random();
        uint16_t p = static_cast<uint16_t>(r * 7 + 1);
        if (p == key) ++p;
        const bool clear = y % 11 == 3 || (y % 11 != 5 && r % 5 < 2);
        v.Row(y)[x] = clear ? key : p;
      }
    s->Unlock();
  }
  static std::vector<uint16_t> Pixels(os::Surface* s) {
    os::PixelView v = s->RawView();
    std::vector<uint16_t> out;
    for (int y = 0; y < v.height; ++y) out.insert(out.end(), v.Row(y), v.Row(y) + v.width);
    return out;
  }
  // What a keyed copy must give, pixel by pixel.
  static void Reference(std::vector<uint16_t>& dst, int dw, int x, int y, os::Surface* src,
                        const os::Rect& r, uint16_t key) {
    os::PixelView v = src->RawView();
    for (int row = r.top; row < r.bottom; ++row)
      for (int col = r.left; col < r.right; ++col) {
        const uint16_t p = v.Row(row)[col];
        if (p != key) dst[static_cast<size_t>(y + row - r.top) * dw + x + col - r.left] = p;
      }
  }
  os::Display* display_ = nullptr;
  std::vector<os::Surface*> made_;
};

TEST_F(KeyedCopy, CachedRunsGiveThePerPixelResultForAnyRectangle) {
  os::SurfaceLayoutSettings().pitch_padding = 6;
  os::Surface* src = Make(97, 53);
  os::Surface* dst = Make(160, 120);
  const uint16_t key = 0x1234;
  Scatter(src, key);
  ASSERT_TRUE(os::Succeeded(src->SetColorKey(key)));
  std::vector<uint16_t> expect = Pixels(dst);
  for (int i = 0; i < 300; ++i) {
    const int l = os::Random() % 97, t = os::Random() % 53;
    const int r = l + os::Random() % (98 - l), b = t + os::Random() % (54 - t);
    const int x = os::Random() % (160 - (r - l) + 1), y = os::Random() % (120 - (b - t) + 1);
    const os::Rect rect{l, t, r, b};
    ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, x, y, src, &rect)));
    Reference(expect, 160, x, y, src, rect, key);
    ASSERT_EQ(Pixels(dst), expect) << "copy " << i;
    // The whole picture too (the encoded rows are then read one after another).
    const int wx = os::Random() % (160 - 97 + 1), wy = os::Random() % (120 - 53 + 1);
    ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, wx, wy, src, nullptr)));
    Reference(expect, 160, wx, wy, src, os::Rect{0, 0, 97, 53}, key);
    ASSERT_EQ(Pixels(dst), expect) << "whole copy " << i;
  }
  EXPECT_TRUE(os::KeyedRunCache::Cached(src));
}

TEST_F(KeyedCopy, RunsOfEveryLengthStopAtTheirEnds) {
  // Row r: key, then runs of r + 1 and of 130 - r pixels between key pixels.
  os::Surface* src = Make(140, 130);
  os::Surface* dst = Make(150, 140);
  os::PixelView v = src->RawView();
  for (int y = 0; y < 130; ++y)
    for (int x = 0; x < 140; ++x) {
      const bool first = x >= 2 && x < 2 + y + 1;
      const bool second = x >= 4 + y && x < 4 + y + (130 - y);
      v.Row(y)[x] = first || second ? static_cast<uint16_t>(1 + x + y) : uint16_t{0};
    }
  src->SetColorKey(0);
  os::Fill(dst, nullptr, 0xAAAA);
  std::vector<uint16_t> expect = Pixels(dst);
  for (int pass = 0; pass < 2; ++pass) {  // the per-pixel copy, then the runs
    ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, 5, 3, src, nullptr)));
    Reference(expect, 150, 5, 3, src, os::Rect{0, 0, 140, 130}, 0);
    ASSERT_EQ(Pixels(dst), expect) << pass;
    const os::Rect cut{7, 1, 101, 129};
    ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, 1, 2, src, &cut)));
    Reference(expect, 150, 1, 2, src, cut, 0);
    ASSERT_EQ(Pixels(dst), expect) << pass;
  }
  EXPECT_TRUE(os::KeyedRunCache::Cached(src));
}

TEST_F(KeyedCopy, RunsAreBuiltOnTheSecondDrawOfTheSameContent) {
  os::Surface* src = Make(20, 10);
  os::Surface* dst = Make(40, 40);
  Scatter(src, 0);
  src->SetColorKey(0);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_FALSE(os::KeyedRunCache::Cached(src));
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_TRUE(os::KeyedRunCache::Cached(src));
}

TEST_F(KeyedCopy, ANewContentOrKeyIsSeenAtOnce) {
  os::Surface* src = Make(8, 1);
  os::Surface* dst = Make(8, 1);
  os::PixelView v = src->RawView();
  for (int x = 0; x < 8; ++x) v.Row(0)[x] = static_cast<uint16_t>(x % 2 ? 0 : 5);
  src->SetColorKey(0);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  ASSERT_TRUE(os::KeyedRunCache::Cached(src));

  os::Fill(src, nullptr, 9);  // a write through the surface functions
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_EQ(dst->RawView().Row(0)[1], 9);

  os::PixelView locked;
  ASSERT_TRUE(os::Succeeded(src->Lock(&locked, true)));  // a write through a lock
  locked.Row(0)[3] = 0;
  src->Unlock();
  os::Fill(dst, nullptr, 1);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_EQ(dst->RawView().Row(0)[3], 1);
  EXPECT_EQ(dst->RawView().Row(0)[2], 9);

  src->SetColorKey(9);  // a new key
  os::Fill(dst, nullptr, 1);
  os::CopyKeyed(dst, 0, 0, src, nullptr);
  EXPECT_EQ(dst->RawView().Row(0)[2], 1);
  EXPECT_EQ(dst->RawView().Row(0)[3], 0);
}

TEST_F(KeyedCopy, CopyWithinOneSurfaceReadsTheOldPixels) {
  os::Surface* s = Make(6, 1);
  os::PixelView v = s->RawView();
  for (int x = 0; x < 6; ++x) v.Row(0)[x] = static_cast<uint16_t>(x + 1);
  s->SetColorKey(3);
  const os::Rect r{0, 0, 4, 1};
  ASSERT_TRUE(os::Succeeded(os::CopyKeyed(s, 2, 0, s, &r)));
  EXPECT_EQ(v.Row(0)[2], 1);
  EXPECT_EQ(v.Row(0)[3], 2);
  EXPECT_EQ(v.Row(0)[4], 5);  // source pixel 3 is the key
  EXPECT_EQ(v.Row(0)[5], 4);
}

}  // namespace
