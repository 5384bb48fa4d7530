// The rotating kinds' guns, as rows of the bullet and volley engines.
#include "enemies/rotating_kinds.h"

#include "enemies/engine/volley_engine.h"
#include "shell/assets.h"

namespace {

// The fans of Szak6D and Szak6E: 25 records in five groups of five from slot
// 0, at ticks 40 .. 200 of a 250-call cycle; each fan spreads over -24 ..
// +24 degrees around the aim.
constexpr VolleyRow Szak6Fans(TableRef<PatternShot> shots, OwnerRef owner) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = 32, .dy = 40},
      .groupSize = 5,
      .cycle = 250,
      .wrap = Wrap::OnReaching,
      .groupTicks = {40, 80, 120, 160, 200},
      .aim = 20,
      .speed = 180,
      .fanStep = 2 * PiF / 30,
      .centre = 2,
      .retire = {.field = {-16, 800, -16, 600}},
      .ship = ShipBox(14, 24),
      .look = AdditiveStrip(&ImgVal1, 16, 16, true),
  };
}

}  // namespace

VOLLEY_FIRE_FAMILY(Szak6DShot7, Szak6Fans(Table(Szak6DShot7Slots), Owner<Szak6DSlots>()))
VOLLEY_FIRE_FAMILY(Szak6EShot7, Szak6Fans(Table(Szak6EShot7Slots), Owner<Szak6ESlots>()))
