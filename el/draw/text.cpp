#include "el/draw/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "el/draw/objects.h"
#include "el/draw/screen.h"
#include "os/sjis.h"

FontFaceEntry FontFaces[FontFaceCapacity];
int32_t FontFaceCount = 0;
os::LogFont* FontDescription = nullptr;
os::GdiObject TextFont = 0;
os::GdiObject PrevTextFont = 0;
os::DeviceContext* TextDC = nullptr;
os::Surface* TextSurface = nullptr;
int32_t FontHeight = 0;
uint32_t TextColor = 0;
uint32_t TextBackColor = 0;
uint32_t TextBoxDrawNow = 0;
os::Rect TextRect;
os::Rect MeasureRect;

namespace elDraw {
namespace {

constexpr int kFontBufferObject = 3;
constexpr uint32_t kDrawTextFlags = os::DrawTextWordBreak | os::DrawTextNoPrefix;  // 0x810

int32_t WeightOf(int32_t weight) {
  if (weight == 0) return os::FontWeightNormal;
  if (weight == 1) return os::FontWeightBold;
  return os::FontWeightDefault;
}

// Copies at most size - 1 bytes of a face name and pads with NULs.
void CopyName(char* to, size_t size, const char* name) {
  std::memset(to, 0, size);
  std::memcpy(to, name, strnlen(name, size - 1));
}

void CopyFaceName(const char* name) {
  CopyName(FontDescription->face_name, sizeof FontDescription->face_name, name);
}

// The face list's character set for an exact name, else Shift-JIS.
uint8_t CharsetOf(const char* name) {
  for (const FontFaceEntry& entry : FontFaces) {
    if (std::strncmp(entry.FaceName, name, sizeof entry.FaceName) == 0 && entry.FaceName[0]) {
      return entry.Charset;
    }
  }
  return os::CharsetShiftJis;
}

// Ends the held selection: the displaced font back, the font deleted, the
// device context back to its own surface.
void EndSelection() {
  if (TextDC) {
    os::SelectObject(TextDC, PrevTextFont);
    os::DeleteObject(TextFont);
    if (TextSurface) TextSurface->ReleaseDC(TextDC);
  } else if (TextFont) {
    os::DeleteObject(TextFont);
  }
  TextDC = nullptr;
  TextSurface = nullptr;
  TextFont = 0;
  PrevTextFont = 0;
}

// The common body of the four selections.  `face` nullptr keeps the
// description's face name.
void Select(const char* face, int32_t height, int32_t escapement, int32_t weight, uint8_t italic,
            uint8_t underline, uint8_t charset, os::Surface* surface) {
  if (!FontDescription) return;
  if (TextDC || TextFont) EndSelection();
  if (face) CopyFaceName(face);
  FontHeight = height;
  FontDescription->height = height;
  FontDescription->weight = weight;
  FontDescription->escapement = escapement;
  FontDescription->width = 0;
  FontDescription->italic = italic;
  FontDescription->underline = underline;
  FontDescription->charset = charset;
  AttachTextFont(surface);
}

os::Surface* FontBuffer() { return SpriteObjects[kFontBufferObject].Surface; }

}  // namespace

bool AttachTextFont(os::Surface* surface) {
  if (!FontDescription) return false;
  if (TextDC || TextFont) EndSelection();
  TextFont = os::CreateFontIndirect(*FontDescription);
  os::DeviceContext* dc = nullptr;
  if (!surface || !os::Succeeded(surface->GetDC(&dc))) return false;
  TextDC = dc;
  TextSurface = surface;
  PrevTextFont = os::SelectObject(TextDC, TextFont);
  return true;
}

const char* FaceName(int32_t face) {
  static const std::string mincho = os::Utf8ToSjis("標準明朝");
  static const std::string gothic = os::Utf8ToSjis("標準ゴシック");
  if (face == FaceMincho) return mincho.c_str();
  if (face == FaceGothic) return gothic.c_str();
  return "";
}

void InitFonts() {
  // A start-up after an earlier one: the surfaces a held selection used are
  // gone by now, so its device context is only forgotten.
  if (TextFont) os::DeleteObject(TextFont);
  TextDC = nullptr;
  TextSurface = nullptr;
  TextFont = 0;
  PrevTextFont = 0;
  if (!FontDescription) FontDescription = new os::LogFont();
  *FontDescription = os::LogFont();
  for (FontFaceEntry& entry : FontFaces) entry = FontFaceEntry();
  GetScreenDC();
  FontFaceCount = 0;
  os::EnumerateFontFaces(&EnumFontsProc, 0);
  ReleaseScreenDC();
  TextBoxDrawNow = 1;
}

int32_t EnumFontsProc(const os::LogFont* font, const os::TextMetrics* /*metrics*/,
                      uint32_t /*font_type*/, intptr_t /*user*/) {
  if (FontFaceCount >= FontFaceCapacity || FontFaceCount < 0) return 0;
  FontFaceEntry& entry = FontFaces[FontFaceCount];
  CopyName(entry.FaceName, sizeof entry.FaceName, font->face_name);
  switch (font->charset) {
    case os::CharsetShiftJis:
      entry.CharsetClass = 1;
      break;
    case os::CharsetSymbol:
      entry.CharsetClass = 3;
      break;
    default:
      entry.CharsetClass = 2;
      break;
  }
  entry.Charset = font->charset;
  ++FontFaceCount;
  return 1;
}

void FreeFonts() {
  EndSelection();
  delete FontDescription;
  FontDescription = nullptr;
}

void SelectFont(int32_t face, int32_t height, int32_t escapement, int32_t weight, uint8_t italic,
                uint8_t underline) {
  const char* name = (face == FaceMincho || face == FaceGothic) ? FaceName(face) : nullptr;
  Select(name, height, escapement * 10, WeightOf(weight), italic, underline,
         os::CharsetShiftJis, BackBuffer);
}

void SelectFontFace(const char* face_name, int32_t height, int32_t escapement, int32_t weight,
                    uint8_t italic, uint8_t underline) {
  if (!face_name) face_name = "";
  Select(face_name, height, escapement * 10, WeightOf(weight), italic, underline,
         CharsetOf(face_name), BackBuffer);
}

void SelectBufferFont(int32_t face, int32_t height) {
  const char* name = (face == FaceMincho || face == FaceGothic) ? FaceName(face) : nullptr;
  Select(name, height * 2, 0, os::FontWeightNormal, 0, 0, os::CharsetShiftJis, FontBuffer());
}

void SelectBufferFontFace(const char* face_name, int32_t height) {
  if (!face_name) face_name = "";
  Select(face_name, height * 2, 0, os::FontWeightNormal, 0, 0, CharsetOf(face_name),
         FontBuffer());
}

void DeleteFont() { EndSelection(); }
void DeleteBufferFont() { EndSelection(); }

void SetTextColor(uint32_t text_color, uint32_t back_color, int32_t transparent) {
  os::SetTextColor(TextDC, text_color);
  os::SetBackgroundColor(TextDC, back_color);
  TextColor = text_color;
  TextBackColor = back_color;
  os::SetBackgroundMode(TextDC,
                        transparent ? os::BackgroundTransparent : os::BackgroundOpaque);
}

void TextOut(int32_t x, int32_t y, const char* text) {
  if (!text) return;
  os::TextOut(TextDC, x, y, text, static_cast<int32_t>(std::strlen(text)));
}

void PrintText(int32_t x, int32_t y, const char* text) {
  SelectFont(FaceGothic, 12, 0, 0, 0, 0);
  SetTextColor(0xFFFFFF, 0x800000, 0);
  TextOut(x, y, text);
  DeleteFont();
}

void PreparePrintText(const char* text) {
  if (!text) return;
  SelectFont(FaceGothic, 12, 0, 0, 0, 0);
  SetTextColor(0xFFFFFF, 0x800000, 0);
  int32_t width = 0, height = 0;
  os::GetTextExtent(TextDC, text, static_cast<int32_t>(std::strlen(text)), &width, &height);
  DeleteFont();
}

void PrintFormat(int32_t x, int32_t y, const char* format, ...) {
  char buffer[256];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  PrintText(x, y, buffer);
}

void DrawTextAligned(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text,
                     int32_t align) {
  TextRect = os::Rect{left, top, right, bottom};
  if (align < 0 || align > 2 || !text) return;
  os::DrawText(TextDC, text, -1, &TextRect, kDrawTextFlags | static_cast<uint32_t>(align));
}

int32_t MeasureText(int32_t left, int32_t top, int32_t right, int32_t bottom, const char* text) {
  MeasureRect = os::Rect{left, top, right, bottom};
  if (!text) return 0;
  return os::DrawText(TextDC, text, -1, &MeasureRect, kDrawTextFlags | os::DrawTextCalcRect);
}

}  // namespace elDraw
