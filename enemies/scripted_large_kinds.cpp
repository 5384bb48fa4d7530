// The scripted large kinds: Szak53A and Szak53B (from the sides at mid
// height), Szak50B and Szak50C (from the sides), Szak54A and Szak54B (from
// the top corners), with their spiral sweeps, bursts and bending chains, as
// rows of the large-kind, spiral, falling and chain engines.
#include "enemies/engine/chain_engine.h"
#include "enemies/engine/falling_engine.h"
#include "enemies/engine/large_engine.h"
#include "enemies/engine/spiral_engine.h"
#include "enemies/large_bursts.h"
#include "enemies/large_kinds.h"

namespace {

// The clock script at 45 per second: entry to 50, fire 51 .. 70, leaving 71
// .. 120, climbing at vy while sliding 250 px/s on (side -1: leftwards).
constexpr ScriptRow SideScript(float side, void (*fire)(), const Calls& gated, float right) {
  return {
      .rate = 45,
      .entry = {0, 50},
      .fire = {51, 70},
      .leave = {71, 120},
      .entryMotion = {.xByVx = side},
      .leaveMotion = {.x = 250 * side, .yByVy = -1},
      .fireCalls = {fire},
      .gatedCalls = gated,
      .box = {-20, right, -160, 600},
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
      .box = {-20, 620, -160, 600},
  };
}

// Spawned at (x, y) with vx 200 and vy 280; drawn keyed, exploding in eight
// additive bursts whatever BlendExplosions holds, speeds kept.
constexpr KindRow<LargeEnemy> ScriptedKind(TableRef<LargeEnemy> slots, int32_t x,
                                           RandomValue y, const int32_t* image,
                                           int32_t out = 0) {
  return {
      .slots = slots,
      .x = Fixed(x),
      .y = y,
      .vx = Fixed(200),
      .vy = Fixed(280),
      .image = image, .w = 200, .h = 160,
      .pieces = large_bursts::Eight(large_bursts::Mixed, Blit::Additive, out),
      .honoursBlend = false,
      .stopsWhileExploding = false,
  };
}

// Spiral sweeps: the kind's own counter, wrapped on exceeding 70; slot k at
// counter 2k (slot 0 never); turned clockwise (Shot2) or against (Shot1).
constexpr SpiralRowOf<PatternShot> Sweep(TableRef<PatternShot> shots, OwnerRef owner,
                                         int32_t* counter, float sense, float gun_x,
                                         const int32_t* image) {
  return {
      .shots = shots,
      .counter = counter,
      .cycle = 70,
      .wrap = Wrap::OnExceeding,
      .every = 2,
      .offset = 0,
      .firstSlot = 1,
      .lastSlot = 35,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = gun_x, .dy = 100},
      .sense = sense,
      .ringSpeeds = {110},
      .ringFields = {Bounds{-30, 800, -30, 600}},
      .ship = ShipBox(0, 10),
      .look = EveryRecord(RotatedLook(image, 30, sense < 0 ? Turn{0, true} : Turn{360, false})),
  };
}

// Bursts: all records re-formed at their points whenever one is free; the
// listed records step sideways once for every bullet still flying.
constexpr FallingRow Burst(TableRef<StraightShot> shots, OwnerRef owner, const Offsets& x,
                           const Offsets& y, float fall, const std::array<float, MaxPlaces>& drift) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0},
      .groupSize = shots.count,
      .x = x,
      .xGroupWide = true,
      .y = y,
      .yGroupWide = true,
      .fall = fall,
      .drift = drift,
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

constexpr ChainRow Chain(TableRef<SweepShot> shots, OwnerRef owner, float sense,
                         const std::array<float, ChainLength>& speeds) {
  const bool first = sense < 0;
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = 0, .dx = 85, .dy = 10},
      .startAngle = sense * 2 * PiF / 10,
      .turn = sense * 2 * PiF / 280,
      .sense = sense,
      .speeds = speeds,
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
    .kind = ScriptedKind(Table(Szak53ASlots), -20, Rand(60, 100), &ImgSzak53),
    .script = SideScript(1, Szak53AShot3Fire, {}, 620),
})
SPIRAL_FAMILY(Szak53AShot1, PatternShot,
              Sweep(Table(Szak53AShot1Slots), Owner<Szak53ASlots>(), &Szak53ASlots[0].shot1Tick,
                    -1, 35, &ImgVall3013))
SPIRAL_FAMILY(Szak53AShot2, PatternShot,
              Sweep(Table(Szak53AShot2Slots), Owner<Szak53ASlots>(), &Szak53ASlots[0].shot2Tick,
                    1, 135, &ImgVall3014))
FALLING_FIRE_FAMILY(Szak53AShot3, Burst(Table(Szak53AShot3Slots), Owner<Szak53ASlots>(),
                                        kSquareX, kSquareY, 140, {}))

LARGE_KIND(Szak53B, LargeEnemy, {
    .kind = ScriptedKind(Table(Szak53BSlots), 620, Rand(60, 100), &ImgSzak53),
    .script = SideScript(-1, Szak53BShot3Fire, {}, 620),
})
SPIRAL_FAMILY(Szak53BShot1, PatternShot,
              Sweep(Table(Szak53BShot1Slots), Owner<Szak53BSlots>(), &Szak53BSlots[0].shot1Tick,
                    -1, 35, &ImgVall3013))
SPIRAL_FAMILY(Szak53BShot2, PatternShot,
              Sweep(Table(Szak53BShot2Slots), Owner<Szak53BSlots>(), &Szak53BSlots[0].shot2Tick,
                    1, 135, &ImgVall3014))
FALLING_FIRE_FAMILY(Szak53BShot3, Burst(Table(Szak53BShot3Slots), Owner<Szak53BSlots>(),
                                        kSquareX, kSquareY, 140, {}))

// The chains fire only while GameMode is 2 or GameSubMode is 1 (never in
// play); Szak50C's gated calls also place Szak50B's burst at Szak50B.
LARGE_KIND(Szak50B, LargeEnemy, {
    .kind = ScriptedKind(Table(Szak50BSlots), -20, Rand(60, 100), &ImgSzak50),
    .script = SideScript(1, Szak50BShot3Fire, {Szak50BShot1Fire, Szak50BShot2Fire}, 620),
})
CHAIN_FAMILY(Szak50BShot1, Chain(Table(Szak50BShot1Slots), Owner<Szak50BSlots>(), -1, kSlowChain))
CHAIN_FAMILY(Szak50BShot2, Chain(Table(Szak50BShot2Slots), Owner<Szak50BSlots>(), 1, kSlowChain))
FALLING_FIRE_FAMILY(Szak50BShot3, Burst(Table(Szak50BShot3Slots), Owner<Szak50BSlots>(),
                                        kSquareX, kSquareY, 150, {20, 0, 0, -20}))

LARGE_KIND(Szak50C, LargeEnemy, {
    .kind = ScriptedKind(Table(Szak50CSlots), 640, Rand(60, 100), &ImgSzak50),
    .script = SideScript(-1, Szak50CShot3Fire,
                         {Szak50BShot3Fire, Szak50CShot1Fire, Szak50CShot2Fire}, 640),
})
CHAIN_FAMILY(Szak50CShot1, Chain(Table(Szak50CShot1Slots), Owner<Szak50CSlots>(), -1, kFastChain))
CHAIN_FAMILY(Szak50CShot2, Chain(Table(Szak50CShot2Slots), Owner<Szak50CSlots>(), 1, kFastChain))
FALLING_FIRE_FAMILY(Szak50CShot3, Burst(Table(Szak50CShot3Slots), Owner<Szak50CSlots>(),
                                        kSquareX, kSquareY, 140, {20, 0, 0, -20}))

// Szak54B's last four bursts sit one pixel further out than Szak54A's.
LARGE_KIND(Szak54A, LargeEnemy, {
    .kind = ScriptedKind(Table(Szak54ASlots), -20, Fixed(-150), &ImgSzak54),
    .script = CornerScript(1, Szak54AShot1Fire),
})
FALLING_FIRE_FAMILY(Szak54AShot1, Burst(Table(Szak54AShot1Slots), Owner<Szak54ASlots>(), kSixX,
                                        kSixY, 150, kOpening))

LARGE_KIND(Szak54B, LargeEnemy, {
    .kind = ScriptedKind(Table(Szak54BSlots), 620, Fixed(-150), &ImgSzak54, 1),
    .script = CornerScript(-1, Szak54BShot1Fire),
})
FALLING_FIRE_FAMILY(Szak54BShot1, Burst(Table(Szak54BShot1Slots), Owner<Szak54BSlots>(), kSixX,
                                        kSixY, 150, kOpening))
