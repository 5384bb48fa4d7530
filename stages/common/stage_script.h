// Stage scripts as data: lists of calls, grouped into blocks by window
// headers, walked in order once per frame.
//
// A script starts with its block open; a header closes the block before it
// and opens a new one whose calls run only while the header's test holds:
//   Every(gate)        always (a group of calls under a gate, or a re-open
//                      after windows)
//   Window(lo, hi)     lo <  ScrollPos < hi        (waves; bounds strict)
//   Never(lo, hi)      a window whose bounds can never hold (lo >= hi), kept
//                      as written at its place in the order; never open
//   Ticks(lo, hi)      lo <= attack tick <= hi     (attack lists; inclusive)
//   HpBand(lo, hi)     lo <= boss HP <= hi         (attack lists; inclusive)
// A call runs `times` times in a row while its block is open and its own
// gate (and, for IfIn, its own strict scroll sub-window) holds.  Every
// header and every gate reads the live globals at its place in the walk, so
// a call that changes them (a defeat's reset) is seen by the items after it.
//
//   constexpr ScriptItem Stage9Waves[] = {
//       Every(), MOVE_UPDATE(Szak1A), Times(2, Szak10Move), Szak10Update,
//       Window(120, 170), Szak10Spawn, Szak10Shot1Fire,
//       Window(800, 900), Times(2, Szak6CMove), Szak6CSpawn,
//       If(Gate::SubMode1, Szak6CShot2Fire)};
//   static_assert(ValidScrollScript(Stage9Waves));
//   constexpr ScriptItem Boss9Attack[] = {
//       Ticks(0, 200), Boss9Val40LSchedule,
//       Ticks(20, 280, Gate::Level2Or3), Boss9Valarm11Schedule};
//   static_assert(ValidAttackScript(Boss9Attack));
#pragma once
#include <cstdint>
#include <span>

#include "stages/boss_records.h"

using ScriptOp = void (*)();

// Conditions on the game's mode and level, read when tested.
enum class Gate : uint8_t {
  None,
  Mode1,            // GameMode == 1
  Mode2,            // GameMode == 2
  ModeNot1,         // GameMode != 1
  SubMode1,         // GameSubMode == 1
  SubModeNot0,      // GameSubMode != 0
  SubModeNot1,      // GameSubMode != 1
  Mode2OrSubMode1,  // GameMode == 2 || GameSubMode == 1
  Level1,           // GameLevel == 1
  Level2Or3,        // GameLevel == 2 || GameLevel == 3
  Level3,           // GameLevel == 3
};

bool GateOpen(Gate gate);

struct ScriptItem {
  enum class Kind : uint8_t { Every, Window, Never, Ticks, HpBand, Call, CallIn };

  Kind kind = Kind::Call;
  Gate gate = Gate::None;  // header: of the block; call: of this call
  uint8_t times = 1;       // calls: how many times in a row
  ScriptOp op = nullptr;   // calls only
  float lo = 0.0f;         // header bounds; CallIn: the strict scroll sub-window
  float hi = 0.0f;

  constexpr ScriptItem() = default;
  // A plain call, so that a table can list `Szak10Spawn` as it stands.
  constexpr ScriptItem(ScriptOp call) : op(call) {}  // NOLINT(google-explicit-constructor)
  constexpr ScriptItem(Kind k, Gate g, uint8_t n, ScriptOp call, float low, float high)
      : kind(k), gate(g), times(n), op(call), lo(low), hi(high) {}

  constexpr bool IsHeader() const { return kind != Kind::Call && kind != Kind::CallIn; }
};

constexpr ScriptItem Every(Gate gate = Gate::None) {
  return {ScriptItem::Kind::Every, gate, 0, nullptr, 0.0f, 0.0f};
}
constexpr ScriptItem Window(float lo, float hi, Gate gate = Gate::None) {
  return {ScriptItem::Kind::Window, gate, 0, nullptr, lo, hi};
}
constexpr ScriptItem Never(float lo, float hi) {
  return {ScriptItem::Kind::Never, Gate::None, 0, nullptr, lo, hi};
}
constexpr ScriptItem Ticks(int32_t lo, int32_t hi, Gate gate = Gate::None) {
  return {ScriptItem::Kind::Ticks, gate, 0, nullptr, static_cast<float>(lo),
          static_cast<float>(hi)};
}
constexpr ScriptItem HpBand(float lo, float hi, Gate gate = Gate::None) {
  return {ScriptItem::Kind::HpBand, gate, 0, nullptr, lo, hi};
}
constexpr ScriptItem Times(uint8_t n, ScriptOp call) {
  return {ScriptItem::Kind::Call, Gate::None, n, call, 0.0f, 0.0f};
}
constexpr ScriptItem If(Gate gate, ScriptOp call) {
  return {ScriptItem::Kind::Call, gate, 1, call, 0.0f, 0.0f};
}
// The call under its gate and only while lo < ScrollPos < hi.
constexpr ScriptItem IfIn(Gate gate, float lo, float hi, ScriptOp call) {
  return {ScriptItem::Kind::CallIn, gate, 1, call, lo, hi};
}

// A role pasted onto a full stem written out in the table:
// MOVE_UPDATE(Szak1A) is Szak1AMove, Szak1AUpdate; MOVE_DRAW(Szak10Shot3) is
// Szak10Shot3Move, Szak10Shot3Draw.
#define MOVE_UPDATE(stem) stem##Move, stem##Update
#define MOVE_DRAW(stem) stem##Move, stem##Draw

namespace script_detail {
constexpr bool ValidCall(const ScriptItem& item) {
  if (item.op == nullptr || item.times < 1) return false;
  return item.kind != ScriptItem::Kind::CallIn || item.lo < item.hi;
}

// Scroll lists take Every / Window headers, attack lists Ticks / HpBand
// headers and open with one; both take Never, the one kept with lo >= hi.
consteval bool Valid(std::span<const ScriptItem> script, bool attack) {
  if (attack && !script.empty() && !script.front().IsHeader()) return false;
  for (const ScriptItem& item : script) {
    switch (item.kind) {
      case ScriptItem::Kind::Every: if (attack) return false; break;
      case ScriptItem::Kind::Window: if (attack || !(item.lo < item.hi)) return false; break;
      case ScriptItem::Kind::Ticks:
      case ScriptItem::Kind::HpBand: if (!attack || !(item.lo <= item.hi)) return false; break;
      case ScriptItem::Kind::Never: if (item.lo < item.hi) return false; break;
      case ScriptItem::Kind::Call:
      case ScriptItem::Kind::CallIn: if (!ValidCall(item)) return false; break;
    }
  }
  return true;
}
}  // namespace script_detail

// A list of kinds, waves or bullet families.
consteval bool ValidScrollScript(std::span<const ScriptItem> script) {
  return script_detail::Valid(script, false);
}
// An attack list.
consteval bool ValidAttackScript(std::span<const ScriptItem> script) {
  return script_detail::Valid(script, true);
}

// One pass over a list of kinds, waves or bullet families.
void RunScript(std::span<const ScriptItem> script);
// One pass over a boss's attack list, its windows on `boss`'s attack tick
// and hit points.
void RunAttackScript(std::span<const ScriptItem> script, const BossState& boss);
