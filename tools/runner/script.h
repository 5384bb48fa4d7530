// Input scripts of the headless runner: one event per line, '#' starting a
// comment:
//   FRAME KEY down|up                  a key goes down or up
//   FRAME mouse X Y                    the pointer moves to (X, Y) of the
//                                      800 x 600 screen (X 0 to 799, Y 0 to 599)
//   FRAME click left|right down|up [double]
//                                      a mouse button goes down (a double
//                                      click's second press with "double") or up
// each applied before frame FRAME runs, and each may be repeated, "... every
// N until F" (at FRAME, FRAME + N ... up to F).  The key is a virtual-key
// number (decimal or 0x hex), a single letter or digit, or a name (Return,
// Enter, Escape, Space, Left, Up, Right, Down, F1 .. F12, Shift, Control, Alt).
#pragma once
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace runner {

struct InputEvent {
  enum Kind { Key, Pointer, Button };
  long frame = 0;  // applied before this frame runs (frames count from 0)
  Kind kind = Key;
  int key = 0;                // Key
  bool down = false;          // Key, Button
  int x = 0, y = 0;           // Pointer
  int button = 0;             // Button: 1 left, 2 right
  bool double_click = false;  // Button down
};

// The screen the pointer moves over.
inline constexpr int kScreenWidth = 800, kScreenHeight = 600;

// A whole number (decimal, or hex with 0x); false unless the text is one.
bool ParseNumber(const std::string& s, long* out);

// Calls `line(fields)` with the fields of every line of `text` that has any
// ('#' starts a comment), in order; at the first false it stops and gives
// "line N: " + `expected`.
bool ForEachLine(const std::string& text, const std::string& expected,
                 const std::function<bool(std::istringstream& fields)>& line,
                 std::string* error);

// The key code of a name, or -1.
int KeyFromName(const std::string& name);
// The words of a mouse line after its frame ("mouse X Y", "click left down
// double"...) into `event`; false unless they are one.
bool ParseMouseWords(std::istringstream& fields, const std::string& first, InputEvent* event);
// Parses a whole script; false with a message naming the bad line.
bool ParseScript(const std::string& text, std::vector<InputEvent>* events, std::string* error);

}  // namespace runner
