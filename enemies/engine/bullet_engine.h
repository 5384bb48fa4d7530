// The enemy bullet engine: straight and aimed families as constexpr rows.
//
//   Fire  every free record of the family placed at its owner slot's
//         position plus the launch offset (the owner's active flag is not
//         read: a parked owner fires from its park point and the next Move
//         retires the bullets); straight records get their speeds, aimed
//         records their speed and the heading of the aiming rule at the
//         ship plus the aim offset, turned by the row's turn.
//   Move  record by record in index order: an active record is moved
//         (straight: by vy along y and, where the row says, by vx
//         sideways, a step free records take too where the row says so;
//         aimed: the row's early push aside and down, then the step along
//         its heading); then retired: out of the field box (edges inside),
//         or anywhere while BombWave is 1 where the row says so, it is
//         freed and parked (free records are tested too unless the row says
//         not; in a group-freed row only the first record of a group is
//         tested, and its group is freed where it stands); last, if still
//         active and while PlayerAlive, the ship test: lo <= record - ship
//         <= hi on both axes, bounds inclusive, clears PlayerAlive (and
//         frees and parks the record where the row says so).
//   Draw  the row's look: a fixed cell, a strip cell per record (animated),
//         or the picture turned by the record's heading; or, for an aimed
//         row with a chain, thick lines joining its records in order.
//
// A family is added with one line in its kind group's .cpp:
//
//   STRAIGHT_FAMILY(Szak10Shot3, {
//       .shots = Table(Szak10Shot3Slots),
//       .launch = {Owner<Szak10Slots>(), 5, -1, 27, 66},
//       .vy = Graded({140, 160, 180, 200, 220}),
//       ...
//   })
//
// which defines Szak10Shot3Fire, Szak10Shot3Move and Szak10Shot3Draw, and
// one line in the group's role list (in the group's header; the role sets
// are in enemies/engine/roles.h).
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/records.h"

// ---- straight families (StraightShot) ----

struct StraightRow {
  TableRef<StraightShot> shots;
  Launch launch;
  Speed vy;
  Speed vx = SpeedOf(0);
  float xSign = 0.0f;         // x += xSign vx FrameTime; 0: x does not move
  bool sideForFree = false;   // the sideways step is taken by free records too
  Retire retire{};
  Bounds ship = ShipBox(14, 24);
  BulletLook look{};
};

// ---- aimed families (AimedShot) ----

// A push at the start of a line's flight, ahead of the step along the
// heading: the record's pushDistance (0 at launch) grows by `rate` px/s;
// while it is at most `limit` the record moves by speed x FrameTime /
// sideDivisor sideways (`side`: -1 left, +1 right) and speed x FrameTime /
// downDivisor down; once past the limit it is held there and the push is over.
struct LinePush {
  float side = 0.0f;  // 0: no push
  float rate = 260.0f;
  float limit = 300.0f;
  float sideDivisor = 2.0f;
  float downDivisor = 10.0f;
};

// A table drawn as one chain of thick lines instead of one picture per
// record: segment k joins records k and k + 1 (whole coordinates) with pen
// width[k] in the colour (red - r1, green[k] - r2, blue), where r1 =
// rand() % redJitter and r2 = rand() % greenJitter are drawn on every Draw
// (r1 first), chain or not; the chain is drawn only while record 0 flies.
constexpr int32_t MaxChainSegments = 8;
struct LineChainLook {
  int32_t segments = 0;
  std::array<int32_t, MaxChainSegments> width{};
  std::array<int32_t, MaxChainSegments> green{};
  int32_t red = 0;
  int32_t blue = 0;
  int32_t redJitter = 1;
  int32_t greenJitter = 1;
};

struct AimedRow {
  TableRef<AimedShot> shots;
  Launch launch;
  float aim = 15.0f;  // target: ship corner + aim on both axes
  Speed speed;
  RandomValue spareAtLaunch = Unwritten;  // stored in both spare floats at launch; unread
  Retire retire{};
  Bounds ship = ShipBox(0, 10);
  BulletLook look{};
  float turn = 0.0f;  // added to the heading after the aiming rule (a line's
                      // fixed offset from the aim) ...
  bool turnInAim = false;  // ... or within it, before its half-turn
  LinePush push{};
  const LineChainLook* chain = nullptr;  // drawn as a chain of lines, not the look
};

// The row fits its tables and its look fits its record.
constexpr bool ValidSpeed(const Speed& s, const Launch& launch, int32_t count) {
  if (s.places == 0) return true;
  return launch.fixedSlot >= 0 ? s.places >= count : s.places >= launch.perOwner;
}
constexpr bool ValidRetire(const Retire& retire, const Launch& launch) {
  return !retire.groupFreed || launch.fixedSlot < 0;
}
constexpr bool ValidRow(const StraightRow& row) {
  return row.launch.Fits(row.shots.count) && ValidRetire(row.retire, row.launch) &&
         ValidSpeed(row.vy, row.launch, row.shots.count) &&
         ValidSpeed(row.vx, row.launch, row.shots.count) && ValidLook(row.look, false);
}
constexpr bool ValidChain(const LineChainLook& chain, int32_t count) {
  return chain.segments >= 1 && chain.segments <= MaxChainSegments &&
         chain.segments < count && chain.redJitter >= 1 && chain.greenJitter >= 1;
}
constexpr bool ValidRow(const AimedRow& row) {
  const bool push_fits =
      row.push.side == 0.0f || (row.push.sideDivisor != 0.0f && row.push.downDivisor != 0.0f);
  const bool look_fits = row.chain != nullptr ? ValidChain(*row.chain, row.shots.count)
                                              : ValidLook(row.look, true);
  return row.launch.Fits(row.shots.count) && ValidRetire(row.retire, row.launch) &&
         ValidSpeed(row.speed, row.launch, row.shots.count) && look_fits && push_fits;
}

void StraightFire(const StraightRow& row);
void StraightMove(const StraightRow& row);
void StraightDraw(const StraightRow& row);
void AimedFire(const AimedRow& row);
void AimedMove(const AimedRow& row);
void AimedDraw(const AimedRow& row);

// Defines stem##Fire, stem##Move and stem##Draw over the row.
#define BULLET_FAMILY_(stem, Row, Engine, ...)                                      \
  constexpr Row stem##Row = __VA_ARGS__;                                            \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");    \
  void stem##Fire() { Engine##Fire(stem##Row); }                                    \
  void stem##Move() { Engine##Move(stem##Row); }                                    \
  void stem##Draw() { Engine##Draw(stem##Row); }

#define STRAIGHT_FAMILY(stem, ...) BULLET_FAMILY_(stem, StraightRow, Straight, __VA_ARGS__)
#define AIMED_FAMILY(stem, ...) BULLET_FAMILY_(stem, AimedRow, Aimed, __VA_ARGS__)
