// What the bosses' bodies share: the bands of the move timer that script a
// boss's flight, the entry picture that rises over the playfield before a
// boss comes in, and the draw of the boss picture with its damage flames and
// lock marks.
#pragma once
#include <cstdint>
#include <span>

#include "el/system/elSystem.h"
#include "stages/boss_records.h"
#include "stages/common/lock_marks.h"

// ---- movement ----

// A band of a boss's move timer and what the boss does while the timer lies
// in it (each bound strict or inclusive).
struct MoveBand {
  float lo, hi;
  bool loInclusive, hiInclusive;
  void (*action)();
  constexpr bool Holds(float t) const {
    return (loInclusive ? lo <= t : lo < t) && (hiInclusive ? t <= hi : t < hi);
  }
};

// Upper bound of a band that runs on for good.
constexpr float NoBandEnd = 3.0e38f;

// One frame of a movement script: the move timer += 10 x FrameTime, then
// every band that holds the timer, in table order; each test reads the timer
// afresh, so a band that sets the timer back is seen by the bands after it,
// and at a shared bound both bands act.  Between the bands nothing moves.
void RunMoveBands(BossState& boss, std::span<const MoveBand> bands);

// Band actions on one boss record: placed at (X, Y); moving by (VX, VY)
// px/s; the move timer set to T.
template <BossState& B, int X, int Y>
void PlaceAt() {
  B.x = static_cast<float>(X);
  B.y = static_cast<float>(Y);
}
template <BossState& B, int VX, int VY>
void Drift() {
  if constexpr (VX != 0) B.x += static_cast<float>(VX) * FrameTime;
  if constexpr (VY != 0) B.y += static_cast<float>(VY) * FrameTime;
}
template <BossState& B, int T>
void SetMoveTimer() {
  B.moveTimer = static_cast<float>(T);
}

// ---- entry picture ----

// The entry picture's flight: drawn at its whole position, it waits below
// the screen, then rises in its column and is parked once above y -480.
struct EntryFlight {
  BossEntry* entry;
  const int32_t* image;  // the whole picture, w x h, keyed
  int32_t w, h;
  float x;      // its column
  float speed;  // px/s upward
};
// Drawn where it was left (still parked on the first frame), then placed at
// the lower edge of the screen with its speed.
void EntryWaits(const EntryFlight& flight);
// Drawn, then rises; once above y -480 it is parked with speed 0.
void EntryRises(const EntryFlight& flight);

// ---- picture and damage flames ----

// Two damage flames (80 x 80 cells of a strip of ten) from 90 hit points
// down and two more from 70 down, at the boss's whole position plus their
// offset and `step` px lower per flame frame.  A boss may show another
// number of flames (up to three a group, drawn in order) from other hit
// points down.
struct FlamePoint {
  int32_t dx, dy;
};
constexpr int32_t MaxFlamesInGroup = 3;
struct FlamePair {
  FlamePoint at[MaxFlamesInGroup];
  int32_t step = 28;
  int32_t count = 2;  // of `at`
};
struct BossFlames {
  const int32_t* image;
  FlamePair first;   // 0 < HP <= firstFrom
  FlamePair second;  // 0 < HP <= secondFrom
  float firstFrom = 90.0f;
  float secondFrom = 70.0f;
  const int32_t* secondImage = nullptr;  // the second pair's picture; nullptr: `image`
};

// Which lock arrays show their marks (both are placed and locked alike).
enum class LockMarksShown : uint8_t { BothArrays, ArrayA, ArrayB };

// A boss's picture: the w x h top-left part of the picture `*image`, keyed.
struct BossBody {
  BossState* state;
  const int32_t* image;
  int32_t w, h;
  bool redrawOnHit;  // a hit draws the picture once more (no flash either way)
  BossFlames flames;
  bool marksHitShown = true;    // taking the hit flag sets hit-shown
  bool countsFlameLoops = true;  // the flame frame's wraps are counted
  LockMarksShown marks = LockMarksShown::BothArrays;
};

// The picture at the boss's whole position; the hit flag taken; the flames
// the hit points call for (first group, then second), then the flame frame advanced (every call,
// whatever the hit points): past 9 it goes back to 0 and, where the body
// counts them, the loop counter counts, itself back to 0 past 4.
void DrawBossPicture(const BossBody& body);

// The whole draw of a boss: picture and flames, the marks of its locked lock
// points (every record of both arrays, or of the one array the body names),
// then its defeat (which does nothing while the hit points are above 0).
template <int32_t N>
void DrawBoss(const BossBody& body, const BossLockPoints<N>& points, void (*defeat)()) {
  DrawBossPicture(body);
  switch (body.marks) {
    case LockMarksShown::BothArrays: DrawLockMarks(points); break;
    case LockMarksShown::ArrayA: for (const LockOnTarget& p : points.A) DrawLockMark(p); break;
    case LockMarksShown::ArrayB: for (const LockOnTarget& p : points.B) DrawLockMark(p); break;
  }
  defeat();
}
