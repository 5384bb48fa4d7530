// What the player's weapons know of a boss: the boxes its shots hit, the
// box and the points the lock-on sight locks, and its two homing-missile
// families.  Every boss keeps one BossFacts row beside its storage
// (stages/stageN/bossN_tables.h); the catalogue (stages/boss_catalogue.h)
// lists the rows in the order the passes walk the bosses.
//
//   inline constexpr BossFacts Boss9Facts{
//       .name = "Boss9", .state = &Boss9State, .hit = Boss9Hit,
//       .resetLockPoints = ResetBoss9LockPoints, .resetTables = ResetBoss9Tables,
//       .shots = {...}, .lock = {.points = Boss9LockPoints, ...},
//       .missileA = {.missiles = Table(HomingMissileBoss9ASlots), ...},
//       .missileB = {.missiles = Table(HomingMissileBoss9BSlots), ...}};
#pragma once
#include <cstddef>
#include <cstdint>

#include "enemies/engine/engine_parts.h"
#include "enemies/records.h"
#include "player/homing_storage.h"
#include "stages/boss_records.h"

// ---- the shot passes ----

// One value for each pass of the player's shots: laser B, laser A and the
// ray (the bomb's fragments take laser A's).
template <class T>
struct PerShot {
  T laserB;
  T laserA;
  T ray;
};

// An inclusive x range relative to the boss's whole position.
struct XRange {
  int32_t low;
  int32_t high;
};

// Hit points a boss loses per second under the bomb.
constexpr float BossBombRate = 40.0f;
constexpr float BossBombRateHeavy = 35.0f;

// A shot hits the boss inside x range and y +10 .. +200.
struct BossShotFacts {
  PerShot<XRange> box;
  PerShot<int32_t> points;
  float bombRate = BossBombRate;
};

// ---- the lock ----

constexpr int32_t MaxBossLockPoints = 9;

// Where a lock point is placed on the boss's truncated position.  An unset
// offset marks the end of the list.
constexpr int32_t NoLockOffset = INT32_MIN;
struct LockOffset {
  int32_t x = NoLockOffset;
  int32_t y = NoLockOffset;
};

// The boss's two lock arrays and their length, taken from its BossLockPoints.
struct LockArrays {
  LockOnTarget* a;
  LockOnTarget* b;
  int32_t count;
  template <int32_t N>
  constexpr LockArrays(BossLockPoints<N>& points) : a(points.A), b(points.B), count(N) {}
};

// The sight's centre locks the boss inside (+40, +40) .. (boxRight,
// boxBottom) on its truncated position, while the boss may be hit and its y
// is at or below gateY.
struct BossLockFacts {
  LockArrays points;
  int32_t boxRight;
  int32_t boxBottom;
  float gateY;
  bool placesOwnPointOnly = false;  // a lock places point i alone, not the array
  LockOffset offsets[MaxBossLockPoints];  // one per lock point
};

// ---- the homing missiles ----

// What Draw shows of a missile for one ship type.
enum MissileLook : uint8_t {
  ShowsNothing = 0,
  ShowsSprite = 1,
  ShowsBeam = 2,
  ShowsSpriteThenBeam = ShowsSprite | ShowsBeam,
};

// The launch phase of a boss missile: none, or pushed to one side.
enum class LaunchDrift : uint8_t { None, Left, Right };

// Family A flies at lock array A, family B at array B.
struct BossMissileFacts {
  TableRef<HomingMissile> missiles;
  float launchX;  // added to PlayerX + 20
  LaunchDrift drift = LaunchDrift::None;
  bool keepsLaunchVector = false;  // for the beam
  float rate;  // hit points per second of frame time at a strike
  MissileLook look[2];  // for ship types 1 and 2
};

// ---- the row ----

struct BossFacts {
  const char* name;
  BossState* state;
  void (*hit)();
  void (*resetLockPoints)();
  void (*resetTables)();  // the record at its start values, then its tables
  BossShotFacts shots;
  BossLockFacts lock;
  BossMissileFacts missileA;
  BossMissileFacts missileB;
};

// One offset per lock point and none past them; both missile tables as long
// as the lock arrays.
constexpr bool WellFormed(const BossFacts& boss) {
  const int32_t n = boss.lock.points.count;
  if (boss.state == nullptr || boss.hit == nullptr || boss.resetLockPoints == nullptr ||
      boss.resetTables == nullptr || n < 1 || n > MaxBossLockPoints) {
    return false;
  }
  for (int32_t k = 0; k < MaxBossLockPoints; ++k) {
    const LockOffset& offset = boss.lock.offsets[k];
    const bool set = offset.x != NoLockOffset && offset.y != NoLockOffset;
    if (set != (k < n)) return false;
  }
  return boss.missileA.missiles.count == n && boss.missileB.missiles.count == n;
}
