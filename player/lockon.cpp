// The lock-on sight and the lock test of the enemy kinds.
#include "player/lockon.h"

#include "enemies/kind_tables.h"
#include "player/homing_common.h"
#include "player/homing_storage.h"
#include "shell/game_state.h"

LockOnTarget SpareLockTargets1[SpareLockCount];
LockOnTarget SpareLockTargets2[SpareLockCount];

namespace {

// One lockable kind: its slots, its box relative to the truncated slot
// position (x a..b, y c..d) and its setter.
struct LockableKind {
  SlotReader slot;
  int32_t count;
  int32_t a, b, c, d;
  void (*lock)(int32_t);
};

#define LOCKABLE(kind, a, b, c, d) \
  {ReadSlot<kind##Slots>, CountOf<kind##Slots>(), a, b, c, d, kind##Lock}

const LockableKind LockableKinds[] = {
    LOCKABLE(Szak3, 20, 60, 40, 60),   LOCKABLE(Szak4, 40, 60, 60, 60),
    LOCKABLE(Szak6D, 20, 60, 20, 60),  LOCKABLE(Szak6E, 20, 60, 20, 60),
    LOCKABLE(Szak13A, 20, 60, 0, 60),  LOCKABLE(Szak13B, 20, 60, 0, 60),
    LOCKABLE(Szak21A, 30, 60, 30, 60), LOCKABLE(Szak22A, 30, 60, 30, 60),
    LOCKABLE(Szak40A, 40, 80, 40, 80), LOCKABLE(Szak41A, 40, 80, 40, 80),
    LOCKABLE(Szak40B, 40, 80, 40, 80), LOCKABLE(Szak41B, 40, 80, 40, 80),
};

#undef LOCKABLE

// The highest slot y that the lock test still skips.
constexpr float LockGateY = -30.0f;

}  // namespace

int32_t SightWidth() { return ShipType == 1 ? 640 : ShipType == 2 ? 300 : 0; }
int32_t SightHeight() { return ShipType == 1 ? 500 : ShipType == 2 ? 240 : 0; }

void SightPlace() {
  if (PlayerAlive == 0) return;
  const int32_t px = static_cast<int32_t>(PlayerX);
  const int32_t py = static_cast<int32_t>(PlayerY);
  if (ShipType == 1) {
    LockSightX = px - 290;
    LockSightY = py - 500;
  } else if (ShipType == 2) {
    LockSightX = px - 120;
    LockSightY = py - 270;
  }
}

void EnemyLockTest() {
  const int32_t w = SightWidth();
  const int32_t h = SightHeight();
  if (w == 0 || h == 0) return;
  const int32_t sx = LockSightX;
  const int32_t sy = LockSightY;
  for (const LockableKind& kind : LockableKinds) {
    for (int32_t i = 0; i < kind.count; ++i) {
      const SlotView s = kind.slot(i);
      if (s.noHit != 0 || s.y < LockGateY) continue;
      const int32_t ex = static_cast<int32_t>(s.x);
      const int32_t ey = static_cast<int32_t>(s.y);
      if (sx >= ex + kind.a - w && sx <= ex + kind.b && sy >= ey + kind.c - h &&
          sy <= ey + kind.d) {
        kind.lock(i);
      }
    }
  }
}

#define LOCK_SETTER(kind) \
  void kind##Lock(int32_t i) { SetLocked(kind##LockTargets, i); }
LOCK_SETTER(Szak3)
LOCK_SETTER(Szak4)
LOCK_SETTER(Szak6D)
LOCK_SETTER(Szak6E)
LOCK_SETTER(Szak13A)
LOCK_SETTER(Szak13B)
LOCK_SETTER(Szak21A)
LOCK_SETTER(Szak22A)
LOCK_SETTER(Szak40A)
LOCK_SETTER(Szak41A)
LOCK_SETTER(Szak40B)
LOCK_SETTER(Szak41B)
#undef LOCK_SETTER

void SpareLock1(int32_t i) { SetLocked(SpareLockTargets1, i); }
void SpareLock2(int32_t i) { SetLocked(SpareLockTargets2, i); }
