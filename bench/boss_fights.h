// Every stage's boss fight at its heaviest, for the benchmarks and the tests
// that measure a frame: the boss held on the playfield at 5000 px (the move
// timer in a band that places it, the frame time 0 so nothing moves on),
// hurt and attacking, every bullet pool of that boss full above the ship
// (the pools of other bosses that a stage moves and draws stay parked, as
// they do in play), and a 30-step transition half-way through its bands in
// the present.  The game must be started (every picture loaded).
#pragma once
#include <cstddef>
#include <cstdint>

#include "el/draw/elDraw.h"
#include "el/draw/transition_state.h"
#include "el/system/elSystem.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

namespace bench {

// Every record of a pool active, spread over the playfield down to
// `bottom`.
template <typename R, size_t N>
void Spread(R (&pool)[N], float speed, int bottom = 580) {
  for (size_t r = 0; r < N; ++r) {
    R& s = pool[r];
    s.active = 1;
    s.x = 190.0f + static_cast<float>((r * 37) % 420);
    s.y = 20.0f + static_cast<float>((r * 53) % static_cast<size_t>(bottom - 20));
    if constexpr (requires { s.speed; }) s.speed = speed;
    if constexpr (requires { s.angle; }) s.angle = static_cast<float>(r) * 0.3f;
  }
}

// A bullet pool spread above the ship; other tables are left alone.
template <typename R, size_t N>
void SpreadBullets(R (&pool)[N]) {
  if constexpr (requires(R r) { r.active; }) Spread(pool, 200.0f, 440);
}

struct BossFight {
  void (*scene)();
  BossState* boss;
  float move_timer;  // inside a band that places the boss on the field
};
inline constexpr BossFight kBossFights[] = {
    {Stage1Scene, &Boss1State, 140}, {Stage2Scene, &Boss2State, 150},
    {Stage3Scene, &Boss3State, 90},  {Stage4Scene, &Boss4State, 80},
    {Stage5Scene, &Boss5State, 150}, {Stage6Scene, &Boss6State, 150},
    {Stage7Scene, &Boss7State, 100}, {Stage8Scene, &Boss8State, 90},
};

// Every pool of the boss of `stage` (1 to 8) full above the ship.
inline void SpreadBossPools(int64_t stage) {
#define TABLE(name, Type, count, rule) SpreadBullets(name);
  switch (stage) {
    case 1:
#include "stages/stage1/boss1_tables.inc"
      break;
    case 2:
#include "stages/stage2/boss2_tables.inc"
      break;
    case 3:
#include "stages/stage3/boss3_tables.inc"
      break;
    case 4:
#include "stages/stage4/boss4_tables.inc"
      break;
    case 5:
#include "stages/stage5/boss5_tables.inc"
      break;
    case 6:
#include "stages/stage6/boss6_tables.inc"
      break;
    case 7:
#include "stages/stage7/boss7_tables.inc"
      break;
    case 8:
#include "stages/stage8/boss8_tables.inc"
      break;
  }
#undef TABLE
}

// Stage `stage`'s (1 to 8) boss fight, set up: the tables reset, a ship that
// cannot die out of the way, the pools full, the old picture of the
// transition captured.
inline void SetUpBossFight(int64_t stage) {
  ResetObjectTablesA();
  ResetObjectTablesB();
  FrameTime = 0.0f;
  SceneEntered = 0;
  NoDeath = 1;  // a bullet on the ship changes nothing
  Lives = 999;
  PlayerX = 370.0f;
  PlayerY = 520.0f;
  BlendExplosions = 1;
  SpreadBossPools(stage);
  const BossFight& fight = kBossFights[stage - 1];
  fight.boss->x = 180.0f;
  fight.boss->y = 0.0f;
  fight.boss->moveTimer = fight.move_timer;
  fight.boss->hitPoints = 500.0f;
  ScrollPos = 5000.0f;
  elDraw::CaptureScreen(1, 0, 0, ScreenWidth, ScreenHeight);
}

// One whole frame of it, present included, at attack tick 700, the
// transition held half-way.
inline void BossFightFrame(int64_t stage) {
  const BossFight& fight = kBossFights[stage - 1];
  fight.boss->attackTick = 699;
  TransitionPattern = 3;
  TransitionBand = 30;
  TransitionStep = 15;
  TransitionDir = -1;
  fight.scene();
}

}  // namespace bench
