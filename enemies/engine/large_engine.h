// The scripted large kinds: one record each (LargeEnemy, or Szak60's own),
// spawned, drawn and exploded by the kind engine, and moved by a clock
// script instead of fixed speeds.
//
//   Move   while the record is active: the clock advances (rate x FrameTime,
//          or one per call for Szak60's tick); then, on the advanced clock,
//          in this order: the entry band moves the record; the fire band
//          sets vx 0 and makes the band's fire calls (then the gated calls
//          while GameMode is 2 or GameSubMode is 1); the leaving band moves
//          it; at or beyond `wrapAt` the clock restarts.  Bands are inclusive;
//          between them the record stands still.  After a wrap the entry
//          band runs again with vx 0.  Then, active or not, a record
//          outside the box (edges inside) is freed and parked.
//   Spawn  the kind engine's (entry values, active, hit 0, explosion frame
//          0; the explosion's loop count is left as it is), then the script
//          starts: clock and spare words 0 (Szak60 also clears the count of
//          frames its hit pass keeps).
//   Update the kind engine's: the sprite while hit is 0, else the bursts;
//          the speeds are kept, so an exploding kind goes on with its script
//          and its guns.
//
// A kind is added with one line in its group's .cpp:
//   LARGE_KIND(Szak53A, LargeEnemy, {.kind = {...}, .script = {...}})
// which defines Szak53ASpawn, Szak53AUpdate and Szak53AMove.
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/engine_parts.h"
#include "enemies/engine/kind_engine.h"
#include "enemies/records.h"

// An inclusive band of the script clock.
struct Band {
  float from = 0.0f, to = -1.0f;
  constexpr bool Holds(float clock) const { return clock >= from && clock <= to; }
};

// The motion of a band, per second: x += (x + xByVx vx) FrameTime and
// y += (y + yByVy vy) FrameTime.
struct Motion {
  float x = 0.0f, xByVx = 0.0f;
  float y = 0.0f, yByVy = 0.0f;
};

using Calls = std::array<void (*)(), 3>;

struct ScriptRow {
  float rate = 0.0f;  // clock units per second (per-call clocks count calls)
  Band entry, fire, leave;
  Motion entryMotion, leaveMotion;
  Calls fireCalls{};   // every call in the fire band, after vx = 0
  Calls gatedCalls{};  // then, only while GameMode is 2 or GameSubMode is 1
  float wrapAt = 121.0f;
  float restart = 0.0f;
  Bounds box{};
};

template <typename Slot>
struct LargeRow {
  KindRow<Slot> kind;
  ScriptRow script;
};

template <typename Slot>
constexpr bool ValidLarge(const LargeRow<Slot>& row) {
  return row.kind.slots.count == 1 && ValidKind(row.kind) && row.script.wrapAt > 0.0f;
}

template <typename Slot>
void LargeSpawn(const LargeRow<Slot>& row);
template <typename Slot>
void LargeMove(const LargeRow<Slot>& row);

#define LARGE_KIND(stem, SlotType, ...)                                                   \
  constexpr LargeRow<SlotType> stem##Row = __VA_ARGS__;                                   \
  static_assert(ValidLarge(stem##Row), #stem ": the row does not fit its tables");        \
  void stem##Spawn() { LargeSpawn(stem##Row); }                                           \
  void stem##Update() { KindUpdate(stem##Row.kind); }                                     \
  void stem##Move() { LargeMove(stem##Row); }
