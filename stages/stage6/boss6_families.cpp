// The stage-6 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss6State.
#include "stages/stage6/boss6_families.h"

#include "enemies/twin_shots.h"
#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss6State>();

// Rows of the VAL401 cells by place from row 60, one every 80 ticks of an
// 860-tick cycle.
constexpr ArcSpec ByPlace(float column) {
  return {.column = column, .top = 60, .fall = 120, .cycle = 860,
          .ticks = {80, 160, 240, 320, 400, 480, 560, 640, 720, 800},
          .look = ArcPlaceLook(&ImgVal401), .ship = kArcPlaceShip};
}
// Wide rows 22 px apart around `column`, from row 50, whose outer bullets
// alone part, at `parting` px/s each way.
constexpr ArcSpec Wide(float column, float parting) {
  return {.column = column, .top = 50, .fall = 180, .cycle = 150,
          .ticks = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100}, .look = kArcAnimatedLook,
          .spread = {-parting, 0, 0, 0, parting}, .pitch = 22};
}

constexpr FallingRow Burst(TableRef<StraightShot> shots, float gun_x, float gun_y) {
  return BossBurst(shots, kBoss, {gun_x, gun_y}, kVal1Look);
}

}  // namespace

FALLING_FAMILY(Boss6Val405A,
               TwinShots(Table(Boss6Val405ASlots), kBoss, DropTwins(210 - 100, 210 + 100, 200)))
FALLING_FAMILY(Boss6Val405B,
               TwinShots(Table(Boss6Val405BSlots), kBoss, DropTwins(210 - 140, 210 + 140, 180)))

VOLLEY_RING_FAMILY(Boss6Val20241D,
                   AimedRing(Table(Boss6Val20241DSlots), kBoss, {220, 190}, 100, 30, 390,
                             {30, 60, 120, 150, 180, 210, 240, 300, 330, 360}))

// B and C stand around 212, not the 222 of the others.
FALLING_FIRE_FAMILY(Boss6Val1A, Burst(Table(Boss6Val1ASlots), 222, 200))
FALLING_FIRE_FAMILY(Boss6Val1B, Burst(Table(Boss6Val1BSlots), 182, 110))
FALLING_FIRE_FAMILY(Boss6Val1C, Burst(Table(Boss6Val1CSlots), 242, 110))
FALLING_FIRE_FAMILY(Boss6Val1D, Burst(Table(Boss6Val1DSlots), 222, 200))
FALLING_FIRE_FAMILY(Boss6Val1E, Burst(Table(Boss6Val1ESlots), 172, 150))
FALLING_FIRE_FAMILY(Boss6Val1F, Burst(Table(Boss6Val1FSlots), 272, 150))
FALLING_FIRE_FAMILY(Boss6Val1G, Burst(Table(Boss6Val1GSlots), 142, 110))
FALLING_FIRE_FAMILY(Boss6Val1H, Burst(Table(Boss6Val1HSlots), 302, 110))
FALLING_FIRE_FAMILY(Boss6Val1I, Burst(Table(Boss6Val1ISlots), 222, 200))

// ---- rows ----

FALLING_FAMILY(Boss6Val20241A,
               ArcRow(Table(Boss6Val20241ASlots), kBoss,
                      {.column = 220, .top = 110, .fall = 130, .cycle = 330,
                       .ticks = {30, 60, 90, 120, 150, 180, 210, 240, 270, 300},
                       .look = kArcAnimatedLook}))
FALLING_FAMILY(Boss6Val401A, ArcRow(Table(Boss6Val401ASlots), kBoss, ByPlace(170)))
FALLING_FAMILY(Boss6Val401B, ArcRow(Table(Boss6Val401BSlots), kBoss, ByPlace(250)))
FALLING_FAMILY(Boss6Val401C, ArcRow(Table(Boss6Val401CSlots), kBoss, ByPlace(90)))
FALLING_FAMILY(Boss6Val401D, ArcRow(Table(Boss6Val401DSlots), kBoss, ByPlace(330)))
FALLING_FAMILY(Boss6Val20241B, ArcRow(Table(Boss6Val20241BSlots), kBoss, Wide(120, 200)))
FALLING_FAMILY(Boss6Val20241C, ArcRow(Table(Boss6Val20241CSlots), kBoss, Wide(320, 100)))
