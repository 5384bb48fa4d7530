// Szak51, Szak52C, Szak50A and Szak60: large kinds of one record that fall
// straight down (Szak60 on a script of its own), with their scheduled fans,
// falling pairs, ring and burst, as rows of the kind, large-kind, volley and
// falling engines.
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/engine/large_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/large_bursts.h"
#include "enemies/large_kinds.h"
#include "enemies/twin_shots.h"

namespace {

using large_bursts::Z3;

// Spawned at x rand() % width + 180, y y0; falling at vy, freed below 600
// (or left of 100, which no spawn reaches); the explosion falls with it.
constexpr KindRow<EnemySlot> FallingKind(TableRef<EnemySlot> slots, int32_t width, int32_t y0,
                                         const int32_t* image, int32_t w, int32_t h,
                                         const Pieces& pieces) {
  return {
      .slots = slots,
      .x = Rand(width, 180),
      .y = Fixed(y0),
      .vx = Rand(50, 47),  // never read
      .vy = Rand(60, 60),
      .image = image, .w = w, .h = h,
      .pieces = pieces,
      .honoursBlend = false,
      .stopsWhileExploding = false,
      .box = {.left = 100, .bottom = 600},
  };
}

// Aimed fans of groups of five (or three) turned -24 .. +24 (-24 .. 0)
// degrees around the aim, and rings of twelve at 30-degree steps.
struct FanSpec {
  int32_t group;
  int32_t cycle;
  Wrap wrap;
  GroupTicks ticks;
  float gunX, gunY;
  float speed;
};

// How a fan looks and where it ends: its aim offset, the field margin, the
// ship box and the look.
struct FanStyle {
  float aim;
  float margin;
  Bounds ship;
  BulletLook look;
};
// VALL302 / VALL301: drawn turned, active only.
constexpr FanStyle LineStyle(const int32_t* image) {
  return {15, 30, ShipBox(0, 10), RotatedLook(image, 30)};
}
// VAL3: every record animated.
constexpr FanStyle kBallStyle{20, 16, ShipBox(14, 24), AdditiveStrip(&ImgVal3, 16, 16, true)};

constexpr VolleyRow Fan(TableRef<PatternShot> shots, OwnerRef owner, const FanSpec& f,
                        const FanStyle& style, Spread spread = Spread::Fan) {
  const bool ring = spread == Spread::Ring;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = f.gunX, .dy = f.gunY},
      .groupSize = f.group,
      .cycle = f.cycle,
      .wrap = f.wrap,
      .groupTicks = f.ticks,
      .aim = style.aim,
      .speed = f.speed,
      .fanStep = ring ? 2 * PiF / 12 : 2 * PiF / 30,
      .centre = ring ? 0 : 2,
      .spread = spread,
      .retire = {.field = {-style.margin, 800, -style.margin, 600}},
      .ship = style.ship,
      .look = style.look,
  };
}

constexpr GroupTicks kFans5{40, 80, 120, 160, 200};
constexpr GroupTicks kFans3{20, 40, 60, 80, 100};
constexpr GroupTicks kBalls{60, 120, 180, 240, 300};

// Falling pairs (VAL405), `centre` -/+ 40 from the owner, 130 below it:
// falling (Shot4, Shot1) or parting at -/+120 px/s (Shot5, Shot2).
constexpr FallingRowOf<PatternShot> Pairs(TableRef<PatternShot> shots, OwnerRef owner,
                                          float centre, bool parting) {
  if (!parting) {
    return TwinShots(shots, owner, {.left = centre - 40, .right = centre + 40, .y = 130, .fall = 280});
  }
  return TwinShots(shots, owner, {.left = centre - 40, .right = centre + 40, .y = 130, .fall = 250,
                                  .parting = 120, .look = kPartingTwinLook});
}

}  // namespace

KIND(Szak51, EnemySlot,
     FallingKind(Table(Szak51Slots), 200, -220, &ImgSzak51, 240, 220,
                 large_bursts::Eight({Z3, Z3, Z3, Z3, Z3, Z3, Z3, Z3}, Blit::Additive)))
VOLLEY_FAMILY(Szak51Shot1, Fan(Table(Szak51Shot1Slots), Owner<Szak51Slots>(),
                               {5, 260, Wrap::OnReaching, kFans5, 105, 130, 220},
                               LineStyle(&ImgVall302)))
VOLLEY_FAMILY(Szak51Shot2, Fan(Table(Szak51Shot2Slots), Owner<Szak51Slots>(),
                               {3, 100, Wrap::OnExceeding, kFans3, 25, 130, 220},
                               LineStyle(&ImgVall301)))
VOLLEY_FAMILY(Szak51Shot3, Fan(Table(Szak51Shot3Slots), Owner<Szak51Slots>(),
                               {3, 100, Wrap::OnExceeding, kFans3, 185, 130, 220},
                               LineStyle(&ImgVall301)))
FALLING_FAMILY_OF(Szak51Shot4, PatternShot,
                  Pairs(Table(Szak51Shot4Slots), Owner<Szak51Slots>(), 100, false))
FALLING_FAMILY_OF(Szak51Shot5, PatternShot,
                  Pairs(Table(Szak51Shot5Slots), Owner<Szak51Slots>(), 100, true))
VOLLEY_FAMILY(Szak51Shot6, Fan(Table(Szak51Shot6Slots), Owner<Szak51Slots>(),
                               {5, 370, Wrap::OnReaching, kBalls, 112, 70, 150}, kBallStyle))
VOLLEY_FAMILY(Szak51Shot7, Fan(Table(Szak51Shot7Slots), Owner<Szak51Slots>(),
                               {5, 370, Wrap::OnReaching, kBalls, 2, 70, 160}, kBallStyle))
VOLLEY_FAMILY(Szak51Shot8, Fan(Table(Szak51Shot8Slots), Owner<Szak51Slots>(),
                               {5, 370, Wrap::OnReaching, kBalls, 222, 70, 160}, kBallStyle))

KIND(Szak52C, EnemySlot,
     FallingKind(Table(Szak52CSlots), 240, -160, &ImgSzak52, 200, 160,
                 large_bursts::Eight(large_bursts::Mixed, Blit::Additive)))
FALLING_FAMILY_OF(Szak52CShot1, PatternShot,
                  Pairs(Table(Szak52CShot1Slots), Owner<Szak52CSlots>(), 80, false))
FALLING_FAMILY_OF(Szak52CShot2, PatternShot,
                  Pairs(Table(Szak52CShot2Slots), Owner<Szak52CSlots>(), 80, true))
VOLLEY_FAMILY(Szak52CShot3,
              Fan(Table(Szak52CShot3Slots), Owner<Szak52CSlots>(),
                  {5, 430, Wrap::OnReaching, {70, 140, 210, 280, 350}, 92, 70, 130}, kBallStyle))
// Ten rings of twelve at 30-degree steps, the first bullet of each at the ship.
VOLLEY_RING_FAMILY(Szak52CShot4,
                   Fan(Table(Szak52CShot4Slots), Owner<Szak52CSlots>(),
                       {12, 660, Wrap::OnReaching,
                        {60, 120, 180, 240, 300, 360, 420, 480, 540, 600}, 92, 32, 150},
                       kBallStyle, Spread::Ring))

// Never spawned in play; only its hit setter is called.
KIND(Szak50A, EnemySlot,
     FallingKind(Table(Szak50ASlots), 300, -120, &ImgSzak50, 140, 120,
                 large_bursts::Eight(large_bursts::Mixed, Blit::Additive)))

// Szak60: falls for ticks 0 .. 20, fires its burst every call of 21 .. 50,
// creeps down 51 .. 60, then from tick 8 again: a 53-call cycle.
LARGE_KIND(Szak60, Szak60Enemy, {
    .kind = {
        .slots = Table(Szak60Slots),
        .x = Rand(140, 180),
        .y = Fixed(-300),
        .vx = Fixed(80),
        .vy = Fixed(80),
        .image = &ImgSzak60, .w = 300, .h = 300,
        .pieces = large_bursts::Sixteen(Blit::Keyed),
        .honoursBlend = false,
        .stopsWhileExploding = false,
    },
    .script = {
        .entry = {0, 20},
        .fire = {21, 50},
        .leave = {51, 60},
        .entryMotion = {.y = 130},
        .leaveMotion = {.y = 60},
        .fireCalls = {Szak60Shot1Fire},
        .wrapAt = 61,
        .restart = 8,
        .box = {-120, 620, -300, 600},
    },
})

// Six bullets re-formed at the gun whenever one is free; the four outer ones
// step sideways once for every bullet still flying.
FALLING_FIRE_FAMILY(Szak60Shot1, {
    .shots = Table(Szak60Shot1Slots),
    .launch = {.owner = Owner<Szak60Slots>(), .fixedSlot = 0},
    .groupSize = 6,
    .x = At({240, 240, 240, 40, 40, 40}),
    .xGroupWide = true,
    .y = At({60, 105, 120, 120, 105, 60}),
    .yGroupWide = true,
    .fall = 180,
    .drift = {-28, -14, 0, 0, 14, 28},
    .driftAt = DriftAt::EachActivePass,
    .ship = ShipBox(10, 20),
    .look = {LookStyle::Strip, &ImgVal201, 20, 20, 0, 7, Blit::Keyed, true},
})
