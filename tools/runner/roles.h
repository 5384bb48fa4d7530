// The game roles the headless runner can call by name: every role of the
// enemy groups' role lists (enemies/engine/roles.h).
#pragma once
#include <cstdint>
#include <string>

namespace runner {

struct Role {
  const char* name;
  void (*call)();                // a role without argument ...
  void (*call_slot)(int32_t);    // ... or one that takes a slot index
  int32_t slots = 0;             // ... from 0 to slots - 1 (its kind's table)
};

// The role of that name, or nullptr.
const Role* FindRole(const std::string& name);

}  // namespace runner
