// The wave kind engine: kinds that arrive as a stream of up to five enemies
// of one kind from a fixed entry point, one WaveEnemySlot record each.  A
// wave kind is a row of the kind engine (drawing, explosion, move, box and
// lock rules: enemies/engine/kind_engine.h) plus its spawn cycle; the
// scripted kinds steer by a script clock.
//
//   Spawn   every slot's timer + 1, back to 0 once it exceeds the cycle
//           (slot 0 to 4); then, slot 0 to 4, Init for each slot whose timer
//           equals its count, (k + 1) x cycle / 5.  The timers run only on
//           Spawn calls and keep their values between calls.
//   Init    a free slot placed at the entry point with its start speeds,
//           active, hit 0, explosion cell 0 and aux 0 (the explosion loop is
//           left); a scripted kind also starts its clock at 0, a kind that
//           restarts its timer sets it to 0, a lockable kind puts its record
//           home.  A flying or exploding slot is left alone.
//   Update, Move  the kind engine's.  A scripted kind's script is its
//           steering, run on every active slot (an exploding one too) after
//           the move: the clock + rate x FrameTime; the phase window holding
//           the clock (bounds inclusive) sets the speeds and fires its gun
//           while the script's gate is open; in the gaps between windows the
//           speeds keep their values and no gun fires; a clock of 101 or
//           more returns to 0.  Then the box test of every slot.
//
// A kind is added with one line in its group's .cpp:
//
//   WAVE_SCRIPT(Szak30A, {.rate = 25, .phases = {{...}}})
//   WAVE_KIND(Szak30A, {.kind = {..., .steer = RunScript<Szak30AScript>}, ...})
//
// which defines Szak30AInit, Szak30ASpawn, Szak30AUpdate and Szak30AMove (the
// hit setter Szak30AHit comes with the kind's tables), and one line in the
// group's role list (enemies/engine/roles.h, set WAVE).
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/kind_engine.h"
#include "enemies/records.h"
#include "shell/assets.h"

constexpr int32_t WaveSlots = 5;

// A window of the script clock, both bounds inclusive.
struct ClockWindow {
  float lo, hi;
  constexpr bool Holds(float clock) const { return clock >= lo && clock <= hi; }
};

// The phase windows of every script, with gaps between them; the clock
// returns to 0 from ClockWrap on.
constexpr std::array<ClockWindow, 5> PhaseWindows{
    {{0, 10}, {11, 20}, {21, 30}, {31, 40}, {41, 100}}};
constexpr float ClockWrap = 101.0f;
// The windows of the five sprite cells: neighbours share their bounds, so
// two cells are drawn at exactly 10, 20, 30 and 40, and none above 100.
constexpr std::array<ClockWindow, 5> CellWindows{
    {{0, 10}, {10, 20}, {20, 30}, {30, 40}, {40, 100}}};

struct WavePhase {
  float vx = 0.0f, vy = 0.0f;
  void (*gun)() = nullptr;  // a family's Fire, called every frame of the window
};

struct WaveScript {
  float rate = 25.0f;  // clock units per second
  std::array<WavePhase, PhaseWindows.size()> phases{};
  bool (*gate)() = nullptr;  // the guns fire only while it holds; none: always
};

// One step of the script on an active slot.
void WaveScriptStep(const WaveScript& script, WaveEnemySlot& s);

// The steering of a scripted kind: its script, named.
template <const WaveScript& Script>
void RunScript(WaveEnemySlot& s) {
  WaveScriptStep(Script, s);
}

// Sprites of the scripted kinds: cell k (or 4 - k, reversed) of a strip of
// w x h cells, colour-keyed, for each cell window k holding the clock.
void ClockCells(const KindRow<WaveEnemySlot>& row, const WaveEnemySlot& s, int32_t x, int32_t y);
void ClockCellsReversed(const KindRow<WaveEnemySlot>& row, const WaveEnemySlot& s, int32_t x,
                        int32_t y);

// Every wave kind's explosion while BlendExplosions is 0: the main cell only,
// colour-keyed.
constexpr Pieces WaveUnblendedPieces{{{&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Keyed}}};

struct WaveRow {
  // Fixed entry values; the sprite, explosion, move, box and lock rules; a
  // script as the steering (none: the kind keeps its start speeds and leaves
  // its clock alone).
  KindRow<WaveEnemySlot> kind;
  int32_t cycle = 150;            // slot k starts at (k + 1) x cycle / 5
  bool initRestartsTimer = false;  // Init sets the slot's timer to 0
};

constexpr bool FixedEntry(const RandomValue& v) { return v.written && v.range == 0; }

constexpr bool ValidWave(const WaveRow& row) {
  const KindRow<WaveEnemySlot>& kind = row.kind;
  return ValidKind(kind) && kind.slots.count == WaveSlots && row.cycle >= WaveSlots &&
         row.cycle % WaveSlots == 0 && FixedEntry(kind.x) && FixedEntry(kind.y) &&
         FixedEntry(kind.vx) && FixedEntry(kind.vy) &&
         (!kind.lock.resetOnSpawn || kind.lock.targets.records != nullptr);
}

// The Spawn call on which slot k's timer starts it.
constexpr int32_t WaveCount(const WaveRow& row, int32_t k) {
  return (k + 1) * row.cycle / WaveSlots;
}

// A slot index outside the table is ignored.
void WaveInit(const WaveRow& row, int32_t slot);
void WaveSpawn(const WaveRow& row);

#define WAVE_SCRIPT(stem, ...) constexpr WaveScript stem##Script = __VA_ARGS__;

// Defines stem##Init, stem##Spawn, stem##Update and stem##Move over the row.
#define WAVE_KIND(stem, ...)                                                       \
  constexpr WaveRow stem##Row = __VA_ARGS__;                                       \
  static_assert(ValidWave(stem##Row), #stem ": the row does not fit its tables");  \
  void stem##Init(int32_t slot) { WaveInit(stem##Row, slot); }                     \
  void stem##Spawn() { WaveSpawn(stem##Row); }                                     \
  void stem##Update() { KindUpdate(stem##Row.kind); }                              \
  void stem##Move() { KindMove(stem##Row.kind); }
