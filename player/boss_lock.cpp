// The boss lock test and the bosses' lock setters over one table.
#include "player/boss_lock.h"

#include "player/homing_storage.h"
#include "player/lockon.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

namespace {

constexpr int32_t MaxLockPoints = 9;

struct Offset {
  int32_t x, y;
};

// One boss: its record, its two arrays of n points, its box (from +40, +40
// up to the given bounds on the truncated position), its gate on y and the
// points' offsets on its body.
struct LockableBoss {
  BossState* boss;
  LockOnTarget* a;
  LockOnTarget* b;
  int32_t count;
  int32_t boxRight, boxBottom;
  float gateY;
  bool placesOwnPointOnly;
  Offset offsets[MaxLockPoints];
  void (*lockA)(int32_t);
  void (*lockB)(int32_t);
};

#define BOSS(boss, right, bottom, gate, own_only, ...)                                       \
  LockableBoss {                                                                             \
    &boss##State, boss##LockPoints.A, boss##LockPoints.B, boss##LockPointCount, right,      \
        bottom, gate, own_only, {__VA_ARGS__}, boss##LockA, boss##LockB                      \
  }

// In test order.
const LockableBoss LockableBosses[] = {
    BOSS(Boss1, 400, 320, -10.0f, true, {190, 150}, {190, 150}, {190, 150}),
    BOSS(Boss3, 400, 340, -10.0f, false, {190, 160}, {120, 120}, {260, 120}),
    BOSS(Boss7, 420, 340, -10.0f, false, {200, 160}, {130, 90}, {270, 90}, {80, 110},
         {320, 110}),
    BOSS(Boss4, 340, 340, -10.0f, false, {190, 180}, {20, 140}, {360, 140}),
    BOSS(Boss5, 340, 340, -10.0f, false, {160, 100}, {110, 40}, {210, 40}, {40, 110},
         {280, 110}),
    BOSS(Boss6, 400, 340, 0.0f, false, {200, 170}, {110, 170}, {290, 170}, {30, 110},
         {370, 110}, {120, 120}, {280, 120}, {80, 70}, {320, 70}),
    BOSS(Boss2, 460, 340, 0.0f, false, {220, 120}, {150, 230}, {290, 230}, {80, 90},
         {360, 90}),
    BOSS(Boss8, 440, 340, 0.0f, false, {220, 100}, {150, 150}, {290, 150}, {80, 70},
         {360, 70}),
};
#undef BOSS

static_assert(Boss6LockPointCount <= MaxLockPoints);

enum BossRow : int32_t { Row1, Row3, Row7, Row4, Row5, Row6, Row2, Row8 };

constexpr int32_t BoxLeft = 40;
constexpr int32_t BoxTop = 40;

void PlacePoint(const LockableBoss& b, LockOnTarget* points, int32_t k) {
  points[k].x = static_cast<int32_t>(b.boss->x) + b.offsets[k].x;
  points[k].y = static_cast<int32_t>(b.boss->y) + b.offsets[k].y;
}

void Lock(const LockableBoss& b, LockOnTarget* points, int32_t i) {
  if (i < 0 || i >= b.count) return;
  if (points[i].locked != 0) return;
  points[i].locked = 1;
  if (b.placesOwnPointOnly) {
    PlacePoint(b, points, i);
    return;
  }
  for (int32_t k = 0; k < b.count; ++k) PlacePoint(b, points, k);
}

}  // namespace

int32_t SightCentreX() { return LockSightX + SightWidth() / 2; }
int32_t SightCentreY() { return LockSightY + SightHeight() / 2; }

void BossLockTest() {
  if (SightWidth() == 0) return;
  const int32_t cx = SightCentreX();
  const int32_t cy = SightCentreY();
  for (const LockableBoss& b : LockableBosses) {
    for (int32_t i = 0; i < b.count; ++i) {
      if (b.boss->hitDisabled != 0 || b.boss->y < b.gateY) continue;
      const int32_t bx = static_cast<int32_t>(b.boss->x);
      const int32_t by = static_cast<int32_t>(b.boss->y);
      if (cx >= bx + BoxLeft && cx <= bx + b.boxRight && cy >= by + BoxTop &&
          cy <= by + b.boxBottom) {
        b.lockA(i);
        b.lockB(i);
      }
    }
  }
}

#define BOSS_LOCK_SETTERS(boss, row)                                                    \
  void boss##LockA(int32_t i) { Lock(LockableBosses[row], LockableBosses[row].a, i); } \
  void boss##LockB(int32_t i) { Lock(LockableBosses[row], LockableBosses[row].b, i); }
BOSS_LOCK_SETTERS(Boss1, Row1)
BOSS_LOCK_SETTERS(Boss3, Row3)
BOSS_LOCK_SETTERS(Boss7, Row7)
BOSS_LOCK_SETTERS(Boss4, Row4)
BOSS_LOCK_SETTERS(Boss5, Row5)
BOSS_LOCK_SETTERS(Boss6, Row6)
BOSS_LOCK_SETTERS(Boss2, Row2)
BOSS_LOCK_SETTERS(Boss8, Row8)
#undef BOSS_LOCK_SETTERS
