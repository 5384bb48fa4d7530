// The stage-5 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss5State.
#include "stages/stage5/boss5_families.h"

#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss5State>();

// The last group of the seven-ball fans ticks at the cycle, 150: it fires on
// the call that reaches it.
constexpr GroupTicks kSevenTicks{30, 60, 90, 120, 150};
constexpr GroupTicks kFiveTicks{20, 40, 90, 110, 160};

constexpr GroupTicks kRowTicks{10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr GroupTicks kSlowRowTicks{30, 60, 90, 120, 150, 180, 210, 240, 270, 300};

// Rows of the VAL402 cells by place, falling at 155 px/s.
constexpr ArcSpec ByPlace(float column, float top, int32_t cycle) {
  return {.column = column, .top = top, .fall = 155, .cycle = cycle, .ticks = kRowTicks,
          .look = ArcPlaceLook(&ImgVal402), .ship = kArcPlaceShip};
}
// Animated rows from row 60 falling at 120 px/s, slanting by `slide`.
constexpr ArcSpec Animated(float column, float slide, int32_t cycle, const GroupTicks& ticks) {
  return {.column = column, .top = 60, .fall = 120, .slide = slide, .cycle = cycle,
          .ticks = ticks, .look = kArcAnimatedLook};
}

constexpr FallingRow Burst(TableRef<StraightShot> shots, float gun_x, float gun_y) {
  return BossBurst(shots, kBoss, {gun_x, gun_y}, kVal13Look);
}

}  // namespace

VOLLEY_FAMILY(Boss5Val20241A,
              AimedFan(Table(Boss5Val20241ASlots), kBoss, {50, 80}, 200, 7, 150, kSevenTicks))
VOLLEY_FAMILY(Boss5Val20241B,
              AimedFan(Table(Boss5Val20241BSlots), kBoss, {210, 80}, 200, 7, 150, kSevenTicks))
VOLLEY_FAMILY(Boss5Val20241C,
              AimedFan(Table(Boss5Val20241CSlots), kBoss, {30, 130}, 150, 5, 200, kFiveTicks))
VOLLEY_FAMILY(Boss5Val20241D,
              AimedFan(Table(Boss5Val20241DSlots), kBoss, {330, 130}, 150, 5, 200, kFiveTicks))

FALLING_FIRE_FAMILY(Boss5Val13A, Burst(Table(Boss5Val13ASlots), 182, 200))
FALLING_FIRE_FAMILY(Boss5Val13B, Burst(Table(Boss5Val13BSlots), 152, 110))
FALLING_FIRE_FAMILY(Boss5Val13C, Burst(Table(Boss5Val13CSlots), 212, 110))
FALLING_FIRE_FAMILY(Boss5Val13D, Burst(Table(Boss5Val13DSlots), 182, 200))
FALLING_FIRE_FAMILY(Boss5Val13E, Burst(Table(Boss5Val13ESlots), 132, 150))
FALLING_FIRE_FAMILY(Boss5Val13F, Burst(Table(Boss5Val13FSlots), 232, 150))
FALLING_FIRE_FAMILY(Boss5Val13G, Burst(Table(Boss5Val13GSlots), 102, 110))
FALLING_FIRE_FAMILY(Boss5Val13H, Burst(Table(Boss5Val13HSlots), 262, 110))
FALLING_FIRE_FAMILY(Boss5Val13I, Burst(Table(Boss5Val13ISlots), 182, 200))

FALLING_FAMILY(Boss5Val402A, ArcRow(Table(Boss5Val402ASlots), kBoss, ByPlace(170, 90, 140)))
FALLING_FAMILY(Boss5Val402B, ArcRow(Table(Boss5Val402BSlots), kBoss, ByPlace(110, 60, 150)))
FALLING_FAMILY(Boss5Val402C, ArcRow(Table(Boss5Val402CSlots), kBoss, ByPlace(230, 60, 150)))
FALLING_FAMILY(Boss5Val20241E,
               ArcRow(Table(Boss5Val20241ESlots), kBoss, Animated(160, 100, 150, kRowTicks)))
FALLING_FAMILY(Boss5Val20241F,
               ArcRow(Table(Boss5Val20241FSlots), kBoss, Animated(200, -100, 150, kRowTicks)))
FALLING_FAMILY(Boss5Val20241G,
               ArcRow(Table(Boss5Val20241GSlots), kBoss, Animated(130, 0, 330, kSlowRowTicks)))
FALLING_FAMILY(Boss5Val20241H,
               ArcRow(Table(Boss5Val20241HSlots), kBoss, Animated(230, 0, 330, kSlowRowTicks)))
