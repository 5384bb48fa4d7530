// The records of the enemy kinds and of every enemy bullet family: the slot
// layouts the kinds share, the lock-on record of a lockable slot, and the
// bullet records of the straight, aimed, volley and chain families.
//
// Every field is 32 bits.  Positions are the top-left corner of the picture
// in screen pixels, speeds pixels per second, angles radians unless a field
// says degrees.  A free record is parked off the playfield with active 0.
#pragma once
#include <cstdint>

// One small enemy.
struct EnemySlot {
  int32_t explosionLoop;   // completed passes through the explosion cells
  int32_t explosionFrame;  // current explosion cell
  int32_t animFrame;       // the kind's own animation frame
  float x;
  float y;
  float vx;
  float vy;
  uint32_t noHit;   // the hit passes skip the slot while non-zero
  uint32_t active;  // 1 while the enemy flies or explodes
  uint32_t hit;     // raised by the kind's hit setter
};

// A rotating small enemy.  The tables of Szak6D and Szak6E use the spare
// word; nothing reads it.
struct SpinningEnemySlot {
  int32_t explosionLoop;
  int32_t spare;
  int32_t explosionFrame;
  int32_t animFrame;
  int32_t angle;  // drawing angle, degrees
  float x;
  float y;
  float vx;
  float vy;
  uint32_t noHit;
  uint32_t active;
  uint32_t hit;
};

// One enemy of a five-slot wave kind.
struct WaveEnemySlot {
  int32_t explosionLoop;
  int32_t explosionFrame;
  int32_t waveTimer;  // the slot's own spawn timer
  int32_t aux;
  int32_t angle;  // rotation, degrees (rotating waves)
  float clock;    // script clock (scripted kinds)
  float x;
  float y;
  float vx;
  float vy;
  uint32_t noHit;
  uint32_t active;
  uint32_t hit;
};

// The one record of a scripted large kind.
struct LargeEnemy {
  int32_t explosionLoop;
  int32_t spare;
  int32_t explosionFrame;
  int32_t shot1Tick;  // family counters of the spiral sweeps (Szak53A, Szak53B)
  int32_t shot2Tick;
  float x;
  float y;
  float vx;
  float vy;
  float clock;  // script clock
  uint32_t noHit;
  uint32_t active;
  uint32_t hit;
};

// The record of Szak60 (and of the two spare large records of its shape).
// The hit passes count in hitFrames the frames in which a shot overlapped
// the kind; its spawn sets the count to 0.
struct Szak60Enemy {
  int32_t explosionLoop;
  int32_t spare;
  int32_t explosionFrame;
  int32_t tick;       // frames since spawn, drives the script
  int32_t hitFrames;  // overlapping frames since spawn
  float x;
  float y;
  float vx;
  float vy;
  uint32_t noHit;
  uint32_t active;
  uint32_t hit;
};

// The lock point of one lockable enemy slot (or boss lock point), in whole
// screen pixels: the top-left corner of the 60 x 60 sight mark.
struct LockOnTarget {
  int32_t x;
  int32_t y;
  uint32_t locked;  // 1 while the lock-on code holds a lock
  uint32_t spare;
};

// A bullet with a constant velocity.
struct StraightShot {
  int32_t animFrame;  // cell of an animated picture
  int32_t tick;       // per-record schedule counter of the scheduled families
  float x;
  float y;
  float vx;
  float vy;
  float spare;
  uint32_t active;
};

// A bullet aimed at the ship at launch.  The field order and the size stay
// as they are (the recorded runs' digests hash the tables byte by byte).
struct AimedShot {
  int32_t animFrame;
  int32_t tick;  // per-record schedule counter of the one scheduled aimed family
  float x;
  float y;
  float spare1;  // set by some guns at launch, read by none
  float spare2;
  float dx;  // target minus launch point, kept from the launch
  float dy;
  float x0;  // launch point
  float y0;
  float angle;  // direction of motion: 0 right, pi/2 down
  float speed;
  float pushDistance;  // how far a pushed line has been pushed (LinePush); 0 at launch
  int32_t spare4;
  uint32_t active;
};

// A bullet of a scheduled volley: each record keeps its own tick.  The
// families keep these fields in orders of their own; the record holds every
// field any of them uses.
struct PatternShot {
  int32_t animFrame;
  int32_t tick;
  float x;
  float y;
  float spare0;
  float spare1;
  float spare2;
  float dx;
  float dy;
  float x0;
  float y0;
  float angle;
  float speed;
  float vy;  // the falling families
  float spare3;
  uint32_t active;
};

// One bullet of a seven-bullet bending chain.
struct SweepShot {
  int32_t animFrame;  // started at a small random value by the reset; unread
  float x;
  float y;
  float spare0;
  float spare1;
  float spare2;
  float driftX;  // px/s
  float driftY;
  float angle;
  float speed;
  float spare3;
  float timer;  // bend timer, +20 per second
  float spare4;
  uint32_t active;
  uint32_t spare5;
  uint32_t spare6;
};
