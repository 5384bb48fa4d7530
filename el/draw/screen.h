// Screen start-up and shutdown of the drawing module: the display, the
// primary surface, the back buffer, the window clipper, the clip rectangle
// and the values that describe the screen's pixel format.
#pragma once
#include <cstdint>

#include "os/surface.h"

// ---- display objects ----
extern os::Display* DirectDrawObject;  // the display
extern os::Surface* PrimarySurface;    // the visible surface
extern os::Surface* BackBuffer;        // the off-screen frame every draw goes to
extern os::Clipper* WindowClipper;     // the primary's clipper in window mode
extern os::DeviceContext* ScreenDC;    // the back buffer's device context while lent out

extern int32_t ScreenWidth, ScreenHeight;
extern int32_t ScreenBits;            // depth asked for in full screen (16)
extern int32_t ScreenBitsFallback1;   // depths tried when the mode change fails (0 = none)
extern int32_t ScreenBitsFallback2;
extern int32_t DesktopWidth, DesktopHeight;  // the size a width of -1 asks for

// ---- clip rectangle (screen pixels, right and bottom exclusive) ----
extern int32_t ClipLeft, ClipTop, ClipRight, ClipBottom;

extern uint32_t HardwareDriver;   // 1 when the enumeration kept a 3D-capable driver
extern uint32_t HardwareStretch;  // 1 when stretched copies run in hardware

// ---- pixel format of the back buffer ----
extern uint32_t RedMask, GreenMask, BlueMask;
extern uint16_t RedShift, GreenShift, BlueShift;  // position of the channel's lowest bit
extern uint32_t RedMax, GreenMax, BlueMax;        // 31 for 5 bits, 63 for 6 bits
extern uint16_t RedPlace, GreenPlace, BluePlace;  // left shift of a 5-bit value into the channel's top
extern uint32_t HalfMask;    // every channel without its top bit: half = (p >> 1) & HalfMask
extern uint32_t WhitePixel;  // white in the screen format

extern os::Rect ScreenRect;  // 0, 0, ScreenWidth, ScreenHeight: the present's source

namespace elDraw {

// Brings up the display, the surfaces, the four internal objects, the pixel
// format values and tables, then sound, MIDI, the system module, fonts and
// the joystick.  Width -1 takes the desktop's size.  1, or 0 after a report.
int32_t Screen(int32_t width, int32_t height, int32_t memory_mode);
void SetClip(int32_t left, int32_t top, int32_t right, int32_t bottom);
void SetScreenBits(int32_t depth, int32_t fallback1, int32_t fallback2);
// The driver enumeration's callback; context is the address of DirectDrawObject.
bool EnumDriverCallback(const os::DisplayDriver* driver, void* context);
// Releases every surface and the display; minimises a full-screen window.
void Shutdown();
// Lends the back buffer's device context (ScreenDC) and takes it back.
void GetScreenDC();
void ReleaseScreenDC();

// Derives the pixel-format values above from channel masks; false (and
// nothing changed) when a mask is 0, as on a palette display.
bool SetPixelFormatValues(uint32_t red_mask, uint32_t green_mask, uint32_t blue_mask);

}  // namespace elDraw
