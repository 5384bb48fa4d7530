#include "roles.h"

#include <iterator>

#include "el/draw/elDraw.h"
#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/kind_tables.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_gunships.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "enemies/top_bottom_waves.h"
#include "shell/assets.h"
#include "stages/stage1/boss1_families.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage3/boss3_families.h"
#include "stages/stage4/boss4_families.h"
#include "stages/stage4/boss4_streams.h"
#include "stages/stage5/boss5_families.h"
#include "stages/stage5/boss5_laser.h"
#include "stages/stage5/boss5_streams.h"
#include "stages/stage6/boss6_bolts.h"
#include "stages/stage6/boss6_families.h"
#include "stages/stage7/boss7_families.h"
#include "stages/stage7/boss7_patterns.h"
#include "stages/stage7/boss7_streams.h"
#include "stages/stage8/boss8_families.h"

namespace runner {
namespace {

#define ROLE(fn) Role{#fn, fn, nullptr, 0},
// A role whose slot indexes the kind's table stem##Slots.
#define SLOT_ROLE(fn, stem) Role{#fn, nullptr, fn, static_cast<int32_t>(std::size(stem##Slots))},
#define REGISTER_ROLES_KIND(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) SLOT_ROLE(stem##Hit, stem)
#define REGISTER_ROLES_WAVE(stem) REGISTER_ROLES_KIND(stem) SLOT_ROLE(stem##Init, stem)
#define REGISTER_ROLES_KIND1(stem) \
  ROLE(stem##Spawn) ROLE(stem##Update) ROLE(stem##Move) ROLE(stem##Hit)
#define REGISTER_ROLES_FIRED(stem) ROLE(stem##Fire) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_SCHEDULED(stem) ROLE(stem##Schedule) ROLE(stem##Move) ROLE(stem##Draw)
#define REGISTER_ROLES_RING(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES_STREAM(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES_PLACED(stem) REGISTER_ROLES_SCHEDULED(stem)
#define REGISTER_ROLES_LASER(stem) ROLE(stem##Fire) ROLE(stem##Draw)
#define REGISTER_ROLES(set, stem) REGISTER_ROLES_##set(stem)

// The runner's own roles: a boss's state put at (180, 0) (the hold point
// of the bosses), so that its bullet families can be flown without the
// boss's own script.
template <BossState& Boss>
void PlaceBoss() {
  Boss.x = 180.0f;
  Boss.y = 0.0f;
}
// The stage-4 boss placed so, its picture drawn there (its own Move and
// Draw are not run).
void RunnerShowBoss4() {
  PlaceBoss<Boss4State>();
  elDraw::DrawObject(180, 0, ImgBoss41, 0, 0, 440, 380);
}
#define PLACE_ROLE(name, state) Role{name, PlaceBoss<state>, nullptr, 0},

// One line per group header.
const Role Roles[] = {
    PLACE_ROLE("RunnerPlaceBoss1", Boss1State)
    PLACE_ROLE("RunnerPlaceBoss2", Boss2State)
    PLACE_ROLE("RunnerPlaceBoss3", Boss3State)
    PLACE_ROLE("RunnerPlaceBoss4", Boss4State)
    ROLE(RunnerShowBoss4)
    PLACE_ROLE("RunnerPlaceBoss5", Boss5State)
    PLACE_ROLE("RunnerPlaceBoss6", Boss6State)
    PLACE_ROLE("RunnerPlaceBoss7", Boss7State)
    PLACE_ROLE("RunnerPlaceBoss8", Boss8State)
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
    BOSS4_STREAM_ROLES(REGISTER_ROLES)
    BOSS5_STREAM_ROLES(REGISTER_ROLES)
    BOSS7_STREAM_ROLES(REGISTER_ROLES)
    BOSS4_FAMILY_ROLES(REGISTER_ROLES)
    BOSS5_FAMILY_ROLES(REGISTER_ROLES)
    BOSS5_LASER_ROLES(REGISTER_ROLES)
    BOSS6_FAMILY_ROLES(REGISTER_ROLES)
    BOSS6_BOLT_ROLES(REGISTER_ROLES)
    BOSS7_FAMILY_ROLES(REGISTER_ROLES)
    BOSS7_PATTERN_ROLES(REGISTER_ROLES)
    BOSS8_FAMILY_ROLES(REGISTER_ROLES)
};

}  // namespace

const Role* FindRole(const std::string& name) {
  for (const Role& role : Roles) {
    if (name == role.name) return &role;
  }
  return nullptr;
}

}  // namespace runner
