// The hit passes.  One table of targets, one row per kind, and the boss
// catalogue serve the laser, ray and bomb passes alike.
#include "player/hit_pass.h"

#include <iterator>

#include "el/system/elSystem.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/kind_tables.h"
#include "player/powerup.h"
#include "player/shots.h"
#include "shell/game_state.h"
#include "stages/boss_catalogue.h"

namespace {

struct Box {
  int32_t xLow, xHigh, yLow, yHigh;  // inclusive, relative to the target
};

// Positions are compared as whole pixels truncated toward zero (Whole).
bool Inside(const Box& box, int64_t ex, int64_t ey, int32_t sx, int32_t sy) {
  return ex + box.xLow <= sx && sx <= ex + box.xHigh && ey + box.yLow <= sy &&
         sy <= ey + box.yHigh;
}

// What the passes read of a slot.
struct SlotPosition {
  float x, y;
  uint32_t noHit;
};

template <auto& Table>
SlotPosition SlotOf(int32_t i) {
  const auto& slot = Table[i];
  return {slot.x, slot.y, slot.noHit};
}

template <class T>
const T& ForPass(const PerShot<T>& values, ShotPass pass) {
  switch (pass) {
    case ShotPass::LaserB: return values.laserB;
    case ShotPass::Ray: return values.ray;
    case ShotPass::LaserA:
    case ShotPass::Bomb: break;
  }
  return values.laserA;
}

// A kind's slots as the passes read them, and its hit setter.
struct TargetSlots {
  SlotPosition (*read)(int32_t);
  int32_t count;
  void (*hit)(int32_t);
};

struct KindTarget {
  TargetSlots slots;
  float gate = -30.0f;     // a slot whose y is below this is skipped
  float rayGate = -30.0f;  // the same in the ray pass
  PerShot<Box> box;        // laser B, laser A, ray
  PerShot<int32_t> points;
  int32_t* hitFrames = nullptr;  // Szak60: overlapping frames before a hit counts
};

// Every slot of a kind's table, or the first alone (the large kinds).
#define SLOTS(kind) \
  TargetSlots { &SlotOf<kind##Slots>, static_cast<int32_t>(std::size(kind##Slots)), &kind##Hit }
#define ONE(kind) \
  TargetSlots { &SlotOf<kind##Slots>, 1, [](int32_t) { kind##Hit(); } }

// y ranges of the boxes.
constexpr int32_t kY50[2] = {-60, 50};
#define B(xl, xh) Box{xl, xh, kY50[0], kY50[1]}
#define B60(xl, xh) Box{xl, xh, -60, 60}

// Small kinds: laser B, laser A and ray boxes of the rotating and most
// other kinds.
#define COMMON_BOXES {B(-40, 60), B(-60, 80), B(-20, 80)}
#define DIAGONAL_BOXES {B(0, 30), B(0, 30), B(0, 70)}
#define WAVE_BOXES {B(0, 40), B(0, 40), B(0, 80)}
#define ROTATING_WAVE_BOXES {B(0, 60), B(0, 60), B(0, 100)}
#define LARGE_BOXES {B(60, 80), B(60, 80), B(40, 140)}

// In the order the passes test them; boxes and points are given for laser
// B, laser A and the ray.
const KindTarget kKinds[] = {
    {.slots = SLOTS(Szak10), .gate = -45, .rayGate = -45,
     .box = {B(-40, 50), B(-60, 70), B(-20, 70)}, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak3),
     .box = {B60(-40, 60), B60(-40, 60), B60(0, 60)}, .points = {250, 250, 250}},
    {.slots = SLOTS(Szak4),
     .box = {B60(-40, 80), B60(-40, 80), B60(0, 80)}, .points = {250, 250, 250}},
    {.slots = SLOTS(Szak1A), .gate = -50, .rayGate = -50,
     .box = {B(-40, 40), B(-60, 60), B(-20, 60)}, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak1B), .gate = -50, .rayGate = -50,
     .box = {B(-40, 40), B(-60, 60), B(-20, 60)}, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak6A), .box = COMMON_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak6B), .box = COMMON_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak6C), .box = COMMON_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak9), .box = COMMON_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak6D), .gate = -60, .rayGate = -60,
     .box = COMMON_BOXES, .points = {150, 50, 50}},
    {.slots = SLOTS(Szak6E), .gate = -60, .rayGate = -60,
     .box = COMMON_BOXES, .points = {150, 50, 50}},
    {.slots = SLOTS(Szak12), .box = COMMON_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak13A), .box = COMMON_BOXES, .points = {200, 50, 50}},
    {.slots = SLOTS(Szak13B), .box = COMMON_BOXES, .points = {200, 50, 50}},
    {.slots = SLOTS(Szak52A), .rayGate = 5,
     .box = {B(0, 140), B(0, 140), B(0, 180)}, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak52B), .rayGate = 5,
     .box = {B(0, 140), B(0, 140), B(0, 180)}, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak21A), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak21B), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak21C), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak22A), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak22B), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak22C), .box = DIAGONAL_BOXES, .points = {20, 50, 50}},
    {.slots = SLOTS(Szak30A), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak31A), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak32A), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak33A), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak30B), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak31B), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak32B), .gate = -32, .rayGate = -32,
     .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak33B), .box = WAVE_BOXES, .points = {100, 50, 50}},
    {.slots = SLOTS(Szak40A), .box = ROTATING_WAVE_BOXES, .points = {250, 250, 250}},
    {.slots = SLOTS(Szak41A), .box = ROTATING_WAVE_BOXES, .points = {250, 250, 250}},
    {.slots = SLOTS(Szak40B), .box = ROTATING_WAVE_BOXES, .points = {250, 250, 250}},
    {.slots = SLOTS(Szak41B), .box = ROTATING_WAVE_BOXES, .points = {250, 250, 250}},
    // Szak50A is never spawned; its laser boxes take the x range of its ray box.
    {.slots = ONE(Szak50A), .box = {B(40, 80), B(40, 80), B(40, 80)}, .points = {100, 50, 50}},
    {.slots = ONE(Szak51), .rayGate = 5,
     .box = {B(60, 120), B(60, 120), B(40, 180)}, .points = {100, 50, 50}},
    {.slots = ONE(Szak52C), .rayGate = 5,
     .box = {B(60, 80), B(60, 80), B(40, 140)}, .points = {100, 50, 50}},
    {.slots = ONE(Szak53A), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak53B), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak50B), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak50C), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak54A), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak54B), .box = LARGE_BOXES, .points = {300, 300, 300}},
    {.slots = ONE(Szak60),
     .box = {Box{60, 180, -60, 200}, Box{60, 180, -60, 200}, Box{40, 240, -60, 200}},
     .points = {500, 500, 500},
     .hitFrames = &Szak60Slots[0].hitFrames},
};

#undef SLOTS
#undef ONE
#undef B
#undef B60
#undef COMMON_BOXES
#undef DIAGONAL_BOXES
#undef WAVE_BOXES
#undef ROTATING_WAVE_BOXES
#undef LARGE_BOXES

constexpr int32_t kBossYLow = 10, kBossYHigh = 200;


void TestKind(const KindTarget& kind, ShotPass pass, int32_t sx, int32_t sy) {
  const Box& box = ForPass(kind.box, pass);
  const float gate = pass == ShotPass::Ray ? kind.rayGate : kind.gate;
  for (int32_t j = 0; j < kind.slots.count; ++j) {
    const SlotPosition slot = kind.slots.read(j);
    if (slot.noHit != 0 || slot.y < gate) continue;
    if (!Inside(box, Whole(slot.x), Whole(slot.y), sx, sy)) continue;
    if (kind.hitFrames != nullptr) {
      int32_t& frames = *kind.hitFrames;
      if (frames < INT32_MAX) frames += 1;
      if (frames < Szak60HitFrames) continue;
    }
    kind.slots.hit(j);
    AddScore(ForPass(kind.points, pass));
  }
}

void TestBoss(const BossFacts& target, ShotPass pass, int32_t sx, int32_t sy, uint32_t* active) {
  BossState& boss = *target.state;
  if (boss.hitDisabled != 0 || boss.y < 0.0f) return;
  const XRange x = ForPass(target.shots.box, pass);
  const Box box{x.low, x.high, kBossYLow, kBossYHigh};
  if (!Inside(box, Whole(boss.x), Whole(boss.y), sx, sy)) return;
  target.hit();
  AddScore(ForPass(target.shots.points, pass));
  float rate = BossRayRate;
  switch (pass) {
    case ShotPass::LaserA:
    case ShotPass::LaserB:
      if (active != nullptr) *active = 0;
      rate = BossLaserRate;
      break;
    case ShotPass::Bomb:
      rate = target.shots.bombRate;
      break;
    case ShotPass::Ray:
      break;
  }
  boss.hitPoints -= rate * FrameTime;
}

void PowerUpPickUp() {
  if (PowerUp.active == 0 || !(PowerUp.y > 50.0f)) return;
  const int64_t px = Whole(PlayerX), py = Whole(PlayerY);
  const int64_t ix = Whole(PowerUp.x), iy = Whole(PowerUp.y);
  if (ix - 60 <= px && px <= ix + 60 && iy - 60 <= py && py <= iy + 60) {
    Spower1Hit();
    AddScore(500);
  }
}

void LaserPass(LaserSegment* segments, void (*move)(int32_t), ShotPass pass) {
  for (int32_t i = 0; i < LaserSegmentCount; ++i) {
    LaserSegment& segment = segments[i];
    if (segment.active == 0) continue;
    move(i);  // may free it; it is still tested where it ended
    TestShotHits(pass, segment.x, segment.y, &segment.active);
  }
}

}  // namespace

void AddScore(int32_t points) {
  int64_t score = Score;
  if ((GameMode == 1 || GameMode == 2) && (GameSubMode == 0 || GameSubMode == 1)) score += points;
  if (score > ScoreCap) score = ScoreCap;
  if (score < INT32_MIN) score = INT32_MIN;
  Score = static_cast<int32_t>(score);
  if (Score > HighScore) HighScore = Score;
}

void TestShotHits(ShotPass pass, int32_t sx, int32_t sy, uint32_t* active) {
  for (const KindTarget& kind : kKinds) TestKind(kind, pass, sx, sy);
  for (const BossFacts* boss : BossCatalogue) TestBoss(*boss, pass, sx, sy, active);
}

void CheckShotHits() {
  PowerUpPickUp();
  LaserPass(LaserBSegments, &LaserBSegmentMove, ShotPass::LaserB);
  LaserPass(LaserASegments, &LaserASegmentMove, ShotPass::LaserA);
  for (int32_t i = 0; i < ShipRayCount; ++i) {
    ShipRay& ray = ShipRays[i];
    if (ray.active == 0) continue;
    ShipRayMove(i);
    TestShotHits(ShotPass::Ray, ray.x, ray.y, nullptr);
  }
}
