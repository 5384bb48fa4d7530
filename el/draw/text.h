// Fonts and text of the drawing module: the list of installed faces, the one
// shared font description, font selection onto the back buffer or the Font
// buffer object, colours, plain, formatted, aligned and measured text.
//
// Text follows a bracket: select a font (which takes a surface's device
// context), set the colours, write, delete the font.  Texts are Shift-JIS
// bytes; colours are COLORREF values 0x00BBGGRR.
#pragma once
#include <cstdint>

#include "os/gdi/gdi.h"
#include "os/surface.h"
#include "os/text/fonts.h"

struct FontFaceEntry {
  char FaceName[32] = {};     // first byte 0: empty entry
  int32_t CharsetClass = -1;  // -1 empty, 1 Shift-JIS, 2 other, 3 symbol
  uint8_t Charset = 0;        // the face's character set number
};

constexpr int FontFaceCapacity = 200;

extern FontFaceEntry FontFaces[FontFaceCapacity];
extern int32_t FontFaceCount;
extern os::LogFont* FontDescription;  // the one description every font is made from
extern os::GdiObject TextFont;        // the font of the last selection
extern os::GdiObject PrevTextFont;    // the font that selection displaced
extern os::DeviceContext* TextDC;     // held from a selection until its delete
extern os::Surface* TextSurface;      // the surface TextDC belongs to
extern int32_t FontHeight;            // height of the last selection (doubled for the buffer)
extern uint32_t TextColor;
extern uint32_t TextBackColor;        // also the text boxes' shadow colour
extern uint32_t TextBoxDrawNow;       // 1: a text-box paint shows at once
extern os::Rect TextRect;             // rectangle of DrawTextAligned
extern os::Rect MeasureRect;          // rectangle of MeasureText; the extent afterwards

namespace elDraw {

// Face numbers of the selections.
constexpr int32_t FaceMincho = 0;  // "標準明朝"
constexpr int32_t FaceGothic = 1;  // "標準ゴシック"

void InitFonts();
int32_t EnumFontsProc(const os::LogFont* font, const os::TextMetrics* metrics,
                      uint32_t font_type, intptr_t user);
void FreeFonts();

// Each creates a font from FontDescription and leaves it selected in
// TextDC.  A selection made while another is still held first ends that one
// exactly as its delete would, so no device context stays out.
void SelectFont(int32_t face, int32_t height, int32_t escapement, int32_t weight, uint8_t italic,
                uint8_t underline);
void SelectFontFace(const char* face_name, int32_t height, int32_t escapement, int32_t weight,
                    uint8_t italic, uint8_t underline);
void SelectBufferFont(int32_t face, int32_t height);
void SelectBufferFontFace(const char* face_name, int32_t height);
// Both give the device context back to the surface it came from.
void DeleteFont();
void DeleteBufferFont();

void SetTextColor(uint32_t text_color, uint32_t back_color, int32_t transparent);
void TextOut(int32_t x, int32_t y, const char* text);
// 12-pixel sans-serif, white on an opaque navy background, on the back buffer.
void PrintText(int32_t x, int32_t y, const char* text);
// Opens the font PrintText draws with and makes the glyphs of `text` ready
// (and what drawing text sets up the first time), so that the frame that
// first prints it does none of that work.
void PreparePrintText(const char* text);
// The same after printf-style formatting into 256 bytes (longer results are cut).
void PrintFormat(int32_t x, int32_t y, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// Word-broken text in the rectangle: align 0 left, 1 centred, 2 right; any
// other value draws nothing.
void DrawTextAligned(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                     int32_t align);
// Lays the text out without drawing; MeasureRect holds the extent; returns
// the text's height.
int32_t MeasureText(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text);

// Creates TextFont again from FontDescription and selects it into the
// surface's device context, held in TextDC (the text boxes' way back to a
// selection); a held selection is ended first.  False when there is no
// description or the device context cannot be had.
bool AttachTextFont(os::Surface* surface);

// Shift-JIS spelling of a face number's name ("" for other numbers).
const char* FaceName(int32_t face);

}  // namespace elDraw
