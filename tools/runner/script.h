// Key scripts of the headless runner: one event per line, "frame key down" or
// "frame key up", or one repeated, "frame key down every N until F" (at
// frame, frame + N ... up to F, or up to the run's last frame if that comes
// first); '#' starts a comment.  Frames are decimal numbers from 0 to 999999,
// N from 1 to 999999.  The key is a single letter or digit, a name (Return,
// Enter, Escape, Space, Left, Up, Right, Down, F1 .. F12, Shift, Control,
// Alt, Tab, Back) or a virtual-key number of two digits or more, decimal
// like every number here (13 is Return; 07 is key 7, while 7 is the digit).
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
struct KeyEvent {
  long frame = 0;  // applied before this frame runs (frames count from 0)
  int key = 0;
  bool down = false;
  long every = 1;  // repeated every `every` frames ...
  long until = 0;  // ... up to this frame (`frame` for an event given once)
};

// The key code of a name, or -1.
int KeyFromName(const std::string& name);

// Parses a whole script of a run whose last frame is `last_frame` and adds
// its lines to `events`: a line whose frame is past the last frame is
// refused, a repeat stops at the last frame.  False with a message naming
// the bad line and what is wrong with it.
bool ParseScript(std::string_view text, long last_frame, std::vector<KeyEvent>* events,
                 std::string* error);

// The events of a run's scripts as they fall due: by frame, and at one frame
// in the order of their lines (a line of an earlier script first).  A
// repeated line is stored once, whatever it repeats.
class KeySchedule {
 public:
  explicit KeySchedule(std::vector<KeyEvent> lines);
  // The next event due at `frame` or before, its frame the one it is due at;
  // false when none is.
  bool Next(long frame, KeyEvent* event);

 private:
  std::vector<KeyEvent> lines_;
  // (frame due, line), the earliest first.
  using Due = std::pair<long, size_t>;
  std::priority_queue<Due, std::vector<Due>, std::greater<Due>> due_;
};

}  // namespace runner
