// The present with its screen transitions and the picture overlay.
#include "el/draw/present.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "el/draw/blit.h"
#include "el/draw/objects.h"
#include "el/draw/screen.h"
#include "el/draw/transition_state.h"
#include "el/system/app_state.h"
#include "el/system/frame_timer.h"
#include "os/backend.h"
#include "os/keys.h"

namespace elDraw {
namespace {

constexpr int32_t CapturedFrame = 1;  // internal object 1 holds the old frame
constexpr int64_t ForwardSteps = 10;  // a forward run always lasts ten frames
constexpr int32_t TileWidth = 64, TileHeight = 48;

// Part of the captured frame at (x, y), opaque and clipped.
void Band(int64_t x, int64_t y, int64_t left, int64_t top, int64_t right, int64_t bottom) {
  DrawClipped(BackBuffer, x, y, CapturedFrame, left, top, right, bottom, false);
}

// Pattern 0: the strip's frame S - 1 as 10 x 10 keyed tiles.
void DrawTileTransition(int64_t step) {
  const int64_t frame_left = (step - 1) * TileWidth;
  for (int64_t i = 0; i < 10; ++i)
    for (int64_t j = 0; j < 10; ++j)
      DrawClipped(BackBuffer, TileWidth * i, TileHeight * j, TransitionPicture, frame_left, 0,
                  frame_left + TileWidth, TileHeight, true);
}

// Patterns 1 to 12 over the captured frame, for step S of band B.  The band
// patterns divide by B (and pattern 3's and 4's jitter by 2 (B - S) + 2): a
// run without a band, or whose jitter range would be empty, draws nothing.
void DrawBandTransition(int32_t pattern, int64_t S, int64_t B) {
  if (B < 1) return;
  const int64_t W = ScreenWidth, H = ScreenHeight;
  const int64_t done = B - S + 1;  // 1 on a backward run's first frame, B on its last
  const int64_t jitter_range = 2 * (B - S) + 2;
  const bool jitter = pattern == 3 || pattern == 4;
  if (jitter && jitter_range <= 0) return;
  auto shift = [&]() -> int64_t {
    return jitter ? os::Random() % jitter_range - done : 0;
  };
  switch (pattern) {
    case 1:
    case 3:  // every row but each S-th, pattern 3 shifted row by row
      for (int64_t i = 0; i < H; ++i)
        if (i % S != 0) Band(shift(), i, 0, i, W, i + 1);
      break;
    case 2:
    case 4:  // S + 1 rows at the top of each band, pattern 4 shifted band by band
      for (int64_t i = 0; i < H; i += B) Band(shift(), i, 0, i, W, i + S + 1);
      break;
    case 5:  // slides up
      Band(0, (-H / B) * done, 0, 0, W, H);
      break;
    case 6:  // slides down
      Band(0, (H / B) * done, 0, 0, W, H);
      break;
    case 7:  // slides left
      Band((-W / B) * done, 0, 0, 0, W, H);
      break;
    case 8:  // slides right
      Band((W / B) * done, 0, 0, 0, W, H);
      break;
    case 9:  // opens vertically
      Band(0, (-(H / 2) / B) * done, 0, 0, W, H / 2);
      Band(0, H / 2 + ((H / 2) / B) * done, 0, H / 2, W, H);
      break;
    case 10:  // opens horizontally
      Band((-(W / 2) / B) * done, 0, 0, 0, W / 2, H);
      Band(W / 2 + ((W / 2) / B) * done, 0, W / 2, 0, W, H);
      break;
    case 11:  // shrinks to the left
      Band(0, 0, 0, 0, (W / B) * S, H);
      break;
    case 12: {  // shrinks to the right
      const int64_t from = (W / B) * done;
      Band(from, 0, from, 0, W, H);
      break;
    }
    default:
      break;
  }
}

void DrawTransitionAndStep() {
  const int64_t S = TransitionStep;
  if (TransitionPattern == 0)
    DrawTileTransition(S);
  else
    DrawBandTransition(TransitionPattern, S, TransitionBand);

  const int64_t next = S + TransitionDir;
  const bool ended = (TransitionDir == -1 && next < 1) ||
                     (TransitionDir == 1 && next > ForwardSteps) ||
                     next < std::numeric_limits<int32_t>::min() ||
                     next > std::numeric_limits<int32_t>::max();
  if (ended) {
    TransitionStep = 0;
    TransitionDir = 0;
  } else {
    TransitionStep = static_cast<int32_t>(next);
  }
}

int64_t Whole(float v) {
  return std::isfinite(v) ? static_cast<int64_t>(std::trunc(static_cast<double>(v))) : 0;
}

void DrawOverlay() {
  for (int64_t i = 0; i <= 10; ++i)
    for (int64_t j = 0; j <= 10; ++j)
      DrawClipped(BackBuffer, TileWidth * i + Whole(OverlayTileX), TileHeight * j + Whole(OverlayTileY),
                  OverlayTile, 0, 0, TileWidth, TileHeight, true);
  OverlayTileX -= FrameTime * 10.0f;
  OverlayTileY -= FrameTime * 10.0f;
  if (OverlayTileX <= -TileWidth) OverlayTileX += TileWidth;
  if (OverlayTileY <= -TileHeight) OverlayTileY += TileHeight;
  if (!std::isfinite(OverlayTileX) || OverlayTileX <= -TileWidth) OverlayTileX = 0.0f;
  if (!std::isfinite(OverlayTileY) || OverlayTileY <= -TileHeight) OverlayTileY = 0.0f;

  const int64_t row = Whole(OverlayScroll);
  DrawClipped(BackBuffer, ClipLeft, ClipTop, OverlayPicture, 0, row,
              int64_t{ClipRight} - ClipLeft, row + ClipBottom - ClipTop, true);

  switch (OverlayKey) {
    case os::KeyUp: OverlayScroll -= FrameTime * 100.0f; break;
    case os::KeyLeft: OverlayScroll -= FrameTime * 300.0f; break;
    case os::KeyDown: OverlayScroll += FrameTime * 100.0f; break;
    case os::KeyRight: OverlayScroll += FrameTime * 300.0f; break;
    default: break;
  }
  // Between the picture's first row and the last row that still fills the
  // clip rectangle (the first row when the picture is shorter than that).
  const double last = std::max(
      0.0, static_cast<double>(OverlayHeight) - (static_cast<double>(ClipBottom) - ClipTop));
  if (!std::isfinite(OverlayScroll) || OverlayScroll < 0.0f) OverlayScroll = 0.0f;
  if (OverlayScroll > last) OverlayScroll = static_cast<float>(last);
}

// The source rectangle fits the back buffer, and the primary too where the
// copy onto it is not clipped (full screen; in a window the primary's
// clipper keeps the copy to the window's visible part, so a window larger
// than the desktop still shows the part of it on the screen).
bool ScreenRectFits() {
  const os::Rect& r = ScreenRect;
  if (r.left < 0 || r.top < 0 || r.right < r.left || r.bottom < r.top) return false;
  for (const os::Surface* s : {BackBuffer, PrimarySurface}) {
    if (s == PrimarySurface && s->GetClipper() != nullptr) continue;
    if (r.right > s->Width() || r.bottom > s->Height()) return false;
  }
  return true;
}

void Present() {
  if (PrimarySurface == nullptr || BackBuffer == nullptr) return;
  // The primary stands for the screen, and the screen's pixels are the
  // backend's: it puts the frame into the window (scaled, letterboxed) and
  // keeps its own copy before it returns.  So the frame goes from the back
  // buffer straight to the backend, one copy instead of two, with the
  // primary held locked meanwhile as the copy onto it would hold it; what
  // would stop that copy stops the present (a lost surface, which restores
  // every surface; a busy one; a rectangle outside either surface).
  if (PrimarySurface->IsLost() == os::SurfaceResult::SurfaceLost ||
      BackBuffer->IsLost() == os::SurfaceResult::SurfaceLost) {
    RestoreSurfaces();
    return;
  }
  os::BackendImpl* backend = os::CurrentBackend();
  if (backend == nullptr || !ScreenRectFits()) return;
  os::PixelView screen, back;
  if (!os::Succeeded(PrimarySurface->Lock(&screen, true))) return;
  if (os::Succeeded(BackBuffer->LockReadOnly(&back, true))) {
    os::FrameView frame;
    frame.pixels = back.pixels + static_cast<ptrdiff_t>(ScreenRect.top) * back.pitch +
                   static_cast<ptrdiff_t>(ScreenRect.left) * 2;
    frame.pitch = back.pitch;
    frame.width = ScreenRect.right - ScreenRect.left;
    frame.height = ScreenRect.bottom - ScreenRect.top;
    frame.rgb555 = back.format.Is555();
    backend->Present(frame, VSyncFlag != 0);
    BackBuffer->Unlock();
  }
  PrimarySurface->Unlock();
}

}  // namespace

void Flip() {
  if (TransitionStep != 0) DrawTransitionAndStep();
  if (PictureOverlay != 0) DrawOverlay();
  if (VSyncFlag != 0 && DirectDrawObject != nullptr) DirectDrawObject->WaitForVerticalBlank();
  Present();
}

void SetVSync(uint32_t flag) { VSyncFlag = flag; }

void CaptureScreen(int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  if (!ValidHandle(handle)) return;
  const os::Rect source{left, top, right, bottom};
  if (os::Copy(SpriteObjects[handle].Surface, 0, 0, BackBuffer, &source) ==
      os::SurfaceResult::SurfaceLost)
    RestoreSurfaces();
}

void StartTransition() {
  TransitionStep = 1;
  TransitionDir = 1;
}

void StartTransitionBack() {
  TransitionStep = 10;
  TransitionDir = -1;
}

void LoadTransitionPicture(const char* name) {
  SetLoadColorKey(0);
  TransitionPicture = LoadObject(name, 2);
}

void LoadOverlayPictures(const char* picture, const char* tile, int32_t picture_height) {
  SetLoadColorKey(0);
  if (OverlayPicture == 0) {
    OverlayPicture = LoadObject(picture, 2);
    OverlayTile = LoadObject(tile, 2);
  } else {
    SwapObject(picture, OverlayPicture, 2);
    SwapObject(tile, OverlayTile, 2);
  }
  OverlayScroll = 0.0f;
  OverlayHeight = picture_height;
}

void ToggleOverlay() {
  if (PictureOverlay != 0)
    PictureOverlay = 0;
  else if (OverlayHeight != 0)
    PictureOverlay = 1;
}

}  // namespace elDraw
