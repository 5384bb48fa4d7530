// A uniform view of one slot of an enemy kind's table, whatever its record
// layout: what the lock test, the homing weapons and the bullet families
// (reading their owner's position) take from a slot.
#pragma once
#include <cstdint>
#include <iterator>

struct SlotView {
  float x;
  float y;
  uint32_t noHit;
  uint32_t active;
};

// Reads slot i of the kind table Table (any slot layout with x, y, noHit and
// active); an index outside the table reads as a free, untouchable slot.
template <auto& Table>
SlotView ReadSlot(int32_t i) {
  if (i < 0 || i >= static_cast<int32_t>(std::size(Table))) return {0.0f, 0.0f, 1u, 0u};
  return {Table[i].x, Table[i].y, Table[i].noHit, Table[i].active};
}

template <auto& Table>
constexpr int32_t CountOf() {
  return static_cast<int32_t>(std::size(Table));
}

using SlotReader = SlotView (*)(int32_t);
