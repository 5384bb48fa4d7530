// The small enemy kind engine.
#include "enemies/engine/kind_engine.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/game_state.h"

namespace {

// The sight mark drawn on a locked slot.
constexpr int32_t SightSize = 60;

void PutLock(LockOnTarget& lock, int32_t x, int32_t y) {
  lock.locked = 0;
  lock.x = x;
  lock.y = y;
}

template <typename Slot>
void WriteEntry(Slot& s, EntryField field, const RandomValue& value) {
  if (!value.written) return;
  const float v = DrawValue(value);
  switch (field) {
    case EntryField::X: s.x = v; return;
    case EntryField::Y: s.y = v; return;
    case EntryField::VX: s.vx = v; return;
    case EntryField::VY: s.vy = v; return;
  }
}

template <typename Slot>
const RandomValue& EntryValue(const KindRow<Slot>& row, EntryField field) {
  switch (field) {
    case EntryField::X: return row.x;
    case EntryField::Y: return row.y;
    case EntryField::VX: return row.vx;
    case EntryField::VY: break;
  }
  return row.vy;
}

template <typename Slot>
void DrawSprite(const KindRow<Slot>& row, const Slot& s, int32_t x, int32_t y) {
  if (row.sprite != nullptr) {
    row.sprite(row, s, x, y);
    return;
  }
  if constexpr (requires { s.angle; }) {
    if (row.rotated) {
      elDraw::DrawRotated(x, y, x + row.w, y + row.h, s.angle, *row.image, 0, 0, row.w, row.h);
      return;
    }
  }
  elDraw::DrawObject(x, y, *row.image, 0, 0, row.w, row.h);
}

template <typename Slot>
void Spin(const KindRow<Slot>& row, Slot& s) {
  if constexpr (requires { s.angle; }) {
    if (row.spin == 0) return;
    s.angle += row.spin;
    if (s.angle >= 360) s.angle = 0;
  }
}

template <typename Slot>
void DrawingBranch(const KindRow<Slot>& row, Slot& s, int32_t i) {
  const int32_t x = Whole(s.x);
  const int32_t y = Whole(s.y);
  if (s.active == 1 || row.spriteWhenFree) DrawSprite(row, s, x, y);
  if (row.drawExtra != nullptr) row.drawExtra(s, x, y);
  Spin(row, s);
  const KindLock& lock = row.lock;
  if (lock.targets.records == nullptr) return;
  LockOnTarget& target = lock.targets[i];
  if (target.locked == 1 && s.active == 1) {
    target.x = x + lock.sightX;
    target.y = y + lock.sightY;
    elDraw::DrawObject(target.x, target.y, ImgRock1, 0, 0, SightSize, SightSize);
  }
}

template <typename Slot>
void ExplosionBranch(const KindRow<Slot>& row, Slot& s, int32_t i) {
  const int32_t x = Whole(s.x);
  const int32_t y = Whole(s.y);
  const int32_t f = s.explosionFrame;
  const Pieces& pieces =
      BlendExplosions == 1 || !row.honoursBlend ? row.pieces : row.unblendedPieces;
  for (const Piece& p : pieces) {
    if (p.image == nullptr) break;
    BlitCell(p.blit, x + p.x0 + p.xf * f, y + p.y0 + p.yf * f, p.image, p.cell * f, 0,
             p.cell * f + p.cell, p.cell);
  }
  if (row.stopsWhileExploding) {
    s.vx = 0.0f;
    s.vy = 0.0f;
  }
  if (f == 0) elSound::Play(SndBom, -1);
  s.explosionFrame = f + 1;
  if (s.explosionFrame > row.lastCell) {
    s.explosionFrame = 0;
    s.explosionLoop += 1;
  }
  if (s.explosionLoop > 1) {
    s.active = 0;
    s.noHit = 0;
    s.hit = 0;
    s.explosionFrame = 0;
    s.explosionLoop = 0;
    s.x = row.explodedParkX;
    s.y = ParkY;
    if (row.lock.targets.records != nullptr) {
      PutLock(row.lock.targets[i], row.lock.homeX, row.lock.homeY);
    }
  }
}

// Frees a slot that left its box; then the lock rule, where it applies.
template <typename Slot>
void Leave(const KindRow<Slot>& row, Slot& s, int32_t i, bool test_lock) {
  s.active = 0;
  s.x = row.parkX;
  s.y = ParkY;
  const KindLock& lock = row.lock;
  if (!test_lock || lock.targets.records == nullptr) return;
  LockOnTarget& target = lock.targets[i];
  if (!lock.keepBox.Holds(static_cast<float>(target.x), static_cast<float>(target.y))) {
    PutLock(target, lock.awayX, lock.awayY);
  }
}

}  // namespace

template <typename Slot>
void KindSpawn(const KindRow<Slot>& row) {
  for (int32_t i = 0; i < row.slots.count; ++i) {
    Slot& s = row.slots[i];
    if (s.active != 0) continue;
    for (EntryField field : row.order) WriteEntry(s, field, EntryValue(row, field));
    s.active = 1;
    s.hit = 0;
    s.explosionFrame = 0;
    if constexpr (requires { s.animFrame; }) s.animFrame = 0;
    if (row.lock.resetOnSpawn && row.lock.targets.records != nullptr) {
      PutLock(row.lock.targets[i], row.lock.homeX, row.lock.homeY);
    }
  }
}

template <typename Slot>
void KindUpdate(const KindRow<Slot>& row) {
  for (int32_t i = 0; i < row.slots.count; ++i) {
    Slot& s = row.slots[i];
    if (s.hit < 1 || (row.freeSlotsDraw && s.active == 0)) {
      DrawingBranch(row, s, i);
    } else {
      ExplosionBranch(row, s, i);
    }
  }
}

template <typename Slot>
void KindMove(const KindRow<Slot>& row) {
  for (int32_t i = 0; i < row.slots.count; ++i) {
    Slot& s = row.slots[i];
    if (s.active == 1) {
      if (row.xSign != 0.0f) s.x += row.xSign * s.vx * FrameTime;
      if (row.ySign != 0.0f) s.y += row.ySign * s.vy * FrameTime;
      if (row.steer != nullptr) row.steer(s);
    }
    if (!row.box.HoldsY(s.y)) Leave(row, s, i, row.lock.testOnRowExit);
    if (!row.box.HoldsX(s.x)) Leave(row, s, i, row.lock.testOnSideExit);
  }
}

// The slot types the kind rows are built over, each with the steps its rows
// take from here: EnemySlot (KIND rows: the small kinds and the large kinds
// moved by their speeds) and SpinningEnemySlot (the rotating kinds) all
// three; LargeEnemy and Szak60Enemy (LARGE_KIND rows, moved by their script)
// Spawn and Update; WaveEnemySlot (WAVE_KIND rows, spawned by their wave)
// Update and Move.
template void KindSpawn(const KindRow<LargeEnemy>&);
template void KindUpdate(const KindRow<LargeEnemy>&);
template void KindSpawn(const KindRow<Szak60Enemy>&);
template void KindUpdate(const KindRow<Szak60Enemy>&);
template void KindSpawn(const KindRow<EnemySlot>&);
template void KindUpdate(const KindRow<EnemySlot>&);
template void KindMove(const KindRow<EnemySlot>&);
template void KindSpawn(const KindRow<SpinningEnemySlot>&);
template void KindUpdate(const KindRow<SpinningEnemySlot>&);
template void KindMove(const KindRow<SpinningEnemySlot>&);
template void KindUpdate(const KindRow<WaveEnemySlot>&);
template void KindMove(const KindRow<WaveEnemySlot>&);
