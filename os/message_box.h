// The message box drawn by the os layer itself: its layout (wrapped lines of
// text, the detail line under them, the buttons), its pixels and what keys
// and the pointer do to it.  Nothing here needs a display: a backend shows
// the pixels in a window of its own and feeds the window's events in.
//
// Texts are UTF-8; glyphs come from a SizedFont (one-bit masks), so the box
// reads the same on every desktop that has the game's Japanese fonts.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "os/system.h"
#include "os/text/fonts.h"

namespace os {

enum class BoxIcon { None, Exclamation, Question };

struct BoxLine {
  std::u32string text;
  int x = 0, y = 0;  // top-left of the line's cell
  bool detail = false;
};

struct BoxButton {
  std::string label;  // UTF-8
  int answer = 0;
  Rect rect;  // right and bottom exclusive
};

struct BoxModel {
  int width = 0, height = 0;
  BoxIcon icon = BoxIcon::None;
  Rect icon_rect;
  int footer_top = 0;  // the button strip starts here
  int line_height = 0;
  std::vector<BoxLine> lines;
  std::vector<BoxButton> buttons;
  int focus = 0;          // the button Enter and Space take
  int close_answer = 0;   // Escape, or the box closed without a button
  int pressed = -1;       // the button the pointer went down on
  bool pointer_over_pressed = false;
  std::vector<int> held_keys;  // down when the box opened: ignored until released
  int answer = 0;              // set once the box is answered
  std::vector<uint32_t> pixels;  // width x height, 0xAARRGGBB, rows from the top
};

// Limits of the box's size, in pixels (a box never grows past its screen).
struct BoxLimits {
  int max_width = 640;
  int max_height = 480;
};

// The limits for a screen whose usable area is `screen`: at most 640 pixels
// wide, leaving room around the box for a window manager's frame where the
// screen has it; never wider or taller than the screen.
BoxLimits BoxLimitsFor(const Rect& screen);

// Where a box of the size given goes (its top-left): over the middle of
// `owner` (the game window), else of the screen's usable area, moved as
// little as it takes to lie on that area with room for a frame where there
// is room.  A box larger than the area lies at its top-left.
struct BoxPlace {
  int x = 0, y = 0;
};
BoxPlace PlaceBox(int width, int height, const Rect* owner, const Rect& screen);

// The box's fonts: its text in the Japanese sans-serif face, and the bold
// sign of its icon.  Where fontconfig gives no font that draws (none
// configured, or a file FreeType cannot read), the best file in the
// standard font folders (os/text/font_files.h), looked for once.  Null
// fonts when there is none, with the reason in *why.
struct BoxFonts {
  std::shared_ptr<SizedFont> text, mark;
};
BoxFonts OpenBoxFonts(std::string* why);

// Lays out a box for os::MessageBox's text, detail and flags (BoxYesNo: the
// buttons はい and いいえ, else OK; the icon bits).  Line breaks in the text
// are kept, trailing ones dropped; long lines wrap at a space where there is
// one, else between any two characters.  The box never exceeds its limits:
// lines that do not fit are left out, the last one kept of the text and of
// the detail ending in "…" where its part lost lines.  When the two do not
// fit together, the text keeps half the lines that fit (the odd one too)
// and the detail the other half; a part that needs less than its half
// leaves the rest to the other.  Where the limits leave too little room,
// the icon goes first, then the lines; the buttons shrink to the box.
BoxModel LayoutBox(const std::string& text, const std::string& detail, uint32_t flags,
                   SizedFont& font, const BoxLimits& limits = {});

// Draws the box into its pixels; `mark` draws the icon's sign.
void RenderBox(BoxModel& box, SizedFont& font, SizedFont& mark);

// What an event did to the box.
enum class BoxEvent { None, Redraw, Answered };

// Keys are the os virtual-key codes.  Enter and Space take the focused
// button, Escape gives the close answer; Tab (Shift+Tab back) and the arrow
// keys move the focus.  A repeated key-down never answers, nor does a key
// that was held when the box opened until it has been released.
BoxEvent BoxKeyDown(BoxModel& box, int key, bool shift, bool repeat);
BoxEvent BoxKeyUp(BoxModel& box, int key);
// The left button, in box pixels: a button answers when it is released over
// the button it went down on.
BoxEvent BoxPointerDown(BoxModel& box, int x, int y);
BoxEvent BoxPointerMove(BoxModel& box, int x, int y);
BoxEvent BoxPointerUp(BoxModel& box, int x, int y);

// The characters of a UTF-8 text; a byte that does not start a well-formed
// character becomes U+FFFD.
std::u32string DecodeUtf8(const std::string& text);

}  // namespace os
