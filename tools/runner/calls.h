// Call lists of the headless runner: the game roles to call by name inside
// the stage frames of a run (after the ship is drawn, before the HUD), so
// that any enemy kind or bullet family can be put on screen without a stage
// script.  One call a line, "FROM TO NAME [SLOT]": NAME is called in every
// stage frame from FROM to TO (runner frames, both included), in the order
// of the lines; SLOT is the argument of a role that takes one (a hit
// setter).  '#' starts a comment.
#pragma once
#include <string>
#include <vector>

namespace runner {

struct RoleCall {
  long from = 0;
  long to = 0;
  std::string name;
  bool has_slot = false;
  long slot = 0;
};

// Parses a whole list; false with a message naming the bad line.
bool ParseCalls(const std::string& text, std::vector<RoleCall>* calls, std::string* error);

}  // namespace runner
