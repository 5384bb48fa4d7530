// The wave kind engine: the spawn cycle, Init and the script clock.
#include "enemies/engine/wave_engine.h"

#include "el/system/elSystem.h"

void WaveScriptStep(const WaveScript& script, WaveEnemySlot& s) {
  s.clock += script.rate * FrameTime;
  for (size_t p = 0; p < PhaseWindows.size(); ++p) {
    if (!PhaseWindows[p].Holds(s.clock)) continue;
    const WavePhase& phase = script.phases[p];
    s.vx = phase.vx;
    s.vy = phase.vy;
    if (phase.gun != nullptr && (script.gate == nullptr || script.gate())) phase.gun();
  }
  if (s.clock >= ClockWrap) s.clock = 0.0f;
}

namespace {

void DrawClockCells(const KindRow<WaveEnemySlot>& row, const WaveEnemySlot& s, int32_t x,
                    int32_t y, bool reversed) {
  const int32_t last = static_cast<int32_t>(CellWindows.size()) - 1;
  for (int32_t k = 0; k <= last; ++k) {
    if (!CellWindows[static_cast<size_t>(k)].Holds(s.clock)) continue;
    const int32_t left = (reversed ? last - k : k) * row.w;
    BlitCell(Blit::Keyed, x, y, row.image, left, 0, left + row.w, row.h);
  }
}

}  // namespace

void ClockCells(const KindRow<WaveEnemySlot>& row, const WaveEnemySlot& s, int32_t x, int32_t y) {
  DrawClockCells(row, s, x, y, false);
}

void ClockCellsReversed(const KindRow<WaveEnemySlot>& row, const WaveEnemySlot& s, int32_t x,
                        int32_t y) {
  DrawClockCells(row, s, x, y, true);
}

void WaveInit(const WaveRow& row, int32_t slot) {
  const KindRow<WaveEnemySlot>& kind = row.kind;
  if (slot < 0 || slot >= kind.slots.count) return;
  WaveEnemySlot& s = kind.slots[slot];
  if (s.active != 0) return;
  s.x = DrawValue(kind.x);
  s.y = DrawValue(kind.y);
  s.vx = DrawValue(kind.vx);
  s.vy = DrawValue(kind.vy);
  s.active = 1;
  s.hit = 0;
  s.explosionFrame = 0;
  s.aux = 0;
  if (kind.steer != nullptr) s.clock = 0.0f;
  if (row.initRestartsTimer) s.waveTimer = 0;
  if (kind.lock.resetOnSpawn) {
    LockOnTarget& target = kind.lock.targets[slot];
    target.locked = 0;
    target.x = kind.lock.homeX;
    target.y = kind.lock.homeY;
  }
}

void WaveSpawn(const WaveRow& row) {
  const TableRef<WaveEnemySlot>& slots = row.kind.slots;
  for (int32_t k = 0; k < slots.count; ++k) {
    int32_t& timer = slots[k].waveTimer;
    timer = timer >= row.cycle ? 0 : timer + 1;
  }
  for (int32_t k = 0; k < slots.count; ++k) {
    if (slots[k].waveTimer == WaveCount(row, k)) WaveInit(row, k);
  }
}
