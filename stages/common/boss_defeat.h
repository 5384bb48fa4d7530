// The defeat sequence that ends every stage: once the boss's hit points are
// gone, explosions jump over the boss every call while the explosion sound
// restarts, the music stops, and then both reset passes run and the scene
// changes to the next stage with a band transition over the captured frame.
#pragma once
#include <cstdint>
#include <span>

#include "stages/boss_records.h"

// The parameters of one boss's sequence.
struct DefeatRow {
  BossState* boss;
  std::span<DefeatExplosion> bigExplosions;    // BBAK1B, 160 x 160 cells, frames 0..3
  std::span<DefeatExplosion> smallExplosions;  // ZBAK1B, 60 x 60 cells, frames 0..9
  int32_t spreadX;       // an explosion lands at boss x + rand % spreadX - 100 (big) or - 40 (small)
  int32_t spreadYBig;    // ... and at boss y + rand % spreadYBig
  int32_t spreadYSmall;  // ... or boss y + rand % spreadYSmall
  int32_t transitionBand;  // the scene change's transition: its band and steps
  int32_t nextScene;
};

// The defeat timer (10 per second) values that matter.
constexpr float DefeatMusicStopAfter = 50.0f;   // the music stops while 50 < t < 60
constexpr float DefeatMusicStopBefore = 60.0f;
constexpr float DefeatSceneChangeAfter = 70.0f;  // the stage clear once t > 70

// One call of the sequence; nothing while the boss's hit points are above 0.
void RunDefeat(const DefeatRow& row);
