// The stage-8 boss's bullet families of the shared designs as engine rows,
// every one placed from Boss8State.
#include "stages/stage8/boss8_families.h"

#include "stages/patterns/pattern_rows.h"

namespace {

constexpr OwnerRef kBoss = OwnerAt<Boss8State>();

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
