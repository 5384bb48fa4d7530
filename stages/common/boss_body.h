// What the bosses' bodies share: the bands of the move timer that script a
// boss's flight, and the draw of the boss picture with its damage flames and
// lock marks.
#pragma once
#include <cstdint>
#include <span>

#include "stages/boss_records.h"
#include "stages/common/lock_marks.h"

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

// Every band that holds, in table order; each test reads the timer afresh,
// so a band that sets the timer back is seen by the bands after it.
void RunMoveBands(std::span<const MoveBand> bands, const float& timer);

// Two damage flames (80 x 80 cells of a strip of ten) from 90 hit points
// down and two more from 70 down, at the boss's whole position plus their
// offset and 28 px lower per flame frame.
struct FlamePoint {
  int32_t dx, dy;
};
struct BossFlames {
  const int32_t* image;
  FlamePoint first[2];   // 0 < HP <= 90
  FlamePoint second[2];  // 0 < HP <= 70
};

// A boss's picture: the w x h top-left part of the picture `*image`, keyed.
struct BossBody {
  BossState* state;
  const int32_t* image;
  int32_t w, h;
  bool redrawOnHit;  // a hit draws the picture once more (no flash either way)
  BossFlames flames;
};

// The picture at the boss's whole position; the hit flag taken (hit-shown
// set); the flames the hit points call for, then the flame frame advanced
// (every call, whatever the hit points): past 9 it goes back to 0 and the
// loop counter counts, itself back to 0 past 4.
void DrawBossPicture(const BossBody& body);

// The whole draw of a boss: picture and flames, the marks of its locked lock
// points (every record of both arrays), then its defeat (which does nothing
// while the hit points are above 0).
template <int32_t N>
void DrawBoss(const BossBody& body, const BossLockPoints<N>& points, void (*defeat)()) {
  DrawBossPicture(body);
  DrawLockMarks(points);
  defeat();
}
