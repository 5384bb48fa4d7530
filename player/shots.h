// The ship's shots: the ray salvo (200 rays that leave the ship in fours and
// curl outwards and up) and the two lasers, each a set of 39 segments (a
// centre stream and two side streams once the power-up has been taken).
#pragma once
#include <cstdint>

struct ShipRay {
  int32_t x;
  int32_t y;
  float age;  // curl clock, +20 per second; picks the step of the curl
  uint32_t active;
};

struct LaserSegment {
  int32_t x;
  int32_t y;
  int32_t dx;  // sideways step per frame of the side segments
  int32_t dy;  // upward step per frame
  uint32_t active;
};

constexpr int32_t ShipRayCount = 200;
constexpr int32_t LaserSegmentCount = 39;
constexpr int32_t SpareSegmentCount = 120;

// Slots 0-49 curl left on the long path, 50-99 right on the long path,
// 100-149 left on the short path, 150-199 right on the short path.
extern ShipRay ShipRays[ShipRayCount];
// Slots 0-12 centre, 13-25 drifting left, 26-38 drifting right.
extern LaserSegment LaserASegments[LaserSegmentCount];
extern LaserSegment LaserBSegments[LaserSegmentCount];
// Tables of the segment layout that only the reset touches.
extern LaserSegment SpareSegments1[SpareSegmentCount];
extern LaserSegment SpareSegments2[SpareSegmentCount];
extern LaserSegment SpareSegments3[SpareSegmentCount];
extern LaserSegment SpareSegments4[SpareSegmentCount];
extern LaserSegment SpareSegments5[SpareSegmentCount];

// One salvo frame; the scenes run it after the present while BombSalvoActive.
void ShipRaySchedule();
// Puts a ray into each of the four slots that is free.
void ShipRayEmit(int32_t a, int32_t b, int32_t c, int32_t d);
// One laser frame while its key is held.
void PlayerLaserASchedule();
void PlayerLaserBSchedule();
// One group of segments into the free slots among the three.
void PlayerLaserAEmit(int32_t centre, int32_t left, int32_t right);
void PlayerLaserBEmit(int32_t centre, int32_t left, int32_t right);
// Rays, laser A and laser B with their muzzle flashes, before the present.
void PlayerShotsDraw();

// The movement of one active shot (whole pixels per frame; rays also age by
// the frame time), which frees it once it has left the top.  The shot hit
// pass moves each shot this way right before testing it.
void ShipRayMove(int32_t slot);
void LaserASegmentMove(int32_t slot);
void LaserBSegmentMove(int32_t slot);
// Moves every active shot (laser B, laser A, then the rays) without testing
// anything against them.
void PlayerShotsMove();

// The step (dx, dy) of a ray of the slot at the age; (0, 0) in the gaps
// between two windows of its path.
void ShipRayStep(int32_t slot, float age, int32_t* dx, int32_t* dy);

// Object-table resets: rays and segments freed and parked at (-500, 500)
// (the spare tables at (0, 0)); ray ages 0; segment steps kept.
void ResetShipRays();
void ResetLaserASegments();
void ResetLaserBSegments();
void ResetSpareSegments1();
void ResetSpareSegments2();
void ResetSpareSegments3();
void ResetSpareSegments4();
void ResetSpareSegments5();
