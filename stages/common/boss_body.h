// What the bosses' bodies share: the bands of the move timer, the entry
// picture that rises over the playfield before the boss comes in, and the
// boss's picture with its damage flames.
#pragma once
#include <cstdint>
#include <span>

#include "stages/boss_records.h"

// A band of a boss's move timer: its action runs on every frame whose timer
// lies inside it.
struct MoveBand {
  float lo, hi;
  bool loInclusive, hiInclusive;
  void (*action)();
  constexpr bool Holds(float t) const {
    return (loInclusive ? lo <= t : lo < t) && (hiInclusive ? t <= hi : t < hi);
  }
};

// The upper bound of a band that never ends.
constexpr float NoBandEnd = 3.0e38f;

// Every band whose test holds, in order, each tested on the timer as it
// stands then (a band that sets the timer back is seen by the bands after
// it).  Between the bands nothing moves.
void RunMoveBands(std::span<const MoveBand> bands, const BossState& boss);

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

// The boss's picture and the start points of its damage flames (ZBAK3B
// cell f, 28 px per flame frame further down).
struct FlamePoint {
  int32_t dx, dy;
};
struct BossLook {
  const int32_t* image;  // keyed, w x h from (0, 0)
  int32_t w, h;
  FlamePoint first[2];   // while 0 < HP <= 90
  FlamePoint second[2];  // while 0 < HP <= 70
};
// The picture at the boss's whole position (a hit is taken and shows no
// flash), the damage flames, then the flame frame advanced (0..9, its loop
// 0..4).
void DrawBossBody(BossState& boss, const BossLook& look);
