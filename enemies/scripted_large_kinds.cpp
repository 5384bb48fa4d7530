// The scripted large kinds: Szak53A and Szak53B (from the sides at mid
// height), Szak50B and Szak50C (from the sides), Szak54A and Szak54B (from
// the top corners), with their spiral sweeps, bursts and bending chains, as
// rows of the large-kind, spiral, falling and chain engines.
#include "el/system/angles.h"
#include "enemies/engine/chain_engine.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/large_engine.h"
#include "enemies/engine/spiral_engine.h"
#include "enemies/large_bursts.h"
#include "enemies/large_kinds.h"

namespace {

// The clock script at 45 per second: entry to 50, fire 51 .. 70, leaving 71
// .. 120, climbing at vy while sliding 250 px/s on (side -1: leftwards);
// freed outside -20 <= x <= right, -160 <= y <= 600.
struct SidePass {
  float side;
  void (*fire)();
  Calls gated;
  float right;
};
constexpr ScriptRow SideScript(const SidePass& pass) {
  return {
      .rate = 45,
      .entry = {0, 50},
      .fire = {51, 70},
      .leave = {71, 120},
      .entryMotion = {.xByVx = pass.side},
      .leaveMotion = {.x = 250 * pass.side, .yByVy = -1},
      .fireCalls = {pass.fire},
      .gatedCalls = pass.gated,
      .box = {.left = -20, .right = pass.right, .top = -160, .bottom = 600},
  };
}

// The script at 40 per second from a top corner: gliding in diagonally to
// 40, firing 41 .. 70, diving 71 .. 120.
constexpr ScriptRow CornerScript(float side, void (*fire)()) {
  return {
      .rate = 40,
      .entry = {0, 40},
      .fire = {41, 70},
      .leave = {71, 120},
      .entryMotion = {.xByVx = side, .y = 170},
      .leaveMotion = {.x = 150 * side, .yByVy = 1},
      .fireCalls = {fire},
      .box = {.left = -20, .right = 620, .top = -160, .bottom = 600},
  };
}

// Spawned at (x, y) with vx 200 and vy 280; drawn keyed, exploding in eight
// additive bursts (`burstsOut` px further out) whatever BlendExplosions
// holds, speeds kept.
struct ScriptedCraft {
  TableRef<LargeEnemy> slots;
  int32_t x;
  RandomValue y;
  const int32_t* image;
  int32_t burstsOut = 0;
};
constexpr KindRow<LargeEnemy> ScriptedKind(const ScriptedCraft& craft) {
  return {
      .slots = craft.slots,
      .x = Fixed(craft.x),
      .y = craft.y,
      .vx = Fixed(200),
      .vy = Fixed(280),
      .image = craft.image, .w = 200, .h = 160,
      .pieces = large_bursts::Eight(large_bursts::Mixed, Blit::Additive, craft.burstsOut),
      .honoursBlend = false,
      .stopsWhileExploding = false,
  };
}

// Spiral sweeps from the gun at (gunX, 100): the kind's own counter, wrapped
// on exceeding 70; slot k at counter 2k (slot 0 never); turned clockwise
// (Shot2) or against (Shot1).
struct SweepGun {
  int32_t* counter;
  float sense;
  float gunX;
  const int32_t* image;
};
constexpr SpiralRowOf<PatternShot> Sweep(TableRef<PatternShot> shots, OwnerRef owner,
                                         const SweepGun& gun) {
  const float sense = gun.sense;
  return {
      .shots = shots,
      .counter = gun.counter,
      .cycle = 70,
      .wrap = Wrap::OnExceeding,
      .every = 2,
      .offset = 0,
      .firstSlot = 1,
      .lastSlot = 35,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = gun.gunX, .dy = 100},
      .sense = sense,
      .ringSpeeds = {110},
      .ringFields = {Bounds{-30, 800, -30, 600}},
      .ship = ShipBox(0, 10),
      .look = EveryRecord(
          RotatedLook(gun.image, 30, sense < 0 ? Turn{0, true} : Turn{360, false})),
  };
}

// Bursts: all records re-formed at their points whenever one is free,
// falling at `fall` px/s; the listed records step sideways once for every
// bullet still flying.
struct BurstShape {
  Offsets x, y;
  float fall;
  std::array<float, MaxPlaces> drift{};
};
constexpr FallingRow Burst(TableRef<StraightShot> shots, OwnerRef owner, const BurstShape& shape) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = shots.count,
      .x = shape.x,
      .xGroupWide = true,
      .y = shape.y,
      .yGroupWide = true,
      .fall = shape.fall,
      .drift = shape.drift,
      .driftAt = DriftAt::EachActivePass,
      .ship = ShipBox(10, 20),
      .look = AdditiveStrip(&ImgVal20241, 20, 24, true),
  };
}

constexpr Offsets kSquareX = At({120, 120, 60, 60});
constexpr Offsets kSquareY = At({90, 120, 120, 90});
constexpr Offsets kSixX = At({120, 120, 120, 60, 60, 60});
constexpr Offsets kSixY = At({60, 105, 120, 120, 105, 60});
constexpr std::array<float, MaxPlaces> kOpening{28, 14, 0, 0, -14, -28};

// Bending chains from (85, 10): the first turns against the heading's sense,
// the second is its mirror; bullet 6 of each with its own picture.
constexpr std::array<float, ChainLength> kSlowChain{163, 171, 178, 184, 188, 191, 193};
constexpr std::array<float, ChainLength> kFastChain{263, 271, 278, 284, 288, 291, 293};

struct ChainGun {
  float sense;
  std::array<float, ChainLength> speeds;
};
constexpr ChainRow Chain(TableRef<SweepShot> shots, OwnerRef owner, const ChainGun& gun) {
  const float sense = gun.sense;
  const bool first = sense < 0;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = 85, .dy = 10},
      .startAngle = sense * 2 * PiF / 10,
      .turn = sense * 2 * PiF / 280,
      .sense = sense,
      .speeds = gun.speeds,
      .driftXSign = sense,
      .driftYSign = -1,
      .turnUntil = 35,
      .timerEnd = 36,
      .look = RotatedLook(first ? &ImgVal3017a : &ImgVal3018a, 30,
                          first ? Turn{0, true} : Turn{360, false}),
      .headImage = first ? &ImgVall3017 : &ImgVall3018,
  };
}

}  // namespace

LARGE_KIND(Szak53A, LargeEnemy, {
    .kind = ScriptedKind(
        {.slots = Table(Szak53ASlots), .x = -20, .y = Rand(60, 100), .image = &ImgSzak53}),
    .script = SideScript({.side = 1, .fire = Szak53AShot3Fire, .gated = {}, .right = 620}),
})
SPIRAL_FAMILY(Szak53AShot1, PatternShot,
              Sweep(Table(Szak53AShot1Slots), Owner<Szak53ASlots>(),
                    {.counter = &Szak53ASlots[0].shot1Tick, .sense = -1, .gunX = 35,
                     .image = &ImgVall3013}))
SPIRAL_FAMILY(Szak53AShot2, PatternShot,
              Sweep(Table(Szak53AShot2Slots), Owner<Szak53ASlots>(),
                    {.counter = &Szak53ASlots[0].shot2Tick, .sense = 1, .gunX = 135,
                     .image = &ImgVall3014}))
FALLING_FIRE_FAMILY(Szak53AShot3, Burst(Table(Szak53AShot3Slots), Owner<Szak53ASlots>(),
                                        {.x = kSquareX, .y = kSquareY, .fall = 140}))

LARGE_KIND(Szak53B, LargeEnemy, {
    .kind = ScriptedKind(
        {.slots = Table(Szak53BSlots), .x = 620, .y = Rand(60, 100), .image = &ImgSzak53}),
    .script = SideScript({.side = -1, .fire = Szak53BShot3Fire, .gated = {}, .right = 620}),
})
SPIRAL_FAMILY(Szak53BShot1, PatternShot,
              Sweep(Table(Szak53BShot1Slots), Owner<Szak53BSlots>(),
                    {.counter = &Szak53BSlots[0].shot1Tick, .sense = -1, .gunX = 35,
                     .image = &ImgVall3013}))
SPIRAL_FAMILY(Szak53BShot2, PatternShot,
              Sweep(Table(Szak53BShot2Slots), Owner<Szak53BSlots>(),
                    {.counter = &Szak53BSlots[0].shot2Tick, .sense = 1, .gunX = 135,
                     .image = &ImgVall3014}))
FALLING_FIRE_FAMILY(Szak53BShot3, Burst(Table(Szak53BShot3Slots), Owner<Szak53BSlots>(),
                                        {.x = kSquareX, .y = kSquareY, .fall = 140}))

// The chains fire only while GameMode is 2 or GameSubMode is 1 (never in
// play); Szak50C's gated calls also place Szak50B's burst at Szak50B.
LARGE_KIND(Szak50B, LargeEnemy, {
    .kind = ScriptedKind(
        {.slots = Table(Szak50BSlots), .x = -20, .y = Rand(60, 100), .image = &ImgSzak50}),
    .script = SideScript({.side = 1,
                          .fire = Szak50BShot3Fire,
                          .gated = {Szak50BShot1Fire, Szak50BShot2Fire},
                          .right = 620}),
})
CHAIN_FAMILY(Szak50BShot1, Chain(Table(Szak50BShot1Slots), Owner<Szak50BSlots>(),
                                 {.sense = -1, .speeds = kSlowChain}))
CHAIN_FAMILY(Szak50BShot2, Chain(Table(Szak50BShot2Slots), Owner<Szak50BSlots>(),
                                 {.sense = 1, .speeds = kSlowChain}))
FALLING_FIRE_FAMILY(Szak50BShot3, Burst(Table(Szak50BShot3Slots), Owner<Szak50BSlots>(),
                                        {.x = kSquareX, .y = kSquareY, .fall = 150,
                                         .drift = {20, 0, 0, -20}}))

LARGE_KIND(Szak50C, LargeEnemy, {
    .kind = ScriptedKind(
        {.slots = Table(Szak50CSlots), .x = 640, .y = Rand(60, 100), .image = &ImgSzak50}),
    .script = SideScript({.side = -1,
                          .fire = Szak50CShot3Fire,
                          .gated = {Szak50BShot3Fire, Szak50CShot1Fire, Szak50CShot2Fire},
                          .right = 640}),
})
CHAIN_FAMILY(Szak50CShot1, Chain(Table(Szak50CShot1Slots), Owner<Szak50CSlots>(),
                                 {.sense = -1, .speeds = kFastChain}))
CHAIN_FAMILY(Szak50CShot2, Chain(Table(Szak50CShot2Slots), Owner<Szak50CSlots>(),
                                 {.sense = 1, .speeds = kFastChain}))
FALLING_FIRE_FAMILY(Szak50CShot3, Burst(Table(Szak50CShot3Slots), Owner<Szak50CSlots>(),
                                        {.x = kSquareX, .y = kSquareY, .fall = 140,
                                         .drift = {20, 0, 0, -20}}))

// Szak54B's last four bursts sit one pixel further out than Szak54A's.
LARGE_KIND(Szak54A, LargeEnemy, {
    .kind = ScriptedKind(
        {.slots = Table(Szak54ASlots), .x = -20, .y = Fixed(-150), .image = &ImgSzak54}),
    .script = CornerScript(1, Szak54AShot1Fire),
})
FALLING_FIRE_FAMILY(Szak54AShot1, Burst(Table(Szak54AShot1Slots), Owner<Szak54ASlots>(),
                                        {.x = kSixX, .y = kSixY, .fall = 150, .drift = kOpening}))

LARGE_KIND(Szak54B, LargeEnemy, {
    .kind = ScriptedKind({.slots = Table(Szak54BSlots), .x = 620, .y = Fixed(-150),
                          .image = &ImgSzak54, .burstsOut = 1}),
    .script = CornerScript(-1, Szak54BShot1Fire),
})
FALLING_FIRE_FAMILY(Szak54BShot1, Burst(Table(Szak54BShot1Slots), Owner<Szak54BSlots>(),
                                        {.x = kSixX, .y = kSixY, .fall = 150, .drift = kOpening}))
