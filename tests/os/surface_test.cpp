#include "os/surface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "tests/support/test_support.h"

namespace {

using os::SurfaceResult;

// One pixel layout and row padding per run: every test below runs on 5-6-5
// and 5-5-5, with and without a padded pitch.
struct Layout {
  bool rgb555;
  int padding;
};

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
  static void Put(os::Surface* s, int x, int y, uint16_t v) { s->RawView().Row(y)[x] = v; }
  // Writes a marker into every row's padding bytes.
  static void MarkPadding(os::Surface* s) {
    os::PixelView v = s->RawView();
    for (int y = 0; y < v.height; ++y)
      std::memset(v.pixels + size_t(y) * v.pitch + v.width * 2, 0xEE, v.pitch - v.width * 2);
  }
  static bool PaddingIntact(os::Surface* s) {
    os::PixelView v = s->RawView();
    for (int y = 0; y < v.height; ++y)
      for (int b = v.width * 2; b < v.pitch; ++b)
        if (v.pixels[size_t(y) * v.pitch + b] != 0xEE) return false;
    return true;
  }
  static void Pattern(os::Surface* s) {
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) Put(s, x, y, uint16_t(1 + x + 16 * y));
  }

  os::Display* display_ = nullptr;
  std::vector<os::Surface*> made_;
};

TEST_P(SurfaceTest, LayoutPitchAndFormat) {
  os::Surface* s = Make(5, 3);
  const int expected_pitch = 10 + GetParam().padding + (GetParam().padding & 1);
  EXPECT_EQ(s->Pitch(), expected_pitch);
  os::PixelFormat f;
  ASSERT_TRUE(os::Succeeded(s->GetPixelFormat(&f)));
  EXPECT_EQ(f.bits, 16);
  EXPECT_EQ(f.Is555(), GetParam().rgb555);
  EXPECT_EQ(f.red_mask, GetParam().rgb555 ? 0x7C00u : 0xF800u);
  os::PixelView v;
  ASSERT_TRUE(os::Succeeded(s->Lock(&v)));
  EXPECT_EQ(v.pitch, expected_pitch);
  EXPECT_EQ(v.Row(2), reinterpret_cast<uint16_t*>(v.pixels + 2 * expected_pitch));
  s->Unlock();
}

TEST_P(SurfaceTest, FillsAndCopiesHonourThePitchAndNeverTouchPadding) {
  os::Surface* src = Make(6, 4);
  os::Surface* dst = Make(9, 7);
  MarkPadding(src);
  MarkPadding(dst);
  Pattern(src);
  ASSERT_TRUE(os::Succeeded(os::Fill(dst, nullptr, 0x1111)));
  os::Rect r{1, 1, 4, 3};
  ASSERT_TRUE(os::Succeeded(os::Copy(dst, 5, 4, src, &r)));
  EXPECT_EQ(At(dst, 5, 4), At(src, 1, 1));
  EXPECT_EQ(At(dst, 7, 5), At(src, 3, 2));
  EXPECT_EQ(At(dst, 8, 4), 0x1111);  // right of the copy
  EXPECT_EQ(At(dst, 5, 6), 0x1111);  // below it
  ASSERT_TRUE(os::Succeeded(os::CopyStretched(dst, nullptr, src, nullptr, false)));
  EXPECT_EQ(At(dst, 8, 6), At(src, 5, 3));
  EXPECT_TRUE(PaddingIntact(src));
  EXPECT_TRUE(PaddingIntact(dst));
}

TEST_P(SurfaceTest, RectanglesLeavingTheirSurfaceAreRefusedAndDrawNothing) {
  os::Surface* src = Make(4, 4);
  os::Surface* dst = Make(8, 8);
  Pattern(src);
  os::Fill(dst, nullptr, 0x0101);
  src->SetColorKey(0);
  const uint64_t before = dst->ContentVersion();
  os::Rect outside{2, 2, 5, 4};  // leaves the source on the right
  EXPECT_EQ(os::Copy(dst, 0, 0, src, &outside), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::CopyKeyed(dst, 6, 0, src, nullptr), SurfaceResult::InvalidRect);  // dst right
  EXPECT_EQ(os::Copy(dst, -1, 0, src, nullptr), SurfaceResult::InvalidRect);      // dst left
  EXPECT_EQ(os::Copy(dst, 0, 2147483640, src, nullptr), SurfaceResult::InvalidRect);
  os::Rect inverted{3, 0, 1, 2};
  EXPECT_EQ(os::Copy(dst, 0, 0, src, &inverted), SurfaceResult::InvalidRect);
  os::Rect big{0, 0, 9, 8};
  EXPECT_EQ(os::Fill(dst, &big, 0), SurfaceResult::InvalidRect);
  EXPECT_EQ(os::CopyStretched(dst, &big, src, nullptr, false), SurfaceResult::InvalidRect);
  // Empty rectangles draw nothing and succeed.
  os::Rect empty{2, 2, 2, 4};
  EXPECT_EQ(os::Copy(dst, 8, 0, src, &empty), SurfaceResult::Ok);
  EXPECT_EQ(os::Fill(dst, &empty, 0), SurfaceResult::Ok);
  EXPECT_EQ(dst->ContentVersion(), before);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(At(dst, x, y), 0x0101);
}

TEST_P(SurfaceTest, KeyedCopiesSkipTheKeyPixel) {
  os::Surface* src = Make(3, 1);
  os::Surface* dst = Make(3, 1);
  Put(src, 0, 0, 0x0042);
  Put(src, 1, 0, 0x1234);
  Put(src, 2, 0, 0);
  os::Fill(dst, nullptr, 0x7777);
  EXPECT_EQ(os::CopyKeyed(dst, 0, 0, src, nullptr), SurfaceResult::NoColorKey);
  ASSERT_TRUE(os::Succeeded(src->SetColorKey(0x0042)));
  uint32_t key = 0;
  ASSERT_TRUE(os::Succeeded(src->GetColorKey(&key)));
  EXPECT_EQ(key, 0x42u);
  ASSERT_TRUE(os::Succeeded(os::CopyKeyed(dst, 0, 0, src, nullptr)));
  EXPECT_EQ(At(dst, 0, 0), 0x7777);
  EXPECT_EQ(At(dst, 1, 0), 0x1234);
  EXPECT_EQ(At(dst, 2, 0), 0);
  os::Surface* wide = Make(6, 2);
  os::Fill(wide, nullptr, 0x5555);
  ASSERT_TRUE(os::Succeeded(os::CopyStretched(wide, nullptr, src, nullptr, true)));
  EXPECT_EQ(At(wide, 0, 1), 0x5555);
  EXPECT_EQ(At(wide, 1, 0), 0x5555);
  EXPECT_EQ(At(wide, 2, 1), 0x1234);
  EXPECT_EQ(At(wide, 5, 0), 0);
}

TEST_P(SurfaceTest, StretchedCopiesTakeTheNearestPixel) {
  os::Surface* src = Make(4, 4);
  os::Surface* dst = Make(8, 8);
  Pattern(src);
  os::Rect d{0, 0, 2, 2};
  ASSERT_TRUE(os::Succeeded(os::CopyStretched(dst, &d, src, nullptr, false)));
  EXPECT_EQ(At(dst, 0, 0), At(src, 0, 0));
  EXPECT_EQ(At(dst, 1, 0), At(src, 2, 0));
  EXPECT_EQ(At(dst, 1, 1), At(src, 2, 2));
  os::Rect s{1, 1, 3, 3}, big{0, 0, 8, 8};
  ASSERT_TRUE(os::Succeeded(os::CopyStretched(dst, &big, src, &s, false)));
  EXPECT_EQ(At(dst, 3, 3), At(src, 1, 1));
  EXPECT_EQ(At(dst, 4, 3), At(src, 2, 1));
  EXPECT_EQ(At(dst, 7, 7), At(src, 2, 2));
}

TEST_P(SurfaceTest, OverlappingCopyWithinOneSurfaceReadsTheOldPixels) {
  os::Surface* s = Make(6, 1);
  Pattern(s);  // 1 2 3 4 5 6
  os::Rect r{0, 0, 4, 1};
  ASSERT_TRUE(os::Succeeded(os::Copy(s, 2, 0, s, &r)));
  const uint16_t expected[6] = {1, 2, 1, 2, 3, 4};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(At(s, x, 0), expected[x]);
}

TEST_P(SurfaceTest, LockedOrLentSurfacesAreBusy) {
  os::Surface* a = Make(4, 4);
  os::Surface* b = Make(4, 4);
  os::PixelView v;
  ASSERT_TRUE(os::Succeeded(a->Lock(&v)));
  EXPECT_EQ(a->Lock(&v), SurfaceResult::Busy);
  os::DeviceContext* dc = nullptr;
  EXPECT_EQ(a->GetDC(&dc), SurfaceResult::Busy);
  EXPECT_EQ(os::Copy(b, 0, 0, a, nullptr), SurfaceResult::Busy);
  EXPECT_EQ(os::Copy(a, 0, 0, b, nullptr), SurfaceResult::Busy);
  EXPECT_EQ(os::Fill(a, nullptr, 1), SurfaceResult::Busy);
  ASSERT_TRUE(os::Succeeded(a->Unlock()));
  EXPECT_EQ(a->Unlock(), SurfaceResult::NotLocked);

  ASSERT_TRUE(os::Succeeded(a->GetDC(&dc)));
  EXPECT_EQ(dc->Target(), a);
  EXPECT_EQ(a->Lock(&v), SurfaceResult::Busy);
  os::DeviceContext* again = nullptr;
  EXPECT_EQ(a->GetDC(&again), SurfaceResult::Busy);
  EXPECT_EQ(os::CopyKeyed(b, 0, 0, a, nullptr), SurfaceResult::Busy);
  const uint64_t serial = dc->Serial();
  ASSERT_TRUE(os::Succeeded(a->ReleaseDC(dc)));
  ASSERT_TRUE(os::Succeeded(a->GetDC(&dc)));
  EXPECT_EQ(dc->Serial(), serial + 1);
  a->ReleaseDC(dc);
  EXPECT_TRUE(os::Succeeded(os::Copy(b, 0, 0, a, nullptr)));
}

TEST_P(SurfaceTest, LostSurfacesRefuseEverythingUntilRestoredWithGarbage) {
  os::Surface* video = Make(3, 2);
  os::Surface* system = Make(3, 2, os::SurfaceOffscreen | os::SurfaceSystemMemory);
  os::Surface* other = Make(3, 2);
  os::Fill(video, nullptr, 0x0F0F);
  os::Fill(system, nullptr, 0x0F0F);
  os::LoseAllSurfaces();
  EXPECT_EQ(video->IsLost(), SurfaceResult::SurfaceLost);
  EXPECT_EQ(system->IsLost(), SurfaceResult::Ok);  // system memory is never lost
  os::PixelView v;
  os::DeviceContext* dc = nullptr;
  EXPECT_EQ(video->Lock(&v), SurfaceResult::SurfaceLost);
  EXPECT_EQ(video->GetDC(&dc), SurfaceResult::SurfaceLost);
  EXPECT_EQ(os::Copy(system, 0, 0, video, nullptr), SurfaceResult::SurfaceLost);
  EXPECT_EQ(os::Fill(video, nullptr, 0), SurfaceResult::SurfaceLost);
  os::Fill(other, nullptr, 0);
  EXPECT_EQ(other->IsLost(), SurfaceResult::SurfaceLost);
  ASSERT_TRUE(os::Succeeded(video->Restore()));
  EXPECT_EQ(video->IsLost(), SurfaceResult::Ok);
  EXPECT_NE(At(video, 0, 0), 0x0F0F);  // the content did not survive
  EXPECT_EQ(At(system, 0, 0), 0x0F0F);
  os::LoseSurface(system);
  EXPECT_EQ(system->IsLost(), SurfaceResult::SurfaceLost);
}

TEST_P(SurfaceTest, InjectedLockFailuresAndStillDrawing) {
  os::Surface* s = Make(2, 2);
  os::PixelView v;
  os::SurfaceTests().fail_locks = 2;
  EXPECT_EQ(s->Lock(&v), SurfaceResult::Failed);
  EXPECT_EQ(s->Lock(&v), SurfaceResult::Failed);
  ASSERT_TRUE(os::Succeeded(s->Lock(&v)));
  s->Unlock();
  os::SurfaceTests().fail_lock_in = 2;
  ASSERT_TRUE(os::Succeeded(s->Lock(&v)));
  s->Unlock();
  EXPECT_EQ(s->Lock(&v), SurfaceResult::Failed);
  ASSERT_TRUE(os::Succeeded(s->Lock(&v)));
  s->Unlock();
  os::SurfaceTests().still_drawing = 2;
  EXPECT_EQ(s->Lock(&v, false), SurfaceResult::StillDrawing);
  EXPECT_EQ(s->Lock(&v, false), SurfaceResult::StillDrawing);
  ASSERT_TRUE(os::Succeeded(s->Lock(&v, false)));
  s->Unlock();
  os::SurfaceTests().still_drawing = 5;
  ASSERT_TRUE(os::Succeeded(s->Lock(&v, true)));  // a waiting lock waits it out
  EXPECT_EQ(os::SurfaceTests().still_drawing, 0);
  s->Unlock();
}

TEST_P(SurfaceTest, InjectedCreationFailureCountsCreations) {
  os::SurfaceTests().fail_creation_in = 3;
  os::SurfaceDesc d;
  d.width = d.height = 2;
  os::Surface* s = nullptr;
  EXPECT_TRUE(os::Succeeded(display_->CreateSurface(d, &s)));
  made_.push_back(s);
  EXPECT_TRUE(os::Succeeded(display_->CreateSurface(d, &s)));
  made_.push_back(s);
  EXPECT_FALSE(os::Succeeded(display_->CreateSurface(d, &s)));
  EXPECT_EQ(s, nullptr);
  EXPECT_TRUE(os::Succeeded(display_->CreateSurface(d, &s)));
  made_.push_back(s);
  d.width = 0;
  EXPECT_EQ(display_->CreateSurface(d, &s), SurfaceResult::InvalidParams);
  d.width = 32768;
  EXPECT_EQ(display_->CreateSurface(d, &s), SurfaceResult::InvalidParams);
}

TEST_P(SurfaceTest, DeviceContextPixelsAndBitmapsTruncateToTheChannels) {
  os::Surface* s = Make(4, 2);
  os::DeviceContext* dc = nullptr;
  ASSERT_TRUE(os::Succeeded(s->GetDC(&dc)));
  const bool is555 = GetParam().rgb555;
  // COLORREF is 0x00BBGGRR: pure red.
  EXPECT_EQ(os::SetPixel(dc, 0, 0, 0x0000FF), 0x0000F8u);
  EXPECT_EQ(At(s, 0, 0), is555 ? 0x7C00 : 0xF800);
  os::SetPixel(dc, 1, 0, 0xFFFFFF);
  EXPECT_EQ(os::GetPixel(dc, 1, 0), is555 ? 0xF8F8F8u : 0xF8FCF8u);
  EXPECT_EQ(os::GetPixel(dc, 4, 0), os::InvalidColor);
  EXPECT_EQ(os::SetPixel(dc, -1, 0, 0), os::InvalidColor);

  // A 2 x 1 bitmap stretched over the 4 x 2 surface; a dark colour that
  // truncates to 0 becomes pixel 0.
  os::Bitmap bmp;
  bmp.width = 2;
  bmp.height = 1;
  bmp.pixels = {0x070307, 0x00FF80};  // 0xRRGGBB
  ASSERT_TRUE(os::BitmapToSurface(dc, bmp, 0, 0, 0, 0));
  EXPECT_EQ(At(s, 0, 0), 0);
  EXPECT_EQ(At(s, 1, 1), 0);
  const uint16_t green_blue = is555 ? uint16_t((31 << 5) | 16) : uint16_t((63 << 5) | 16);
  EXPECT_EQ(At(s, 2, 0), green_blue);
  EXPECT_EQ(At(s, 3, 1), green_blue);
  EXPECT_FALSE(os::BitmapToSurface(dc, bmp, 1, 0, 2, 1));  // leaves the bitmap
  s->ReleaseDC(dc);
}

TEST_P(SurfaceTest, ColourConversions) {
  const os::PixelFormat f = GetParam().rgb555 ? os::Format555() : os::Format565();
  EXPECT_EQ(os::ColorToPixel(f, 0xFFFFFF), GetParam().rgb555 ? 0x7FFF : 0xFFFF);
  EXPECT_EQ(os::ColorToPixel(f, 0x040404), GetParam().rgb555 ? 0 : 0x0020);
  for (uint32_t p = 0; p < 0x10000; p += 7) {
    if (GetParam().rgb555 && p >= 0x8000) break;
    ASSERT_EQ(os::ColorToPixel(f, os::PixelToColor(f, uint16_t(p))), p);
  }
}

TEST_P(SurfaceTest, DisplayModesCapsAndPrimary) {
  EXPECT_EQ(os::CurrentDisplay(), display_);
  os::SurfaceTests().fail_mode_depths = uint64_t{1} << 16;
  EXPECT_EQ(display_->SetDisplayMode(640, 480, 16), SurfaceResult::ModeRefused);
  EXPECT_EQ(os::ScreenBitsNow(), os::DesktopBits());
  ASSERT_TRUE(os::Succeeded(display_->SetDisplayMode(640, 480, 32)));
  EXPECT_EQ(os::ScreenBitsNow(), 32);
  os::Surface* primary = Make(1, 1, os::SurfacePrimary);
  EXPECT_EQ(primary->Width(), 640);
  EXPECT_EQ(primary->Height(), 480);
  os::LoseAllSurfaces();
  EXPECT_EQ(primary->IsLost(), SurfaceResult::SurfaceLost);
  display_->RestoreDisplayMode();
  EXPECT_EQ(os::ScreenBitsNow(), os::DesktopBits());

  os::DisplayCaps driver, emulation;
  display_->GetCaps(&driver, &emulation);
  EXPECT_TRUE(emulation.stretch);
  EXPECT_FALSE(driver.hardware_3d);
  os::SurfaceTests().no_hardware_stretch = true;
  display_->GetCaps(&driver, &emulation);
  EXPECT_FALSE(emulation.stretch);

  os::SurfaceTests().palette_display = true;
  os::PixelFormat f;
  ASSERT_TRUE(os::Succeeded(primary->GetPixelFormat(&f)));
  EXPECT_EQ(f.bits, 8);
  EXPECT_EQ(f.red_mask | f.green_mask | f.blue_mask, 0u);
  os::SurfaceTests().fail_steps = os::StepPixelFormat;
  EXPECT_FALSE(os::Succeeded(primary->GetPixelFormat(&f)));
}

TEST_P(SurfaceTest, InjectedDisplayStepsFail) {
  os::SurfaceTests().fail_steps = os::StepCreateDisplay | os::StepCooperativeLevel |
                                  os::StepCreateClipper | os::StepClipperWindow |
                                  os::StepSetClipper;
  os::Display* d = nullptr;
  EXPECT_FALSE(os::Succeeded(os::CreateDisplay(nullptr, &d)));
  EXPECT_EQ(d, nullptr);
  EXPECT_FALSE(os::Succeeded(display_->SetCooperativeLevel(0, true)));
  os::Clipper* c = nullptr;
  EXPECT_FALSE(os::Succeeded(display_->CreateClipper(&c)));
  os::SurfaceTests().fail_steps = os::StepClipperWindow | os::StepSetClipper;
  ASSERT_TRUE(os::Succeeded(display_->CreateClipper(&c)));
  EXPECT_FALSE(os::Succeeded(c->SetWindow(1)));
  os::Surface* s = Make(2, 2);
  EXPECT_FALSE(os::Succeeded(s->SetClipper(c)));
  os::SurfaceTests().fail_steps = 0;
  ASSERT_TRUE(os::Succeeded(s->SetClipper(c)));
  os::ReleaseClipper(c);
  EXPECT_EQ(s->GetClipper(), nullptr);
}

TEST_P(SurfaceTest, DriverEnumerationOffersA3dDriverOnlyWhenAsked) {
  int seen = 0;
  auto count = [](const os::DisplayDriver*, void* n) {
    ++*static_cast<int*>(n);
    return true;
  };
  os::EnumerateDisplayDrivers(count, &seen);
  EXPECT_EQ(seen, 1);
  os::SurfaceTests().driver_3d = true;
  seen = 0;
  os::EnumerateDisplayDrivers(count, &seen);
  EXPECT_EQ(seen, 2);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SurfaceTest,
                         ::testing::Values(Layout{false, 0}, Layout{true, 0}, Layout{false, 6},
                                           Layout{true, 13}),
                         [](const ::testing::TestParamInfo<Layout>& info) {
                           return std::string(info.param.rgb555 ? "rgb555" : "rgb565") + "_pad" +
                                  std::to_string(info.param.padding);
                         });

}  // namespace
