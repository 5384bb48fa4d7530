// The pieces the enemy engines' parameter rows are made of: a view of a
// fixed table, random values, inclusive boxes, blits and picture strips,
// and the owner of a bullet family's records.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>

#include "enemies/engine/slot_view.h"
#include "enemies/record_resets.h"

// ---- tables ----

// One fixed global table: its first record and its length.
template <typename R>
struct TableRef {
  R* records = nullptr;
  int32_t count = 0;
  R& operator[](int32_t i) const { return records[i]; }
};

template <typename R, size_t N>
constexpr TableRef<R> Table(R (&table)[N]) {
  return {table, static_cast<int32_t>(N)};
}

// ---- values ----

// A value written by a spawn or a gun: base + sign x (rand() % range), an
// integer stored as a float; base alone when range is 0.  A value that is
// not written leaves its field as it is.
struct RandomValue {
  int32_t range = 0;
  int32_t base = 0;
  int32_t sign = 1;
  bool written = true;
};

constexpr RandomValue Fixed(int32_t v) { return {0, v, 1, true}; }
// rand() % n + b
constexpr RandomValue Rand(int32_t n, int32_t b) { return {n, b, 1, true}; }
// -(rand() % n + b)
constexpr RandomValue RandNegated(int32_t n, int32_t b) { return {n, -b, -1, true}; }
// b - rand() % n
constexpr RandomValue RandBelow(int32_t n, int32_t b) { return {n, b, -1, true}; }
constexpr RandomValue Unwritten{0, 0, 1, false};

// Draws the value (one rand() call when it has a range).
float DrawValue(const RandomValue& v);

// A bullet speed: one value for every record, or one constant per place in
// the record's group ("graded").
struct Speed {
  RandomValue value{};
  std::array<float, 8> byPlace{};
  int32_t places = 0;  // 0: not graded
};

constexpr Speed SpeedOf(RandomValue v) { return {v, {}, 0}; }
constexpr Speed SpeedOf(int32_t v) { return {Fixed(v), {}, 0}; }
constexpr Speed Graded(std::initializer_list<float> speeds) {
  Speed s{};
  for (float v : speeds) s.byPlace[static_cast<size_t>(s.places++)] = v;
  return s;
}

// The speed of the record at `place` in its group.
float DrawSpeed(const Speed& s, int32_t place);

// ---- boxes ----

constexpr float Unbounded = std::numeric_limits<float>::infinity();

// Inclusive bounds: a point exactly on an edge is inside.  An unbounded side
// is not tested.  A position that is not a number lies outside.
struct Bounds {
  float left = -Unbounded;
  float right = Unbounded;
  float top = -Unbounded;
  float bottom = Unbounded;
  constexpr bool HoldsX(float x) const { return x >= left && x <= right; }
  constexpr bool HoldsY(float y) const { return y >= top && y <= bottom; }
  constexpr bool Holds(float x, float y) const { return HoldsX(x) && HoldsY(y); }
};

// A position (or angle) truncated toward zero; a value beyond any screen (or
// not a number) is pinned far off it instead of being converted out of
// range.  Inline: the hit passes and the bullet steps take it per record.
inline int32_t Whole(double v) {
  constexpr double kFar = 1.0e9;
  if (!(v > -kFar)) return -static_cast<int32_t>(kFar);
  if (v > kFar) return static_cast<int32_t>(kFar);
  return static_cast<int32_t>(v);
}

// ---- drawing ----

enum class Blit : uint8_t {
  Keyed,     // elDraw::DrawObject, colour 0 transparent
  Additive,  // elDraw::DrawAdditive
  Half,      // elDraw::DrawHalfTransparent
};

// Draws the source rectangle of the picture whose handle global is `*image`.
void BlitCell(Blit blit, int32_t x, int32_t y, const int32_t* image, int32_t left, int32_t top,
              int32_t right, int32_t bottom);

// The cell of a strip of `cells` to draw for an animation counter: the
// counter reduced into 0 .. cells - 1, so no source rectangle leaves its
// strip whatever the counter holds (the resets start some counters at
// rand() % 10 on strips of 7 cells).
int32_t StripCell(int32_t counter, int32_t cells);
// The counter after a draw: + 1, back to 0 on reaching the cell count (or
// from any value outside the strip).
int32_t NextCell(int32_t counter, int32_t cells);

// Draws cell StripCell(counter) of a strip of w x h cells side by side, then
// advances the counter.
void DrawStripCell(Blit blit, int32_t x, int32_t y, const int32_t* image, int32_t w, int32_t h,
                   int32_t cells, int32_t& counter);

// ---- owners ----

// The slot table whose positions a bullet family launches from.
struct OwnerRef {
  SlotReader read = nullptr;
  int32_t count = 0;
};

template <auto& Table>
constexpr OwnerRef Owner() {
  return {ReadSlot<Table>, CountOf<Table>()};
}

// One fixed global record (a boss's state) as the only owner slot: its x and
// y, whatever else the record holds.  The record is named, so a family keeps
// its owner in any stage (a parked owner fires from its park point).
template <auto& Record>
SlotView ReadRecord(int32_t) {
  return {Record.x, Record.y, 0u, 1u};
}

template <auto& Record>
constexpr OwnerRef OwnerAt() {
  return {ReadRecord<Record>, 1};
}

// Where a family's records start: the owner table, the mapping of records to
// owner slots and the offset from the owner's top-left corner.
struct Launch {
  OwnerRef owner;
  int32_t perOwner = 1;    // record i belongs to owner slot i / perOwner ...
  int32_t fixedSlot = -1;  // ... unless every record starts from this slot
  float dx = 0.0f;
  float dy = 0.0f;

  constexpr int32_t OwnerSlot(int32_t i) const { return fixedSlot >= 0 ? fixedSlot : i / perOwner; }
  // The record's place in its group: within its owner's group, or its index
  // when one slot owns them all.
  constexpr int32_t Place(int32_t i) const { return fixedSlot >= 0 ? i : i % perOwner; }
  // The row fits a table of `count` records.
  constexpr bool Fits(int32_t count) const {
    if (owner.read == nullptr || perOwner < 1 || count < 1) return false;
    if (fixedSlot >= 0) return fixedSlot < owner.count;
    return count % perOwner == 0 && count / perOwner <= owner.count;
  }
};

// The launch point of record i: the owner slot's position plus the offset.
// The owner's active flag is not read, so a parked owner launches from
// beside its park position.
struct Point {
  float x, y;
};
Point LaunchPoint(const Launch& launch, int32_t i);
