// Key scripts of the headless runner: one event per line, "frame key down" or
// "frame key up", or one repeated, "frame key down every N until F" (at
// frame, frame + N ... up to F); '#' starts a comment.  The key is a virtual-key number
// (decimal or 0x hex), a single letter or digit, or a name (Return, Enter,
// Escape, Space, Left, Up, Right, Down, F1 .. F12, Shift, Control, Alt).
#pragma once
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace runner {

struct KeyEvent {
  long frame = 0;  // applied before this frame runs (frames count from 0)
  int key = 0;
  bool down = false;
};

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
// Parses a whole script; false with a message naming the bad line.
bool ParseScript(const std::string& text, std::vector<KeyEvent>* events, std::string* error);

}  // namespace runner
