// The clock script of the scripted large kinds.
#include "enemies/engine/large_engine.h"

#include "el/system/elSystem.h"
#include "shell/game_state.h"

namespace {

// The script clock of each record: LargeEnemy's float clock runs at the
// row's rate; Szak60's tick counts calls.
float Advance(LargeEnemy& r, const ScriptRow& row) {
  r.clock += row.rate * FrameTime;
  return r.clock;
}
float Advance(Szak60Enemy& r, const ScriptRow&) {
  r.tick += 1;
  return static_cast<float>(r.tick);
}
void Restart(LargeEnemy& r, const ScriptRow& row) { r.clock = row.restart; }
void Restart(Szak60Enemy& r, const ScriptRow& row) { r.tick = static_cast<int32_t>(row.restart); }

void StartScript(LargeEnemy& r) {
  r.spare = 0;
  r.clock = 0.0f;
}
void StartScript(Szak60Enemy& r) {
  r.spare = 0;
  r.tick = 0;
  r.hitFrames = 0;
}

template <typename Slot>
void Apply(const Motion& m, Slot& s) {
  s.x += (m.x + m.xByVx * s.vx) * FrameTime;
  s.y += (m.y + m.yByVy * s.vy) * FrameTime;
}

void CallAll(const Calls& calls) {
  for (void (*call)() : calls) {
    if (call != nullptr) call();
  }
}

}  // namespace

template <typename Slot>
void LargeSpawn(const LargeRow<Slot>& row) {
  Slot& s = row.kind.slots[0];
  const bool free = s.active == 0;
  KindSpawn(row.kind);
  if (free) StartScript(s);
}

template <typename Slot>
void LargeMove(const LargeRow<Slot>& row) {
  const ScriptRow& script = row.script;
  Slot& s = row.kind.slots[0];
  if (s.active == 1) {
    const float clock = Advance(s, script);
    if (script.entry.Holds(clock)) Apply(script.entryMotion, s);
    if (script.fire.Holds(clock)) {
      s.vx = 0.0f;
      CallAll(script.fireCalls);
      if (GameMode == 2 || GameSubMode == 1) CallAll(script.gatedCalls);
    }
    if (script.leave.Holds(clock)) Apply(script.leaveMotion, s);
    if (clock >= script.wrapAt) Restart(s, script);
  }
  if (!script.box.Holds(s.x, s.y)) {
    s.active = 0;
    s.x = ParkX;
    s.y = ParkY;
  }
}

template void LargeSpawn(const LargeRow<LargeEnemy>&);
template void LargeMove(const LargeRow<LargeEnemy>&);
template void LargeSpawn(const LargeRow<Szak60Enemy>&);
template void LargeMove(const LargeRow<Szak60Enemy>&);
