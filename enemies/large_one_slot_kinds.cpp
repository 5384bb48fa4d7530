// Szak51, Szak52C, Szak50A and Szak60: large kinds of one record that fall
// straight down (Szak60 on a script of its own), with their scheduled fans,
// falling pairs, ring and burst, as rows of the kind, large-kind, volley and
// falling engines.
#include "el/system/angles.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/engine/large_engine.h"
#include "enemies/engine/volley_engine.h"
#include "enemies/large_bursts.h"
#include "enemies/large_kinds.h"
#include "enemies/twin_shots.h"

namespace {

using large_bursts::Z3;

// Spawned at x rand() % spawnWidth + 180, y spawnY; falling at vy, freed
// below 600 (or left of 100, which no spawn reaches); the explosion falls
// with it.
struct FallingCraft {
  TableRef<EnemySlot> slots;
  int32_t spawnWidth, spawnY;
  const int32_t* image;
  int32_t w, h;
  Pieces pieces;
};
constexpr KindRow<EnemySlot> FallingKind(const FallingCraft& craft) {
  return {
      .slots = craft.slots,
      .x = Rand(craft.spawnWidth, 180),
      .y = Fixed(craft.spawnY),
      .vx = Rand(50, 47),  // never read
      .vy = Rand(60, 60),
      .image = craft.image, .w = craft.w, .h = craft.h,
      .pieces = craft.pieces,
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
  return {.aim = 15, .margin = 30, .ship = ShipBox(0, 10), .look = RotatedLook(image, 30)};
}
// VAL3: every record animated.
constexpr FanStyle kBallStyle{.aim = 20, .margin = 16, .ship = ShipBox(14, 24),
                              .look = AdditiveStrip(&ImgVal3, 16, 16, true)};

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
struct PairGun {
  float centre;
  bool parting;
};
constexpr FallingRowOf<PatternShot> Pairs(TableRef<PatternShot> shots, OwnerRef owner,
                                          const PairGun& gun) {
  const float centre = gun.centre;
  if (!gun.parting) {
    return TwinShots(shots, owner, {.left = centre - 40, .right = centre + 40, .y = 130, .fall = 280});
  }
  return TwinShots(shots, owner, {.left = centre - 40, .right = centre + 40, .y = 130, .fall = 250,
                                  .parting = 120, .look = kPartingTwinLook});
}

}  // namespace

KIND(Szak51, EnemySlot, FallingKind({
    .slots = Table(Szak51Slots),
    .spawnWidth = 200, .spawnY = -220,
    .image = &ImgSzak51, .w = 240, .h = 220,
    .pieces = large_bursts::Eight({Z3, Z3, Z3, Z3, Z3, Z3, Z3, Z3}, Blit::Additive),
}))
VOLLEY_FAMILY(Szak51Shot1, Fan(Table(Szak51Shot1Slots), Owner<Szak51Slots>(),
                               {.group = 5, .cycle = 260, .wrap = Wrap::OnReaching,
                                .ticks = kFans5, .gunX = 105, .gunY = 130, .speed = 220},
                               LineStyle(&ImgVall302)))
VOLLEY_FAMILY(Szak51Shot2, Fan(Table(Szak51Shot2Slots), Owner<Szak51Slots>(),
                               {.group = 3, .cycle = 100, .wrap = Wrap::OnExceeding,
                                .ticks = kFans3, .gunX = 25, .gunY = 130, .speed = 220},
                               LineStyle(&ImgVall301)))
VOLLEY_FAMILY(Szak51Shot3, Fan(Table(Szak51Shot3Slots), Owner<Szak51Slots>(),
                               {.group = 3, .cycle = 100, .wrap = Wrap::OnExceeding,
                                .ticks = kFans3, .gunX = 185, .gunY = 130, .speed = 220},
                               LineStyle(&ImgVall301)))
FALLING_FAMILY_OF(Szak51Shot4, PatternShot, Pairs(Table(Szak51Shot4Slots), Owner<Szak51Slots>(),
                                                  {.centre = 100, .parting = false}))
FALLING_FAMILY_OF(Szak51Shot5, PatternShot, Pairs(Table(Szak51Shot5Slots), Owner<Szak51Slots>(),
                                                  {.centre = 100, .parting = true}))
VOLLEY_FAMILY(Szak51Shot6, Fan(Table(Szak51Shot6Slots), Owner<Szak51Slots>(),
                               {.group = 5, .cycle = 370, .wrap = Wrap::OnReaching,
                                .ticks = kBalls, .gunX = 112, .gunY = 70, .speed = 150},
                               kBallStyle))
VOLLEY_FAMILY(Szak51Shot7, Fan(Table(Szak51Shot7Slots), Owner<Szak51Slots>(),
                               {.group = 5, .cycle = 370, .wrap = Wrap::OnReaching,
                                .ticks = kBalls, .gunX = 2, .gunY = 70, .speed = 160},
                               kBallStyle))
VOLLEY_FAMILY(Szak51Shot8, Fan(Table(Szak51Shot8Slots), Owner<Szak51Slots>(),
                               {.group = 5, .cycle = 370, .wrap = Wrap::OnReaching,
                                .ticks = kBalls, .gunX = 222, .gunY = 70, .speed = 160},
                               kBallStyle))

KIND(Szak52C, EnemySlot, FallingKind({
    .slots = Table(Szak52CSlots),
    .spawnWidth = 240, .spawnY = -160,
    .image = &ImgSzak52, .w = 200, .h = 160,
    .pieces = large_bursts::Eight(large_bursts::Mixed, Blit::Additive),
}))
FALLING_FAMILY_OF(Szak52CShot1, PatternShot, Pairs(Table(Szak52CShot1Slots), Owner<Szak52CSlots>(),
                                                   {.centre = 80, .parting = false}))
FALLING_FAMILY_OF(Szak52CShot2, PatternShot, Pairs(Table(Szak52CShot2Slots), Owner<Szak52CSlots>(),
                                                   {.centre = 80, .parting = true}))
VOLLEY_FAMILY(Szak52CShot3, Fan(Table(Szak52CShot3Slots), Owner<Szak52CSlots>(),
                                {.group = 5, .cycle = 430, .wrap = Wrap::OnReaching,
                                 .ticks = {70, 140, 210, 280, 350},
                                 .gunX = 92, .gunY = 70, .speed = 130},
                                kBallStyle))
// Ten rings of twelve at 30-degree steps, the first bullet of each at the ship.
VOLLEY_RING_FAMILY(Szak52CShot4,
                   Fan(Table(Szak52CShot4Slots), Owner<Szak52CSlots>(),
                       {.group = 12, .cycle = 660, .wrap = Wrap::OnReaching,
                        .ticks = {60, 120, 180, 240, 300, 360, 420, 480, 540, 600},
                        .gunX = 92, .gunY = 32, .speed = 150},
                       kBallStyle, Spread::Ring))

// Never spawned in play; only its hit setter is called.
KIND(Szak50A, EnemySlot, FallingKind({
    .slots = Table(Szak50ASlots),
    .spawnWidth = 300, .spawnY = -120,
    .image = &ImgSzak50, .w = 140, .h = 120,
    .pieces = large_bursts::Eight(large_bursts::Mixed, Blit::Additive),
}))

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
        .box = {.left = -120, .right = 620, .top = -300, .bottom = 600},
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
    .look = {.style = LookStyle::Strip, .image = &ImgVal201, .w = 20, .h = 20, .left = 0,
             .cells = 7, .blit = Blit::Keyed, .everyRecord = true},
})
