// Szak52A and Szak52B: large gunships on a 45-degree diagonal, with their
// scheduled fans and single falling bullets, as rows of the kind, volley and
// bullet engines.
#include "el/system/angles.h"
#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/large_bursts.h"
#include "enemies/large_kinds.h"

namespace {

using large_bursts::Z2;
using large_bursts::Z3;

// Both axes move by vy: down, and right (Szak52A) or left (Szak52B).
void SlideRightByVy(EnemySlot& s) { s.x += s.vy * FrameTime; }
void SlideLeftByVy(EnemySlot& s) { s.x -= s.vy * FrameTime; }

constexpr KindRow<EnemySlot> Szak52Kind(TableRef<EnemySlot> slots, int32_t x,
                                        void (*slide)(EnemySlot&)) {
  return {
      .slots = slots,
      .x = Fixed(x),
      .y = Fixed(-160),
      .vx = Rand(80, 100),  // never read
      .vy = Rand(80, 80),
      .image = &ImgSzak52, .w = 200, .h = 160,
      .pieces = large_bursts::Eight({Z2, Z3, Z2, Z2, Z2, Z2, Z3, Z3}, Blit::Keyed),
      .honoursBlend = false,
      .stopsWhileExploding = false,
      .steer = slide,
      .box = {.bottom = 600},
  };
}

// The fans: the group's bullets from the gun at 220 px/s, turned -24 .. +24
// (Shot1) or -24 .. 0 degrees (Shot2, Shot3) around the aim; the ticks wrap
// on exceeding the bound.
constexpr GroupTicks kFiveVolleys{40, 80, 120, 160, 200};
constexpr GroupTicks kThreeVolleys{20, 40, 60, 80, 100};

struct Szak52Volley {
  int32_t group;
  int32_t bound;
  GroupTicks ticks;
  float gunX;  // the gun at (gunX, 120)
  const int32_t* image;
};
constexpr VolleyRow Szak52Fan(TableRef<PatternShot> shots, OwnerRef owner,
                              const Szak52Volley& volley) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = volley.gunX, .dy = 120},
      .groupSize = volley.group,
      .cycle = volley.bound,
      .wrap = Wrap::OnExceeding,
      .groupTicks = volley.ticks,
      .aim = 15,
      .speed = 220,
      .fanStep = 2 * PiF / 30,
      .centre = 2,
      .retire = {.field = {-30, 800, -30, 600}},
      .ship = ShipBox(0, 10),
      .look = RotatedLook(volley.image, 30, {.base = 270, .truncateFirst = false}),
  };
}

// The single falling bullets from (112, 50): vy px/s down, straight or
// slanting by `side` px/s.
struct Szak52Drop {
  int32_t vy;
  int32_t side = 0;
};
constexpr StraightRow Szak52Single(TableRef<StraightShot> shots, OwnerRef owner,
                                   const Szak52Drop& drop) {
  const int32_t side = drop.side;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = 112, .dy = 50},
      .vy = SpeedOf(drop.vy),
      .vx = SpeedOf(side < 0 ? -side : side),
      .xSign = side < 0 ? -1.0f : (side > 0 ? 1.0f : 0.0f),
      .retire = {.bombWave = false},
      .ship = ShipBox(14, 24),
      .look = AdditiveCell(&ImgVal11, 16, 16),
  };
}

}  // namespace

KIND(Szak52A, EnemySlot, Szak52Kind(Table(Szak52ASlots), -20, SlideRightByVy))
VOLLEY_FAMILY(Szak52AShot1, Szak52Fan(Table(Szak52AShot1Slots), Owner<Szak52ASlots>(),
                                      {.group = 5, .bound = 259, .ticks = kFiveVolleys,
                                       .gunX = 85, .image = &ImgVall302}))
VOLLEY_FAMILY(Szak52AShot2, Szak52Fan(Table(Szak52AShot2Slots), Owner<Szak52ASlots>(),
                                      {.group = 3, .bound = 100, .ticks = kThreeVolleys,
                                       .gunX = 5, .image = &ImgVall301}))
VOLLEY_FAMILY(Szak52AShot3, Szak52Fan(Table(Szak52AShot3Slots), Owner<Szak52ASlots>(),
                                      {.group = 3, .bound = 100, .ticks = kThreeVolleys,
                                       .gunX = 165, .image = &ImgVall301}))
STRAIGHT_FAMILY(Szak52AShot4, Szak52Single(Table(Szak52AShot4Slots), Owner<Szak52ASlots>(),
                                           {.vy = 110}))
STRAIGHT_FAMILY(Szak52AShot5, Szak52Single(Table(Szak52AShot5Slots), Owner<Szak52ASlots>(),
                                           {.vy = 105, .side = -10}))
STRAIGHT_FAMILY(Szak52AShot6, Szak52Single(Table(Szak52AShot6Slots), Owner<Szak52ASlots>(),
                                           {.vy = 105, .side = 10}))
STRAIGHT_FAMILY(Szak52AShot7, Szak52Single(Table(Szak52AShot7Slots), Owner<Szak52ASlots>(),
                                           {.vy = 96, .side = -20}))
STRAIGHT_FAMILY(Szak52AShot8, Szak52Single(Table(Szak52AShot8Slots), Owner<Szak52ASlots>(),
                                           {.vy = 96, .side = 20}))

KIND(Szak52B, EnemySlot, Szak52Kind(Table(Szak52BSlots), 620, SlideLeftByVy))
VOLLEY_FAMILY(Szak52BShot1, Szak52Fan(Table(Szak52BShot1Slots), Owner<Szak52BSlots>(),
                                      {.group = 5, .bound = 259, .ticks = kFiveVolleys,
                                       .gunX = 85, .image = &ImgVall302}))
VOLLEY_FAMILY(Szak52BShot2, Szak52Fan(Table(Szak52BShot2Slots), Owner<Szak52BSlots>(),
                                      {.group = 3, .bound = 100, .ticks = kThreeVolleys,
                                       .gunX = 5, .image = &ImgVall301}))
VOLLEY_FAMILY(Szak52BShot3, Szak52Fan(Table(Szak52BShot3Slots), Owner<Szak52BSlots>(),
                                      {.group = 3, .bound = 100, .ticks = kThreeVolleys,
                                       .gunX = 165, .image = &ImgVall301}))
STRAIGHT_FAMILY(Szak52BShot4, Szak52Single(Table(Szak52BShot4Slots), Owner<Szak52BSlots>(),
                                           {.vy = 110}))
STRAIGHT_FAMILY(Szak52BShot5, Szak52Single(Table(Szak52BShot5Slots), Owner<Szak52BSlots>(),
                                           {.vy = 105, .side = -10}))
STRAIGHT_FAMILY(Szak52BShot6, Szak52Single(Table(Szak52BShot6Slots), Owner<Szak52BSlots>(),
                                           {.vy = 105, .side = 10}))
STRAIGHT_FAMILY(Szak52BShot7, Szak52Single(Table(Szak52BShot7Slots), Owner<Szak52BSlots>(),
                                           {.vy = 96, .side = -20}))
STRAIGHT_FAMILY(Szak52BShot8, Szak52Single(Table(Szak52BShot8Slots), Owner<Szak52BSlots>(),
                                           {.vy = 96, .side = 20}))
