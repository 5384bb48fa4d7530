// Per-record tick schedules: a pool of records in groups of consecutive
// records, each record with its own tick.  Every call advances every tick;
// each group whose tick equals its firing tick hands its records, in order,
// to the family's placement.  The ticks move only on the calls the family's
// windows make and keep their values in between; all ticks of a pool start
// equal at the reset and stay equal, so a group fires as one.
//
// The wrap rule is a row knob:
//   OnReaching    the tick returns to the restart value when it reaches the
//                 cycle, before the compares (a group ticking at the cycle
//                 never fires);
//   OnExceeding   ... only when it exceeds the cycle (a last group at the
//                 cycle value fires; the cycle is one call longer);
//   AfterCompare  the compares first, then a tick at or beyond the cycle
//                 returns (a group at the cycle value fires on that call).
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/engine_parts.h"

enum class Wrap : uint8_t {
  OnReaching,
  OnExceeding,
  AfterCompare,
};

// The most groups a scheduled pool holds (the arms: twenty groups of one).
constexpr int32_t MaxGroups = 20;
using GroupTicks = std::array<int32_t, MaxGroups>;

struct TickCycle {
  int32_t groupSize = 1;
  int32_t cycle = 0;
  Wrap wrap = Wrap::OnReaching;
  int32_t restart = 0;
};

constexpr bool ValidCycle(const TickCycle& c, int32_t count) {
  return c.groupSize >= 1 && c.cycle >= 1 && count % c.groupSize == 0 &&
         count / c.groupSize <= MaxGroups;
}

// A counter's step on one call (a record's tick, or a family's single
// counter): + 1, then the wrap that comes before the compares.
inline void AdvanceTick(int32_t& tick, const TickCycle& c) {
  tick += 1;
  const bool wraps = c.wrap == Wrap::OnReaching    ? tick >= c.cycle
                     : c.wrap == Wrap::OnExceeding ? tick > c.cycle
                                                   : false;
  if (wraps) tick = c.restart;
}
// The wrap that comes after the compares.
inline void WrapAfterCompare(int32_t& tick, const TickCycle& c) {
  if (c.wrap == Wrap::AfterCompare && tick >= c.cycle) tick = c.restart;
}

// One call of the schedule: `place(r, first)` for every record r whose tick
// has come (first: its group's first record).
template <typename R, typename PlaceFn>
void RunTickSchedule(TableRef<R> shots, const TickCycle& c, const GroupTicks& ticks,
                     PlaceFn place) {
  for (int32_t r = 0; r < shots.count; ++r) AdvanceTick(shots[r].tick, c);
  for (int32_t first = 0, g = 0; first < shots.count; first += c.groupSize, ++g) {
    const int32_t due = ticks[static_cast<size_t>(g)];
    for (int32_t r = first; r < first + c.groupSize; ++r) {
      if (shots[r].tick == due) place(r, first);
    }
  }
  for (int32_t r = 0; r < shots.count; ++r) WrapAfterCompare(shots[r].tick, c);
}
