// The stage-8 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss8State.
#include "stages/stage8/boss8_families.h"

#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss8State>();

// Keyed arc rows: the spread of -100 .. +100 px/s by place comes in five
// passes of -20, -10, 0, +10, +20 per Move.
constexpr ArcSpec Keyed(ArcSpec a) {
  a.spread = {-20, -10, 0, 10, 20};
  a.spreadPasses = 5;
  return a;
}
// Rows of the VAL402 cells by place (their own handle) from row 60.
constexpr ArcSpec ByPlace(float column) {
  return Keyed({.column = column, .top = 60, .fall = 120, .cycle = 660,
                .ticks = {60, 120, 180, 240, 300, 360, 420, 480, 540, 600},
                .look = ArcPlaceLook(&ImgVal402B, Blit::Keyed), .ship = kArcPlaceShip});
}

constexpr FallingRow Burst(TableRef<StraightShot> shots, float gun_x, float gun_y) {
  return BossBurst(shots, kBoss, {gun_x, gun_y}, kVal1Look);
}

}  // namespace

FALLING_FIRE_FAMILY(Boss8Val1A, Burst(Table(Boss8Val1ASlots), 232, 200))
FALLING_FIRE_FAMILY(Boss8Val1B, Burst(Table(Boss8Val1BSlots), 202, 110))
FALLING_FIRE_FAMILY(Boss8Val1C, Burst(Table(Boss8Val1CSlots), 262, 110))
FALLING_FIRE_FAMILY(Boss8Val1D, Burst(Table(Boss8Val1DSlots), 232, 200))
FALLING_FIRE_FAMILY(Boss8Val1E, Burst(Table(Boss8Val1ESlots), 182, 150))
FALLING_FIRE_FAMILY(Boss8Val1F, Burst(Table(Boss8Val1FSlots), 282, 150))
FALLING_FIRE_FAMILY(Boss8Val1G, Burst(Table(Boss8Val1GSlots), 152, 110))
FALLING_FIRE_FAMILY(Boss8Val1H, Burst(Table(Boss8Val1HSlots), 312, 110))
FALLING_FIRE_FAMILY(Boss8Val1I, Burst(Table(Boss8Val1ISlots), 232, 200))

// ---- rows ----

FALLING_FAMILY(Boss8Vall20,
               ArcRow(Table(Boss8Vall20Slots), kBoss,
                      Keyed({.column = 230, .top = 110, .fall = 130, .cycle = 230,
                             .ticks = {20, 40, 60, 80, 100, 120, 140, 160, 180, 200},
                             .look = CellOf(&ImgVall20, 20, 20, 0, Blit::Keyed)})))
FALLING_FAMILY(Boss8Val402A, ArcRow(Table(Boss8Val402ASlots), kBoss, ByPlace(180)))
FALLING_FAMILY(Boss8Val402B, ArcRow(Table(Boss8Val402BSlots), kBoss, ByPlace(260)))
FALLING_FAMILY(Boss8Val402C, ArcRow(Table(Boss8Val402CSlots), kBoss, ByPlace(100)))
FALLING_FAMILY(Boss8Val402D, ArcRow(Table(Boss8Val402DSlots), kBoss, ByPlace(340)))
