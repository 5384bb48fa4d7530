// The stage-4 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss4State.
#include "stages/stage4/boss4_families.h"

#include "enemies/twin_shots.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss4State>();

constexpr GroupTicks kRingTicks{30, 60, 90, 120, 150, 180};
constexpr GroupTicks kFanTicks{20, 40, 90, 110, 160};
constexpr GroupTicks kSlantTicks{10, 20, 30, 60, 70, 80, 110, 120, 130, 140};
constexpr GroupTicks kWideTicks{60, 120, 180, 240, 300, 360, 420, 480, 540, 600};
constexpr GroupTicks kAnimatedTicks{10, 20, 30, 40, 50, 80, 90, 100, 110, 120};

// Rows near the centre of the boss falling at 110 px/s, slanting by `slide`.
constexpr ArcSpec Slanting(float column, float slide) {
  return {.column = column, .top = 60, .fall = 110, .slide = slide, .cycle = 170,
          .ticks = kSlantTicks};
}
// Fast straight rows far out, one every 60 ticks of a 720-tick cycle.
constexpr ArcSpec Wide(float column) {
  return {.column = column, .top = 30, .fall = 280, .cycle = 720, .ticks = kWideTicks};
}
// Animated rows near the centre, slanting by `slide`.
constexpr ArcSpec Animated(float column, float slide) {
  return {.column = column, .top = 30, .fall = 250, .slide = slide, .cycle = 140,
          .ticks = kAnimatedTicks, .look = kArcAnimatedLook};
}

constexpr FallingRow Burst(TableRef<StraightShot> shots, float gun_x, float gun_y) {
  return BossBurst(shots, kBoss, {gun_x, gun_y}, kVal13Look);
}

}  // namespace

// ---- twin drops from either side of x + 200 ----

FALLING_FAMILY(Boss4Val405A,
               TwinShots(Table(Boss4Val405ASlots), kBoss, DropTwins(200 - 80, 200 + 80, 200)))
FALLING_FAMILY(Boss4Val405B,
               TwinShots(Table(Boss4Val405BSlots), kBoss, DropTwins(200 - 100, 200 + 100, 180)))
// Parting at 10 px/s, added twice per Move.
FALLING_FAMILY(Boss4Val405C, TwinShots(Table(Boss4Val405CSlots), kBoss,
                                       DropTwins(200 - 120, 200 + 120, 180, 10, 2)))

// ---- aimed rings and fans ----

VOLLEY_RING_FAMILY(Boss4Val20241A, AimedRing(Table(Boss4Val20241ASlots), kBoss, {110, 130}, 140,
                                             12, 250, kRingTicks))
VOLLEY_RING_FAMILY(Boss4Val20241B, AimedRing(Table(Boss4Val20241BSlots), kBoss, {310, 130}, 140,
                                             12, 250, kRingTicks))
VOLLEY_FAMILY(Boss4Val20241C,
              AimedFan(Table(Boss4Val20241CSlots), kBoss, {60, 100}, 150, 3, 200, kFanTicks))
VOLLEY_FAMILY(Boss4Val20241D,
              AimedFan(Table(Boss4Val20241DSlots), kBoss, {360, 100}, 150, 3, 200, kFanTicks))

// ---- arc rows ----

FALLING_FAMILY(Boss4Vall20A, ArcRow(Table(Boss4Vall20ASlots), kBoss,
                                    {.column = 210, .top = 60, .fall = 210, .cycle = 150,
                                     .ticks = {10, 20, 30, 40, 50, 80, 90, 100, 120, 130}}))
FALLING_FAMILY(Boss4Vall20B, ArcRow(Table(Boss4Vall20BSlots), kBoss, Slanting(150, 90)))
FALLING_FAMILY(Boss4Vall20C, ArcRow(Table(Boss4Vall20CSlots), kBoss, Slanting(270, -90)))
FALLING_FAMILY(Boss4Vall20D, ArcRow(Table(Boss4Vall20DSlots), kBoss, Wide(90)))
FALLING_FAMILY(Boss4Vall20E, ArcRow(Table(Boss4Vall20ESlots), kBoss, Wide(330)))
FALLING_FAMILY(Boss4Val20241E, ArcRow(Table(Boss4Val20241ESlots), kBoss, Animated(180, 30)))
FALLING_FAMILY(Boss4Val20241F, ArcRow(Table(Boss4Val20241FSlots), kBoss, Animated(240, -30)))

// ---- small bursts ----

FALLING_FIRE_FAMILY(Boss4Val13A, Burst(Table(Boss4Val13ASlots), 212, 200))
FALLING_FIRE_FAMILY(Boss4Val13B, Burst(Table(Boss4Val13BSlots), 182, 110))
FALLING_FIRE_FAMILY(Boss4Val13C, Burst(Table(Boss4Val13CSlots), 242, 110))
FALLING_FIRE_FAMILY(Boss4Val13D, Burst(Table(Boss4Val13DSlots), 212, 200))
FALLING_FIRE_FAMILY(Boss4Val13E, Burst(Table(Boss4Val13ESlots), 162, 150))
FALLING_FIRE_FAMILY(Boss4Val13F, Burst(Table(Boss4Val13FSlots), 262, 150))
FALLING_FIRE_FAMILY(Boss4Val13G, Burst(Table(Boss4Val13GSlots), 132, 110))
FALLING_FIRE_FAMILY(Boss4Val13H, Burst(Table(Boss4Val13HSlots), 292, 110))
FALLING_FIRE_FAMILY(Boss4Val13I, Burst(Table(Boss4Val13ISlots), 212, 200))
