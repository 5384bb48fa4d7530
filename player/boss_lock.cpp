// The boss lock test and the bosses' lock setters over the boss catalogue.
#include "player/boss_lock.h"

#include "player/homing_storage.h"
#include "player/lockon.h"
#include "stages/boss_catalogue.h"

namespace {

constexpr int32_t BoxLeft = 40;
constexpr int32_t BoxTop = 40;

void PlacePoint(const BossFacts& boss, LockOnTarget* points, int32_t k) {
  points[k].x = static_cast<int32_t>(boss.state->x) + boss.lock.offsets[k].x;
  points[k].y = static_cast<int32_t>(boss.state->y) + boss.lock.offsets[k].y;
}

void Lock(const BossFacts& boss, LockOnTarget* points, int32_t i) {
  if (i < 0 || i >= boss.lock.points.count) return;
  if (points[i].locked != 0) return;
  points[i].locked = 1;
  if (boss.lock.placesOwnPointOnly) {
    PlacePoint(boss, points, i);
    return;
  }
  for (int32_t k = 0; k < boss.lock.points.count; ++k) PlacePoint(boss, points, k);
}

void LockA(const BossFacts& boss, int32_t i) { Lock(boss, boss.lock.points.a, i); }
void LockB(const BossFacts& boss, int32_t i) { Lock(boss, boss.lock.points.b, i); }

}  // namespace

int32_t SightCentreX() { return LockSightX + SightWidth() / 2; }
int32_t SightCentreY() { return LockSightY + SightHeight() / 2; }

void BossLockTest() {
  if (SightWidth() == 0) return;
  const int32_t cx = SightCentreX();
  const int32_t cy = SightCentreY();
  for (const BossFacts* boss : BossCatalogue) {
    const BossState& state = *boss->state;
    const BossLockFacts& lock = boss->lock;
    for (int32_t i = 0; i < lock.points.count; ++i) {
      if (state.hitDisabled != 0 || state.y < lock.gateY) continue;
      const int32_t bx = static_cast<int32_t>(state.x);
      const int32_t by = static_cast<int32_t>(state.y);
      if (cx >= bx + BoxLeft && cx <= bx + lock.boxRight && cy >= by + BoxTop &&
          cy <= by + lock.boxBottom) {
        LockA(*boss, i);
        LockB(*boss, i);
      }
    }
  }
}

void Boss1LockA(int32_t i) { LockA(Boss1Facts, i); }
void Boss1LockB(int32_t i) { LockB(Boss1Facts, i); }
void Boss3LockA(int32_t i) { LockA(Boss3Facts, i); }
void Boss3LockB(int32_t i) { LockB(Boss3Facts, i); }
void Boss7LockA(int32_t i) { LockA(Boss7Facts, i); }
void Boss7LockB(int32_t i) { LockB(Boss7Facts, i); }
void Boss4LockA(int32_t i) { LockA(Boss4Facts, i); }
void Boss4LockB(int32_t i) { LockB(Boss4Facts, i); }
void Boss5LockA(int32_t i) { LockA(Boss5Facts, i); }
void Boss5LockB(int32_t i) { LockB(Boss5Facts, i); }
void Boss6LockA(int32_t i) { LockA(Boss6Facts, i); }
void Boss6LockB(int32_t i) { LockB(Boss6Facts, i); }
void Boss2LockA(int32_t i) { LockA(Boss2Facts, i); }
void Boss2LockB(int32_t i) { LockB(Boss2Facts, i); }
void Boss8LockA(int32_t i) { LockA(Boss8Facts, i); }
void Boss8LockB(int32_t i) { LockB(Boss8Facts, i); }
