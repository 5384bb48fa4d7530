#include "roles.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_gunships.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "enemies/top_bottom_waves.h"
#include "stages/stage1/boss1_families.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage3/boss3_families.h"

namespace runner {
namespace {

#define ROLE(fn) Role{#fn, fn, nullptr},
#define SLOT_ROLE(fn) Role{#fn, nullptr, fn},
#define REGISTER_ROLES_KIND(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) SLOT_ROLE(stem##Hit)
#define REGISTER_ROLES_WAVE(stem) REGISTER_ROLES_KIND(stem) SLOT_ROLE(stem##Init)
#define REGISTER_ROLES_KIND1(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) ROLE(stem##Hit)
#define REGISTER_ROLES_FIRED(stem) ROLE(stem##Fire) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_SCHEDULED(stem) ROLE(stem##Schedule) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_RING(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES_PLACED(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES(set, stem) REGISTER_ROLES_##set(stem)

// The runner's own roles: a boss's state put at (180, 0) (the stage-1 boss's
// hold point), so that its bullet families can be flown without the boss's
// own script.
void RunnerPlaceBoss1() {
  Boss1State.x = 180.0f;
  Boss1State.y = 0.0f;
}
void RunnerPlaceBoss2() {
  Boss2State.x = 180.0f;
  Boss2State.y = 0.0f;
}
void RunnerPlaceBoss3() {
  Boss3State.x = 180.0f;
  Boss3State.y = 0.0f;
}

// One line per group header.
const Role Roles[] = {
    ROLE(RunnerPlaceBoss1)
    ROLE(RunnerPlaceBoss2)
    ROLE(RunnerPlaceBoss3)
    SMALL_KIND_ROLES(REGISTER_ROLES)
    ROTATING_KIND_ROLES(REGISTER_ROLES)
    SIDE_GUNSHIP_ROLES(REGISTER_ROLES)
    DIAGONAL_KIND_ROLES(REGISTER_ROLES)
    DIAGONAL_WAVE_ROLES(REGISTER_ROLES)
    TOP_BOTTOM_WAVE_ROLES(REGISTER_ROLES)
    SIDE_WAVE_ROLES(REGISTER_ROLES)
    ROTATING_WAVE_ROLES(REGISTER_ROLES)
    LARGE_KIND_ROLES(REGISTER_ROLES)
    BOSS1_FAMILY_ROLES(REGISTER_ROLES)
    BOSS2_FAMILY_ROLES(REGISTER_ROLES)
    BOSS3_FAMILY_ROLES(REGISTER_ROLES)
};

}  // namespace

const Role* FindRole(const std::string& name) {
  for (const Role& role : Roles) {
    if (name == role.name) return &role;
  }
  return nullptr;
}

}  // namespace runner
