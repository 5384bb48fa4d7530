// Input scripts of the headless runner: one event per line, '#' starting a
// comment:
//   FRAME KEY down|up                  a key goes down or up
//   FRAME mouse X Y                    the pointer moves to (X, Y) of the
//                                      800 x 600 screen, X 0 to 799, Y 0 to 599
//   FRAME click left|right down|up [double]
//                                      a mouse button goes down (with
//                                      "double", a double click's second
//                                      press) or up
// each applied before frame FRAME runs, and each may be repeated, "... every
// N until F" (at FRAME, FRAME + N ... up to F, or up to the run's last frame
// if that comes first).  Frames are decimal numbers from 0 to 999999, N from
// 1 to 999999.  The key is a single letter or digit, a name (Return, Enter,
// Escape, Space, Left, Up, Right, Down, F1 .. F12, Shift, Control, Alt, Tab,
// Back) or a virtual-key number of two digits or more, decimal like every
// number here (13 is Return; 07 is key 7, while 7 is the digit).
#pragma once
#include <cstddef>
#include <functional>
#include <queue>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace runner {

// One line of a script.
struct InputEvent {
  enum Kind { Key, Pointer, Button };
  long frame = 0;  // applied before this frame runs (frames count from 0)
  Kind kind = Key;
  int key = 0;                // Key
  bool down = false;          // Key, Button
  int x = 0, y = 0;           // Pointer
  int button = 0;             // Button: 1 left, 2 right
  bool double_click = false;  // Button down
  long every = 1;  // repeated every `every` frames ...
  long until = 0;  // ... up to this frame (`frame` for an event given once)
};

// The screen the pointer moves over.
inline constexpr int kScreenWidth = 800, kScreenHeight = 600;

// The key code of a name, or -1.
int KeyFromName(const std::string& name);

// Parses a whole script of a run whose last frame is `last_frame` and adds
// its lines to `events`: a line whose frame is past the last frame is
// refused, a repeat stops at the last frame.  False with a message naming
// the bad line and what is wrong with it.
bool ParseScript(std::string_view text, long last_frame, std::vector<InputEvent>* events,
                 std::string* error);

// The events of a run's scripts as they fall due: by frame, and at one frame
// in the order of their lines (a line of an earlier script first).  A
// repeated line is stored once, whatever it repeats.
class InputSchedule {
 public:
  explicit InputSchedule(std::vector<InputEvent> lines);
  // The next event due at `frame` or before, its frame the one it is due at;
  // false when none is.
  bool Next(long frame, InputEvent* event);

 private:
  std::vector<InputEvent> lines_;
  // (frame due, line), the earliest first.
  using Due = std::pair<long, size_t>;
  std::priority_queue<Due, std::vector<Due>, std::greater<Due>> due_;
};

}  // namespace runner
