// Call lists of the headless runner: the game roles to call by name inside
// the stage frames of a run (after the ship is drawn, before the HUD), so
// that any enemy kind or bullet family can be put on screen without a stage
// script.  One call a line, "FROM TO NAME [SLOT]": NAME is called in every
// stage frame from FROM to TO (runner frames, both included, decimal from 0
// to 999999), in the order of the lines; SLOT is the argument of a role that
// takes one (a hit setter), a decimal index into the role's table.  '#'
// starts a comment.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace runner {

struct RoleCall {
  long from = 0;
  long to = 0;
  std::string name;
  bool has_slot = false;
  long slot = 0;
  long line = 0;  // the line of the list it is on
};

// Parses a whole list of a run whose last frame is `last_frame` (a call
// from past it is refused); false with a message naming the bad line and
// what is wrong with it.
bool ParseCalls(std::string_view text, long last_frame, std::vector<RoleCall>* calls,
                std::string* error);

}  // namespace runner
