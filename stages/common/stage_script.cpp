// The walk over a stage script.
#include "stages/common/stage_script.h"

#include "shell/game_state.h"

bool GateOpen(Gate gate) {
  switch (gate) {
    case Gate::None: return true;
    case Gate::Mode1: return GameMode == 1;
    case Gate::Mode2: return GameMode == 2;
    case Gate::ModeNot1: return GameMode != 1;
    case Gate::SubMode1: return GameSubMode == 1;
    case Gate::SubModeNot0: return GameSubMode != 0;
    case Gate::SubModeNot1: return GameSubMode != 1;
    case Gate::Mode2OrSubMode1: return GameMode == 2 || GameSubMode == 1;
    case Gate::Level1: return GameLevel == 1;
    case Gate::Level2Or3: return GameLevel == 2 || GameLevel == 3;
    case Gate::Level3: return GameLevel == 3;
  }
  return false;
}

namespace {

bool InScroll(float lo, float hi) { return lo < ScrollPos && ScrollPos < hi; }

bool Within(float lo, float value, float hi) { return lo <= value && value <= hi; }

// Whether a header opens its block; the tick and HP windows need a boss.
bool Opens(const ScriptItem& item, const BossState* boss) {
  switch (item.kind) {
    case ScriptItem::Kind::Every: return GateOpen(item.gate);
    case ScriptItem::Kind::Window: return InScroll(item.lo, item.hi) && GateOpen(item.gate);
    case ScriptItem::Kind::Ticks:
      return boss != nullptr && Within(item.lo, static_cast<float>(boss->attackTick), item.hi) &&
             GateOpen(item.gate);
    case ScriptItem::Kind::HpBand:
      return boss != nullptr && Within(item.lo, boss->hitPoints, item.hi) && GateOpen(item.gate);
    case ScriptItem::Kind::Never:
    case ScriptItem::Kind::Call:
    case ScriptItem::Kind::CallIn: break;
  }
  return false;
}

void Walk(std::span<const ScriptItem> script, const BossState* boss) {
  bool open = true;
  for (const ScriptItem& item : script) {
    if (item.IsHeader()) {
      open = Opens(item, boss);
      continue;
    }
    if (!open || !GateOpen(item.gate)) continue;
    if (item.kind == ScriptItem::Kind::CallIn && !InScroll(item.lo, item.hi)) continue;
    for (uint8_t i = 0; i < item.times; ++i) item.op();
  }
}

}  // namespace

void RunScript(std::span<const ScriptItem> script) { Walk(script, nullptr); }

void RunAttackScript(std::span<const ScriptItem> script, const BossState& boss) {
  Walk(script, &boss);
}
