#include "roles.h"

#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"

namespace runner {
namespace {

#define ROLE(fn) Role{#fn, fn, nullptr},
#define SLOT_ROLE(fn) Role{#fn, nullptr, fn},
#define REGISTER_ROLES_KIND(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) SLOT_ROLE(stem##Hit)
#define REGISTER_ROLES_KIND1(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) ROLE(stem##Hit)
#define REGISTER_ROLES_FIRED(stem) ROLE(stem##Fire) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_SCHEDULED(stem) ROLE(stem##Schedule) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_RING(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES_PLACED(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES(set, stem) REGISTER_ROLES_##set(stem)

// One line per group header.
const Role Roles[] = {
    SMALL_KIND_ROLES(REGISTER_ROLES)
    ROTATING_KIND_ROLES(REGISTER_ROLES)
    LARGE_KIND_ROLES(REGISTER_ROLES)
};

}  // namespace

const Role* FindRole(const std::string& name) {
  for (const Role& role : Roles) {
    if (name == role.name) return &role;
  }
  return nullptr;
}

}  // namespace runner
