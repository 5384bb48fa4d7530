// The small enemy kind engine: every kind is a fixed slot table plus one
// constexpr row of parameters; Spawn, Update and Move are the engine's, the
// row carries every difference between kinds.
//
//   Spawn   refills every free slot at the entry rule (rand() calls in the
//           row's order), flying with hit 0; explosionLoop and noHit are left.
//   Update  per slot, the drawing branch (sprite, the kind's extra drawing,
//           the spin step, the lock sight) while hit is 0, else one explosion
//           cell: the pieces of cell f, speeds stopped, SndBom on cell 0, the
//           next cell; after two passes through the cells the slot is freed
//           and parked.  An explosion lasts 2 x (lastCell + 1) calls whatever
//           the frame time.
//   Move    per slot, the active ones moved by their speeds (axes and signs
//           from the row) and the kind's steering; then every slot outside
//           its box (edges inside) freed and parked, rows first, then sides,
//           each with the lock rule of the row.
//
// A kind is added with one KIND line in its group's .cpp:
//
//   KIND(Szak10, EnemySlot, {
//       .slots = Table(Szak10Slots),
//       .x = Rand(310, 210), .y = Fixed(-80), .vx = Unwritten, .vy = Rand(60, 70),
//       ...
//   })
//
// which defines Szak10Spawn, Szak10Update and Szak10Move (the hit setter
// Szak10Hit comes with the kind's tables), and one line in the group's role
// list (enemies/engine/roles.h).
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/engine_parts.h"
#include "enemies/records.h"

// The order in which Spawn writes (and draws) the four entry values.
enum class EntryField : uint8_t { X, Y, VX, VY };
constexpr std::array<EntryField, 4> EntryInOrder{EntryField::X, EntryField::Y, EntryField::VX,
                                                 EntryField::VY};

// One piece of an explosion cell f: cell f of a strip of square cells of
// `cell` pixels, at (x0 + xf f, y0 + yf f) from the slot's truncated
// position.
struct Piece {
  const int32_t* image = nullptr;
  int32_t cell = 80;
  int32_t x0 = 0, xf = 0, y0 = 0, yf = 0;
  Blit blit = Blit::Additive;
};
// The pieces in drawing order; the list ends at the first piece without a
// picture.
using Pieces = std::array<Piece, 16>;

// The lock-on record life of a lockable kind: record i serves slot i.
struct KindLock {
  TableRef<LockOnTarget> targets{};  // none: the kind is not lockable
  int32_t sightX = 0, sightY = 0;  // sight point from the truncated slot position
  bool resetOnSpawn = false;       // Spawn puts the record home, unlocked
  int32_t homeX = 290, homeY = 0;  // home: Spawn and the explosion's end
  // Move, after freeing a slot (at the top or bottom, at a side, as the flags
  // say): a record whose point lies outside keepBox goes away, unlocked.
  Bounds keepBox{};
  int32_t awayX = 370, awayY = 0;
  bool testOnRowExit = true;   // freed for leaving the box's rows (y)
  bool testOnSideExit = true;  // freed for leaving the box's columns (x)
};

template <typename Slot>
struct KindRow {
  TableRef<Slot> slots;

  // Spawn: the entry values, written (and drawn) in `order`.
  RandomValue x, y, vx, vy;
  std::array<EntryField, 4> order = EntryInOrder;

  // Update, drawing branch.
  const int32_t* image = nullptr;  // the sprite, cell (0, 0, w, h)
  int32_t w = 0, h = 0;
  bool rotated = false;         // drawn turned by the slot's angle (spinning slots)
  int32_t spin = 0;             // degrees added to the angle after each draw, 0 at 360
  bool spriteWhenFree = true;   // a free slot's sprite is drawn too (at its park point)
  bool freeSlotsDraw = false;   // a free slot takes the drawing branch even if hit
  void (*drawExtra)(Slot& s, int32_t x, int32_t y) = nullptr;  // after the sprite
  // Draws the sprite in place of the fixed cell (a cell chosen by the slot's
  // state); none: the cell (0, 0, w, h), turned when `rotated`.
  void (*sprite)(const KindRow<Slot>& row, const Slot& s, int32_t x, int32_t y) = nullptr;

  // Update, explosion branch.
  int32_t lastCell = 7;
  Pieces pieces{};           // while BlendExplosions is 1 (always, if not honoured)
  Pieces unblendedPieces{};  // while BlendExplosions is 0
  bool honoursBlend = true;
  bool stopsWhileExploding = true;
  float explodedParkX = ParkX;

  // Move.
  float xSign = 0.0f;  // x += xSign vx FrameTime
  float ySign = 1.0f;  // y += ySign vy FrameTime
  void (*steer)(Slot& s) = nullptr;  // after the move, active slots only
  Bounds box{};
  float parkX = ParkX;

  KindLock lock{};
};

template <typename Slot>
constexpr bool ValidKind(const KindRow<Slot>& row) {
  if (row.slots.count < 1 || row.image == nullptr || row.lastCell < 0) return false;
  if (row.lock.targets.records != nullptr && row.lock.targets.count < row.slots.count) return false;
  if (row.rotated || row.spin != 0) {
    if constexpr (!requires(Slot s) { s.angle; }) return false;
  }
  return true;
}

template <typename Slot>
void KindSpawn(const KindRow<Slot>& row);
template <typename Slot>
void KindUpdate(const KindRow<Slot>& row);
template <typename Slot>
void KindMove(const KindRow<Slot>& row);

// Defines stem##Spawn, stem##Update and stem##Move over the row.
#define KIND(stem, SlotType, ...)                                                         \
  constexpr KindRow<SlotType> stem##Row = __VA_ARGS__;                                    \
  static_assert(ValidKind(stem##Row), #stem ": the row does not fit its tables");         \
  void stem##Spawn() { KindSpawn(stem##Row); }                                            \
  void stem##Update() { KindUpdate(stem##Row); }                                          \
  void stem##Move() { KindMove(stem##Row); }
