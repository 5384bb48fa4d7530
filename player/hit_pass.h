// The hit passes: the player's shots (and the bomb's fragments) against every
// enemy kind and boss, and the one score rule.
#pragma once
#include <cstdint>

// Which pass tests a shot: it picks the box column, the points and what a
// boss hit does (laser segments are freed by a boss; rays and fragments are
// not).  The bomb uses the boxes and points of laser A.
enum class ShotPass : int32_t { LaserB, LaserA, Ray, Bomb };

// Hit points a boss loses per second of overlap.
constexpr float BossLaserRate = 100.0f;
constexpr float BossRayRate = 3.0f;

// The overlapping frames after which a shot counts on Szak60.
constexpr int32_t Szak60HitFrames = 25;

// The score rule: points count only in game modes 1 and 2 with sub-mode 0 or
// 1; the score never passes 999999999 and the high score follows it.
constexpr int32_t ScoreCap = 999999999;
void AddScore(int32_t points);

// Once per frame after the present: the power-up pick-up, then every active
// laser-B segment, laser-A segment and ray moved and tested in turn.
void CheckShotHits();

// Tests one shot at (sx, sy) against every target in the table order,
// calling the hit setters and scoring.  `active` is the laser segment's
// active word, cleared when it hits a boss (nullptr in the other passes).
void TestShotHits(ShotPass pass, int32_t sx, int32_t sy, uint32_t* active);
