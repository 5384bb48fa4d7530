// The homing lasers: chains of small segments launched from the ship, one a
// frame, at the three slots of one enemy kind.  Each segment curls sideways
// and up along a fixed path, then flies at the slot's lock record while it
// is locked (straight on otherwise); the last segment of a chain that
// reaches the record hits the kind and scores.
//
// Four families, one per target kind: Szak6D and Szak13A curl left, Szak6E
// and Szak13B right.  Family tables hold 3 chains x 15 segments
// (HomingLaserSzak6DSlots ...); chain t flies at slot t.
#pragma once
#include <cstdint>

constexpr int32_t HomingLaserTargets = 3;
// The launch cycle of one target: segments 1 to 14 on counts 1 to 14, then
// a pause up to this count.
constexpr int32_t HomingLaserCycle = 140;
// The segment of a chain that hits.
constexpr int32_t HomingLaserLastSegment = 14;
// Points for the hit of a chain's last segment.
constexpr int32_t HomingLaserPoints = 300;

// Schedule: one call a frame; launches the chains at the active target slots.
// Emit(t, j): segment j of chain t onto the ship, unless it still flies.
// Move: moves, retires and hit-tests every segment.
// Draw: the flying segments (ship type 1 only), added onto the back buffer.
void HomingLaserSzak6DSchedule();
void HomingLaserSzak6DEmit(int32_t t, int32_t j);
void HomingLaserSzak6DMove();
void HomingLaserSzak6DDraw();

void HomingLaserSzak6ESchedule();
void HomingLaserSzak6EEmit(int32_t t, int32_t j);
void HomingLaserSzak6EMove();
void HomingLaserSzak6EDraw();

void HomingLaserSzak13ASchedule();
void HomingLaserSzak13AEmit(int32_t t, int32_t j);
void HomingLaserSzak13AMove();
void HomingLaserSzak13ADraw();

void HomingLaserSzak13BSchedule();
void HomingLaserSzak13BEmit(int32_t t, int32_t j);
void HomingLaserSzak13BMove();
void HomingLaserSzak13BDraw();

// The curl step (sx, sy) of a segment at path age `age`, before the side is
// applied; false for ages between the windows and past 45.
bool HomingLaserCurlStep(float age, int32_t* sx, int32_t* sy);
