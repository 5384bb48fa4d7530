// What the bosses' bodies share: the bands of the move timer that script a
// boss's flight, and the damage flames over the boss picture.
#pragma once
#include <cstdint>
#include <span>

#include "stages/boss_records.h"

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

// Draws the flames the hit points call for at (x, y), then advances the
// flame frame (every call, whatever the hit points): past 9 it goes back to
// 0 and the loop counter counts, itself back to 0 past 4.
void DrawBossFlames(BossState& boss, const BossFlames& flames, int32_t x, int32_t y);
