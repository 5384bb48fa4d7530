// Drawing surfaces: the display (display mode, cooperative level, caps,
// pixel format), 16-bit surfaces in plain memory with lock, colour key,
// loss and restore, fills and copies, a clipper, and a device context on a
// surface with the few GDI-style effects the library needs (bitmap copy,
// single pixels).  Both backends use the same surfaces; the present hands a
// surface's pixels to the backend as a FrameView (os/backend.h).
//
// Every surface is 16 bits per pixel: 5-6-5 by default, 5-5-5 when
// SurfaceLayout().rgb555 is set.  A surface's rows are Pitch() bytes apart,
// which may be more than Width() x 2 (SurfaceLayout().pitch_padding).
#pragma once
#include <cstdint>

#include "os/bmp.h"
#include "os/system.h"

namespace os {

// ---- results ------------------------------------------------------------------

enum class SurfaceResult : uint32_t {
  Ok = 0,
  Failed = 0x80004005,         // generic failure (also an injected lock failure)
  Unsupported = 0x80004001,
  InvalidParams = 0x80070057,
  OutOfMemory = 0x8007000E,
  SurfaceLost = 0x887601C2,    // the surface's memory is gone: Restore() it
  StillDrawing = 0x8876021C,   // not ready yet: try again (a waiting lock waits)
  Busy = 0x887601AE,           // locked, or its device context is out
  InvalidRect = 0x88760096,    // a rectangle leaves its surface or is inverted
  NoColorKey = 0x887600D7,     // a keyed copy from a surface without a key
  NotLocked = 0x88760248,
  ModeRefused = 0x88760190,    // the display mode cannot be set
  NoClipper = 0x887600CD,
};
constexpr bool Succeeded(SurfaceResult r) { return r == SurfaceResult::Ok; }

// ---- pixel formats -----------------------------------------------------------

struct PixelFormat {
  int bits = 16;  // bits per pixel (8 on a palette display)
  uint32_t red_mask = 0xF800, green_mask = 0x07E0, blue_mask = 0x001F;  // 0 on a palette display
  bool Is555() const { return green_mask == 0x03E0; }
};
PixelFormat Format565();
PixelFormat Format555();

// A COLORREF (0x00BBGGRR) to a pixel: each 8-bit channel truncated to the
// channel's width.  A pixel back to a COLORREF: each channel shifted up,
// low bits 0 (31 gives 0xF8, a 6-bit 63 gives 0xFC).
uint16_t ColorToPixel(const PixelFormat& format, uint32_t colorref);
uint32_t PixelToColor(const PixelFormat& format, uint16_t pixel);

// ---- settings -------------------------------------------------------------------

// Layout of the surfaces created from now on (and of the display's format).
struct SurfaceLayout {
  bool rgb555 = false;
  int pitch_padding = 0;  // extra bytes at the end of every row (rounded up to even)
};
SurfaceLayout& SurfaceLayoutSettings();

// Start-up steps that a test can make fail (bits of SurfaceTestSettings::fail_steps).
enum DisplayStep : uint32_t {
  StepCreateDisplay = 1u << 0,
  StepCooperativeLevel = 1u << 1,
  StepCreateClipper = 1u << 2,
  StepClipperWindow = 1u << 3,
  StepSetClipper = 1u << 4,
  StepPixelFormat = 1u << 5,
};

// Failure injection for tests.  ResetSurfaceTests() returns everything to
// the defaults (and the layout too).
struct SurfaceTestSettings {
  // Counts down on every surface creation; the creation that takes it from 1
  // to 0 fails (so 1 fails the next creation, 3 the third).  0: never.
  int fail_creation_in = 0;
  // Bit d set (d = 1..63): a display mode of depth d is refused.
  uint64_t fail_mode_depths = 0;
  uint32_t fail_steps = 0;  // DisplayStep bits
  // Pixel formats report a palette display: 8 bits per pixel, masks 0.
  bool palette_display = false;
  // The next n locks fail with Failed.
  int fail_locks = 0;
  // Counts down on every lock; the lock that takes it from 1 to 0 fails.
  int fail_lock_in = 0;
  // The next n locks report StillDrawing; a waiting lock waits through them.
  int still_drawing = 0;
  // The enumeration offers a 3D-capable driver first.
  bool driver_3d = false;
  // Caps report no hardware stretching.
  bool no_hardware_stretch = false;
};
SurfaceTestSettings& SurfaceTests();
void ResetSurfaceTests();

// ---- surfaces -------------------------------------------------------------------

enum SurfaceCaps : uint32_t {
  SurfacePrimary = 1u << 0,       // the visible surface (its size is the screen's)
  SurfaceOffscreen = 1u << 1,     // an off-screen picture
  SurfaceSystemMemory = 1u << 2,  // kept in system memory: never lost with the display
};

struct SurfaceDesc {
  uint32_t caps = SurfaceOffscreen;
  int width = 0, height = 0;  // ignored for the primary surface
};

// The pixels of a locked surface (or of a device context).  A surface's
// memory holds one spare 16-bit word after its last row, so that a 32-bit
// read at any of its pixels stays inside it (vector gathers read so).
struct PixelView {
  uint8_t* pixels = nullptr;
  int pitch = 0;  // bytes per row
  int width = 0, height = 0;
  PixelFormat format;
  uint16_t* Row(int y) const {
    return reinterpret_cast<uint16_t*>(pixels + static_cast<intptr_t>(y) * pitch);
  }
};

class Clipper;
class DeviceContext;
class Display;
struct KeyedRunCache;  // os/surface_blit.h
struct OpaqueExtents;  // os/surface_blit.h

class Surface {
 public:
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Pitch() const { return pitch_; }
  uint32_t Caps() const { return caps_; }
  const PixelFormat& Format() const { return format_; }

  // Whole-surface lock.  Busy while locked or while the device context is
  // out; SurfaceLost when lost.  `wait` waits through StillDrawing.
  SurfaceResult Lock(PixelView* out, bool wait = true);
  // The same lock for a caller that only reads the pixels: the content
  // version stays, and with it what is cached from the content.
  SurfaceResult LockReadOnly(PixelView* out, bool wait = true);
  SurfaceResult Unlock();
  bool IsLocked() const { return locked_; }
  bool IsDcOut() const { return dc_out_; }

  // Ok, or SurfaceLost.
  SurfaceResult IsLost() const;
  // Gives a lost surface its memory back; the content is then undefined.
  SurfaceResult Restore();

  // Source colour key: the pixel value that keyed copies skip.
  SurfaceResult SetColorKey(uint32_t key);
  SurfaceResult ClearColorKey();
  SurfaceResult GetColorKey(uint32_t* key) const;  // NoColorKey when unset

  // The pixel format (a test setting may make it fail or report a palette).
  SurfaceResult GetPixelFormat(PixelFormat* out) const;

  // Device context.  While it is out the surface is busy for locks and copies.
  SurfaceResult GetDC(DeviceContext** out);
  SurfaceResult ReleaseDC(DeviceContext* dc);

  SurfaceResult SetClipper(Clipper* clipper);
  Clipper* GetClipper() const { return clipper_; }

  // Changes whenever the pixels may have changed (a write lock, a copy or
  // fill into it, a device context released, a restore).  Caches derived
  // from a surface's content (such as the opaque runs of a keyed copy)
  // compare it to know when to recompute.  No two surfaces ever share a
  // version, so a version also names the surface: a cache kept apart from
  // the surface is not fooled by a new surface made at a released one's
  // address.
  uint64_t ContentVersion() const { return version_; }

  // For the copies of this file and for tests: the pixels without a lock.
  // Callers above os/ lock instead.
  PixelView RawView();

 private:
  friend class Display;
  friend class DeviceContext;
  friend struct SurfaceInternals;  // the copies, loss and release (surface.cpp)
  friend struct KeyedRunCache;     // the keyed copy's opaque runs (surface_blit.cpp)
  friend struct OpaqueExtents;     // the rows' spans of pixels other than 0 (surface_blit.cpp)
  Surface() = default;
  ~Surface();
  SurfaceResult LockFor(PixelView* out, bool wait, bool writes);
  void NewContent();  // a version no surface had before

  int width_ = 0, height_ = 0, pitch_ = 0;
  uint32_t caps_ = 0;
  PixelFormat format_;
  uint16_t* memory_ = nullptr;
  bool locked_ = false, dc_out_ = false, lost_ = false;
  bool has_key_ = false;
  uint32_t key_ = 0;
  uint64_t version_ = 0;
  Clipper* clipper_ = nullptr;
  DeviceContext* dc_ = nullptr;
  KeyedRunCache* keyed_runs_ = nullptr;  // built by the keyed copy
  OpaqueExtents* extents_ = nullptr;     // built for the software blits
};

void ReleaseSurface(Surface* surface);  // nullptr is ignored

// Loss, as a display mode change or another program would cause it.
void LoseSurface(Surface* surface);
// The primary surface and every surface that is not in system memory.
void LoseAllSurfaces();
int LiveSurfaceCount();

// ---- fills and copies -------------------------------------------------------------
// A rectangle (right and bottom exclusive) that leaves its surface, or is
// inverted, is refused with InvalidRect and nothing is drawn; an empty one
// draws nothing and returns Ok.  A lost surface gives SurfaceLost, a locked
// one (or one whose device context is out) Busy.  Source and destination may
// be the same surface.

// `rect` nullptr fills the whole surface.
SurfaceResult Fill(Surface* dst, const Rect* rect, uint16_t pixel);
// The source rectangle (nullptr: the whole source) to (x, y), one to one.
SurfaceResult Copy(Surface* dst, int x, int y, Surface* src, const Rect* src_rect);
// The same, skipping source pixels equal to the source's colour key.
SurfaceResult CopyKeyed(Surface* dst, int x, int y, Surface* src, const Rect* src_rect);
// The source rectangle stretched onto the destination rectangle (nearest
// pixel); nullptr rectangles are whole surfaces.
SurfaceResult CopyStretched(Surface* dst, const Rect* dst_rect, Surface* src,
                            const Rect* src_rect, bool keyed);

// ---- device contexts ---------------------------------------------------------------

class DeviceContext {
 public:
  Surface* Target() const { return surface_; }
  // The surface's pixels, for the drawing built on a device context.
  PixelView Pixels() const;
  // Counts the times the surface has handed this context out, so drawing
  // state kept per context can tell a fresh hand-out from the last one.
  uint64_t Serial() const { return serial_; }

 private:
  friend class Surface;
  explicit DeviceContext(Surface* surface) : surface_(surface) {}
  Surface* surface_;
  uint64_t serial_ = 0;
};

// Run whenever a device context is taken back (released, or its surface
// released while it was out): the text and shape state that os/gdi keeps
// beside a device context ends there.  nullptr = none.
using DeviceContextReleaseHook = void (*)(DeviceContext* dc);
void SetDeviceContextReleaseHook(DeviceContextReleaseHook hook);

constexpr uint32_t InvalidColor = 0xFFFFFFFF;
// COLORREF of a pixel; InvalidColor outside the surface.
uint32_t GetPixel(DeviceContext* dc, int x, int y);
// Returns the colour actually set (the truncated one); InvalidColor outside.
uint32_t SetPixel(DeviceContext* dc, int x, int y, uint32_t colorref);
// Copies the bitmap's rectangle (x, y, w, h; w or h 0 = the bitmap's
// width or height) onto the whole surface, stretched to the surface's size
// (nearest pixel).  Colours are truncated to the surface's channels, so a
// colour that truncates to 0 is pixel 0.  False when the rectangle leaves
// the bitmap or a size is not positive.
bool BitmapToSurface(DeviceContext* dc, const Bitmap& bitmap, int x, int y, int w, int h);

// ---- clipper -----------------------------------------------------------------------

class Clipper {
 public:
  SurfaceResult SetWindow(Window window);
  Window GetWindow() const { return window_; }

 private:
  friend class Display;
  Clipper() = default;
  Window window_ = 0;
};
void ReleaseClipper(Clipper* clipper);

// ---- the display --------------------------------------------------------------------

struct DisplayCaps {
  bool hardware_3d = false;   // a 3D device
  bool texture = false;       // surfaces can be textures
  bool stretch = false;       // stretched copies in hardware
};

struct DisplayDriver {
  int index = 0;
  const char* description = "";
  const char* name = "";
};
// Return false to stop the enumeration.
using DisplayDriverCallback = bool (*)(const DisplayDriver* driver, void* context);
// Offers the display drivers in order (a plain software driver; a test may
// put a 3D-capable one in front).
void EnumerateDisplayDrivers(DisplayDriverCallback callback, void* context);

class Display {
 public:
  SurfaceResult SetCooperativeLevel(Window window, bool fullscreen);
  bool Exclusive() const { return exclusive_; }
  SurfaceResult SetDisplayMode(int width, int height, int bits);
  SurfaceResult RestoreDisplayMode();
  bool ModeSet() const { return mode_set_; }
  int ModeWidth() const { return mode_width_; }
  int ModeHeight() const { return mode_height_; }
  int ModeBits() const { return mode_bits_; }

  SurfaceResult GetCaps(DisplayCaps* driver, DisplayCaps* emulation) const;
  SurfaceResult CreateSurface(const SurfaceDesc& desc, Surface** out);
  SurfaceResult CreateClipper(Clipper** out);
  SurfaceResult WaitForVerticalBlank();
  // Makes the desktop's own drawing visible (before a message box in full
  // screen).  Nothing to do for memory surfaces.
  SurfaceResult FlipToGdi();

 private:
  friend SurfaceResult CreateDisplay(const DisplayDriver* driver, Display** out);
  friend void ReleaseDisplay(Display* display);
  Display() = default;
  bool hardware_3d_ = false;
  bool exclusive_ = false, fullscreen_ = false;
  Window window_ = 0;
  bool mode_set_ = false;
  int mode_width_ = 0, mode_height_ = 0, mode_bits_ = 0;
};

// `driver` nullptr: the default display driver.
SurfaceResult CreateDisplay(const DisplayDriver* driver, Display** out);
void ReleaseDisplay(Display* display);
// The display created last and not yet released (nullptr if none).
Display* CurrentDisplay();
// The screen's depth as a window's device context reports it: the mode's
// depth while a display mode is set, else the desktop's.
int ScreenBitsNow();

}  // namespace os
