// The stage-2 boss's bullet families as rows of the shared engines, every
// one placed from Boss2State.
#include "stages/stage2/boss2_families.h"

#include "enemies/engine/falling_engine.h"
#include "enemies/twin_shots.h"
#include "shell/assets.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss2State>();

// A column of three at `x`, rows 90, 113, 120, fanning out sideways by 30,
// 105 and 165 px/s (one pass, free records too) while falling at 190 px/s;
// no BombWave test; cells by place in the column, keyed.
constexpr FallingRow Column(TableRef<StraightShot> shots, float x, float side, int32_t cell,
                            int32_t cell_step) {
  return {
      .shots = shots,
      .launch = {.owner = kBoss, .fixedSlot = 0},
      .groupSize = 3,
      .cycle = 230,
      .groupTicks = {20, 40, 60, 80, 100, 140, 160, 180, 200, 220},
      .x = At({x}),
      .y = At({90, 113, 120}),
      .yGroupWide = true,
      .fall = 190,
      .drift = {30 * side, 105 * side, 165 * side},
      .bombWave = false,
      .ship = {0, 20, 0, 20},
      .look = CellOf(&ImgVal405, 40, 40, cell, Blit::Keyed, cell_step, 3),
  };
}

}  // namespace

FALLING_FAMILY(Boss2Val405A, Column(Table(Boss2Val405ASlots), 110, 1, 160, 40))
FALLING_FAMILY(Boss2Val405B, Column(Table(Boss2Val405BSlots), 350, -1, 80, -40))
FALLING_FAMILY(Boss2Val405C, TwinShots(Table(Boss2Val405CSlots), kBoss, DropTwins(90, 370, 180)))
FALLING_FAMILY(Boss2Val405D, TwinShots(Table(Boss2Val405DSlots), kBoss, DropTwins(60, 400, 160)))
