#include "el/draw/screen.h"

#include <bit>
#include <cstring>

#include "el/draw/objects.h"
#include "el/draw/text.h"
#include "el/draw/transition_state.h"
#include "el/draw/tables.h"
#include "el/draw/turned_pictures.h"
#include "el/input/joystick.h"
#include "el/sound/elSound.h"
#include "el/system/app_state.h"
#include "el/system/system_services.h"

os::Display* DirectDrawObject = nullptr;
os::Surface* PrimarySurface = nullptr;
os::Surface* BackBuffer = nullptr;
os::Clipper* WindowClipper = nullptr;
os::DeviceContext* ScreenDC = nullptr;

int32_t ScreenWidth = 0, ScreenHeight = 0;
int32_t ScreenBits = 16;
int32_t ScreenBitsFallback1 = 0;
int32_t ScreenBitsFallback2 = 0;
int32_t DesktopWidth = 0, DesktopHeight = 0;

int32_t ClipLeft = 0, ClipTop = 0, ClipRight = 0, ClipBottom = 0;

uint32_t HardwareDriver = 0;
uint32_t HardwareStretch = 0;

uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0;
uint16_t RedShift = 0, GreenShift = 0, BlueShift = 0;
uint32_t RedMax = 0, GreenMax = 0, BlueMax = 0;
uint16_t RedPlace = 0, GreenPlace = 0, BluePlace = 0;
uint32_t HalfMask = 0;
uint32_t WhitePixel = 0;

os::Rect ScreenRect;

namespace elDraw {
namespace {

constexpr const char* kScreen = "elDraw::Screen";

int32_t Fail(const char* message) {
  elSystem::ErrorBox(kScreen, message);
  return 0;
}

bool Ok(os::SurfaceResult r) { return os::Succeeded(r); }

// Puts a slot into its free state (releasing its surface, if any).
void EmptySlot(SpriteObject& o) {
  if (o.Surface) os::ReleaseSurface(o.Surface);
  o = SpriteObject();
}

// Releases what an earlier start left, so that a second start begins clean.
void ReleaseDisplayObjects() {
  if (ScreenDC && BackBuffer) BackBuffer->ReleaseDC(ScreenDC);
  ScreenDC = nullptr;
  for (SpriteObject& o : SpriteObjects) EmptySlot(o);
  os::ReleaseClipper(WindowClipper);
  os::ReleaseSurface(PrimarySurface);
  os::ReleaseSurface(BackBuffer);
  if (DirectDrawObject && DirectDrawObject->ModeSet()) {
    DirectDrawObject->RestoreDisplayMode();
    DirectDrawObject->SetCooperativeLevel(MainWindow, false);
  }
  os::ReleaseDisplay(DirectDrawObject);
  WindowClipper = nullptr;
  PrimarySurface = nullptr;
  BackBuffer = nullptr;
  DirectDrawObject = nullptr;
}

struct InternalObject {
  const char* name;
  const char* failure;
};
constexpr InternalObject kInternalObjects[4] = {
    {"内部用１", "Bufferスプライトが生成できません"},
    {"内部用２", "Screenスプライトが生成できません"},
    {"内部用３", "Fontスプライトが生成できません"},
    {"内部用４", "Fontバッファスプライトが生成できません"},
};

}  // namespace

bool SetPixelFormatValues(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask) {
  if (red_mask == 0 || green_mask == 0 || blue_mask == 0) return false;
  struct Derived {
    uint16_t shift;
    uint32_t max;
    uint16_t place;
  };
  auto derive = [](uint32_t mask) {
    Derived d;
    d.shift = static_cast<uint16_t>(std::countr_zero(mask));
    d.max = mask >> d.shift;
    d.place = static_cast<uint16_t>(d.shift + (d.max == 63 ? 1 : 0));
    return d;
  };
  Derived r = derive(red_mask), g = derive(green_mask), b = derive(blue_mask);
  RedMask = red_mask;
  GreenMask = green_mask;
  BlueMask = blue_mask;
  RedShift = r.shift;
  GreenShift = g.shift;
  BlueShift = b.shift;
  RedMax = r.max;
  GreenMax = g.max;
  BlueMax = b.max;
  RedPlace = r.place;
  GreenPlace = g.place;
  BluePlace = b.place;
  HalfMask = ((RedMax >> 1) << RedShift) | ((GreenMax >> 1) << GreenShift) |
             ((BlueMax >> 1) << BlueShift);
  WhitePixel = (RedMax << RedShift) | (GreenMax << GreenShift) | (BlueMax << BlueShift);
  return true;
}

void SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  ClipLeft = left;
  ClipTop = top;
  ClipRight = right;
  ClipBottom = bottom;
}

void SetScreenBits(int32_t depth, int32_t fallback1, int32_t fallback2) {
  ScreenBits = depth;
  ScreenBitsFallback1 = fallback1;
  ScreenBitsFallback2 = fallback2;
}

bool EnumDriverCallback(const os::DisplayDriver* driver, void* context) {
  auto* slot = static_cast<os::Display**>(context);
  HardwareDriver = 0;
  os::Display* display = nullptr;
  if (!Ok(os::CreateDisplay(driver, &display))) return true;
  os::DisplayCaps caps, emulation;
  display->GetCaps(&caps, &emulation);
  if (caps.hardware_3d && caps.texture) {
    *slot = display;
    HardwareDriver = 1;
    return false;
  }
  *slot = nullptr;
  os::ReleaseDisplay(display);
  return true;
}

int32_t Screen(int32_t width, int32_t height, int32_t memory_mode) {
  // 1. A clean state (an earlier start's objects are released first).
  ReleaseDisplayObjects();
  ErrorFlag = 0;

  // 2. Size and clip rectangle.
  if (width == -1) {
    width = DesktopWidth > 0 ? DesktopWidth : os::DesktopWidth();
    height = DesktopHeight > 0 ? DesktopHeight : os::DesktopHeight();
  }
  ScreenWidth = width;
  ScreenHeight = height;
  SetClip(0, 0, width, height);

  // 3. The display: the first 3D-capable driver, else the default one.
  HardwareDriver = 0;
  os::EnumerateDisplayDrivers(EnumDriverCallback, &DirectDrawObject);
  if (!DirectDrawObject && !Ok(os::CreateDisplay(nullptr, &DirectDrawObject)))
    return Fail("DirectDrawが使用できません");

  // 4. Memory placement of the back buffer and objects 0 and 1.
  uint32_t memory =
      (memory_mode == 1 || memory_mode == 3) ? 0u : uint32_t{os::SurfaceSystemMemory};

  // 5., 6. Cooperative level and display mode.
  const bool full_screen = FullScreen != 0;
  if (!Ok(DirectDrawObject->SetCooperativeLevel(MainWindow, full_screen)))
    return Fail("フルスクリーン化できません");
  if (full_screen) {
    os::SurfaceResult r = DirectDrawObject->SetDisplayMode(width, height, ScreenBits);
    if (!Ok(r) && ScreenBitsFallback1 != 0) {
      ScreenBits = ScreenBitsFallback1;
      r = DirectDrawObject->SetDisplayMode(width, height, ScreenBits);
      if (!Ok(r) && ScreenBitsFallback2 != 0) {
        ScreenBits = ScreenBitsFallback2;
        r = DirectDrawObject->SetDisplayMode(width, height, ScreenBits);
      }
    }
    if (!Ok(r)) return Fail("解像度が変更できません");
  } else {
    ScreenBits = elSystem::GetScreenBits();
  }

  // 7. Primary surface and back buffer.
  os::SurfaceDesc desc;
  desc.caps = os::SurfacePrimary | memory;
  if (!Ok(DirectDrawObject->CreateSurface(desc, &PrimarySurface)))
    return Fail("表画面が生成できません");
  desc.caps = os::SurfaceOffscreen | memory;
  desc.width = width;
  desc.height = height;
  if (!Ok(DirectDrawObject->CreateSurface(desc, &BackBuffer))) return Fail("裏画面が生成できません");

  // 8. Window mode: the primary's clipper.
  if (!full_screen) {
    if (!Ok(DirectDrawObject->CreateClipper(&WindowClipper))) return Fail("クリップが生成できません");
    if (!Ok(WindowClipper->SetWindow(MainWindow)))
      return Fail("クリップにウィンドウハンドルを設定できません");
    if (!Ok(PrimarySurface->SetClipper(WindowClipper))) return Fail("表画面をクリップできません");
  }

  // 9., 10. The four internal objects, each keyed on black.
  if (memory_mode == 3) memory = os::SurfaceSystemMemory;
  for (int slot = 0; slot < 4; ++slot) {
    SpriteObject& o = SpriteObjects[slot];
    EmptySlot(o);
    desc.caps = os::SurfaceOffscreen | (slot < 2 ? memory : uint32_t{os::SurfaceSystemMemory});
    if (!Ok(DirectDrawObject->CreateSurface(desc, &o.Surface)))
      return Fail(kInternalObjects[slot].failure);
    SetSurfaceColorKey(o.Surface, 0);
    std::strncpy(o.Name, kInternalObjects[slot].name, sizeof(o.Name) - 1);
    o.Packed = 0;
    o.ReloadMode = 2;
    o.KeyColor = 0;
    o.Width = static_cast<uint16_t>(width);
    o.Height = static_cast<uint16_t>(height);
  }

  // 11. Hardware stretching, from the kept driver's caps or the emulation's.
  os::DisplayCaps driver_caps, emulation_caps;
  DirectDrawObject->GetCaps(&driver_caps, &emulation_caps);
  HardwareStretch =
      (HardwareDriver == 1 && driver_caps.stretch) || (HardwareDriver == 0 && emulation_caps.stretch)
          ? 1
          : 0;

  // 12. Pixel format of the back buffer.  A palette display has no channel
  // masks to derive anything from and is refused.
  os::PixelFormat format;
  if (!Ok(BackBuffer->GetPixelFormat(&format)) ||
      !SetPixelFormatValues(format.red_mask, format.green_mask, format.blue_mask))
    return Fail("ピクセル情報が取得できません");

  // 13. Lookup tables.  The software blits work on the back buffer's own
  // pixels, so the tables follow its format rather than the desktop's.
  BuildTables(format.bits == 16);

  // 14. Every other slot free.
  for (int slot = FirstFreeSprite; slot < SpriteObjectCount; ++slot) EmptySlot(SpriteObjects[slot]);

  // 15. Present rectangles and the overlay.
  ScreenRect = os::Rect{0, 0, width, height};
  PresentRect = os::Rect{WindowX, WindowY, WindowX + width, WindowY + height};
  OverlayPicture = 0;
  OverlayTile = 0;

  // 16. The rest of the library.
  elSound::Init();
  elSound::ClearSoundTable();
  elSound::InitMidi();
  elSystem::Init();
  InitFonts();
  elSystem::InitJoystick();
  if (CursorClipOption) elSystem::ClipCursorToScreen();
  return 1;
}

void Shutdown() {
  if (DirectDrawObject) {
    if (ScreenDC && BackBuffer) BackBuffer->ReleaseDC(ScreenDC);
    ScreenDC = nullptr;
    for (SpriteObject& o : SpriteObjects) EmptySlot(o);
    ForgetTurned();
    os::ReleaseClipper(WindowClipper);
    WindowClipper = nullptr;
    os::ReleaseSurface(PrimarySurface);
    PrimarySurface = nullptr;
    os::ReleaseSurface(BackBuffer);
    BackBuffer = nullptr;
    if (FullScreen) {
      DirectDrawObject->RestoreDisplayMode();
      DirectDrawObject->SetCooperativeLevel(MainWindow, false);
    }
    os::ReleaseDisplay(DirectDrawObject);
    DirectDrawObject = nullptr;
  }
  if (FullScreen) os::MinimiseWindow(MainWindow);
}

void GetScreenDC() {
  if (BackBuffer && !ScreenDC) BackBuffer->GetDC(&ScreenDC);
}

void ReleaseScreenDC() {
  if (BackBuffer && ScreenDC) BackBuffer->ReleaseDC(ScreenDC);
  ScreenDC = nullptr;
}

}  // namespace elDraw
