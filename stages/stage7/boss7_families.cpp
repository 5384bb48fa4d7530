// The stage-7 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss7State.
#include "stages/stage7/boss7_families.h"

#include "enemies/twin_shots.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss7State>();
constexpr Point kRingGun{220, 220};

constexpr GroupTicks kEvery30{30, 60, 90, 120, 150, 180, 210, 240, 270, 300};
constexpr GroupTicks kEvery10{10, 20, 30, 40, 50, 60, 70, 80, 90, 100};
constexpr GroupTicks kEvery80{80, 160, 240, 320, 400, 480, 560, 640, 720, 800};

// The slow animated pair and the fixed pair, each from either side of the
// middle of the boss.
constexpr ArcSpec SlowAnimated(float column) {
  return {.column = column, .top = 90, .fall = 90, .cycle = 350, .ticks = kEvery30,
          .look = kArcAnimatedLook};
}
constexpr ArcSpec Low(float column) {
  return {.column = column, .top = 170, .fall = 120, .cycle = 900, .ticks = kEvery80};
}

constexpr FallingRow Burst(TableRef<StraightShot> shots, float gun_x, float gun_y) {
  return BossBurst(shots, kBoss, {gun_x, gun_y}, kVal12Look);
}

}  // namespace

// ---- twin drops from either side of x + 210 ----

FALLING_FAMILY(Boss7Val405A,
               TwinShots(Table(Boss7Val405ASlots), kBoss, DropTwins(210 - 97, 210 + 97, 200)))
FALLING_FAMILY(Boss7Val405B,
               TwinShots(Table(Boss7Val405BSlots), kBoss, DropTwins(210 - 147, 210 + 147, 180)))

// ---- aimed rings from (220, 220) ----

VOLLEY_RING_FAMILY(Boss7Val20241A,
                   AimedRing(Table(Boss7Val20241ASlots), kBoss, kRingGun, 140, 20, 340, kEvery30))
VOLLEY_RING_FAMILY(Boss7Val20241B,
                   AimedRing(Table(Boss7Val20241BSlots), kBoss, kRingGun, 120, 30, 340, kEvery30))
VOLLEY_RING_FAMILY(Boss7Val20241C,
                   AimedRing(Table(Boss7Val20241CSlots), kBoss, kRingGun, 140, 20, 1000, kEvery10))
// Its tenth ring ticks at the cycle, 100: it fires on the call that reaches it.
VOLLEY_RING_FAMILY(Boss7Val20241D,
                   AimedRing(Table(Boss7Val20241DSlots), kBoss, kRingGun, 120, 30, 100, kEvery10))

// ---- arc rows ----

FALLING_FAMILY(Boss7Val20241E,
               ArcRow(Table(Boss7Val20241ESlots), kBoss,
                      {.column = 220, .top = 110, .fall = 230, .cycle = 360, .ticks = kEvery30,
                       .look = kArcAnimatedLook}))
FALLING_FAMILY(Boss7Val20241F, ArcRow(Table(Boss7Val20241FSlots), kBoss, SlowAnimated(170)))
FALLING_FAMILY(Boss7Val20241G, ArcRow(Table(Boss7Val20241GSlots), kBoss, SlowAnimated(270)))
FALLING_FAMILY(Boss7Vall20A, ArcRow(Table(Boss7Vall20ASlots), kBoss, Low(140)))
FALLING_FAMILY(Boss7Vall20B, ArcRow(Table(Boss7Vall20BSlots), kBoss, Low(300)))

// ---- small bursts (the plan's A, D, E, F, G, H, I around 222) ----

FALLING_FIRE_FAMILY(Boss7Val12A, Burst(Table(Boss7Val12ASlots), 222, 200))
FALLING_FIRE_FAMILY(Boss7Val12B, Burst(Table(Boss7Val12BSlots), 222, 200))
FALLING_FIRE_FAMILY(Boss7Val12C, Burst(Table(Boss7Val12CSlots), 172, 150))
FALLING_FIRE_FAMILY(Boss7Val12D, Burst(Table(Boss7Val12DSlots), 272, 150))
FALLING_FIRE_FAMILY(Boss7Val12E, Burst(Table(Boss7Val12ESlots), 142, 110))
FALLING_FIRE_FAMILY(Boss7Val12F, Burst(Table(Boss7Val12FSlots), 302, 110))
FALLING_FIRE_FAMILY(Boss7Val12G, Burst(Table(Boss7Val12GSlots), 222, 200))
