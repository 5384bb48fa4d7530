// The records the bosses of every stage share: the boss's running state, its
// lock points, its bullets of the spirals and streams, the explosions of its
// defeat and its entry picture, with the start state the resets give them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "enemies/record_resets.h"
#include "enemies/records.h"

// ---- BossState ----

// Room for the per-pattern tick counters of the boss with the most patterns;
// each boss uses the first BossNPatternTickCount of them.
constexpr int32_t BossPatternTickRoom = 18;

struct BossState {
  int32_t flameLoop;   // wraps of the damage-flame frame, back to 0 after 4
  int32_t flameFrame;  // damage-flame frame 0..9
  int32_t attackTick;  // frame counter of the attack timeline
  int32_t patternTicks[BossPatternTickRoom];  // one per scheduled pattern
  float x;  // top-left of the boss picture
  float y;
  float reserved[2];
  float moveTimer;    // script clock of the boss's movement, +10 per second
  float hitPoints;    // the defeat sequence runs while 0 or less
  float defeatTimer;  // clock of the defeat sequence
  uint32_t hitDisabled;  // the hit passes and the lock test skip the boss while set
  uint32_t hitShown;     // set by the draw when it takes the hit flag
  uint32_t hit;          // raised by the boss's hit setter, cleared by its draw
};

// Start state: parked at (-500, 2550) with the start hit points, every clock,
// counter and flag 0; under KeepHit the hit flag and hit-shown are carried
// over (the stage-2 and stage-3 bosses: the boss's next draw clears the flag).
void ResetBossState(BossState& boss, float start_hit_points, const ResetRule& rule = Plain);

// The two lock-point arrays of a boss, A and B; point i of A is the aim of
// missile i of family A, and likewise for B.
template <int32_t N>
struct BossLockPoints {
  LockOnTarget A[N];
  LockOnTarget B[N];
};

template <int32_t N>
void ResetBossLockPointArrays(BossLockPoints<N>& points) {
  ResetTable(points.A, Plain);
  ResetTable(points.B, Plain);
}

// ---- bullet and effect records of the bosses ----

// One bullet of a spiral, ring or fan pool.
struct SpiralShot {
  int32_t animFrame;
  int32_t tick;       // the record's own tick (fan families)
  int32_t drawAngle;  // whole degrees, for the pools drawn rotated
  int32_t spare0;
  float x;
  float y;
  float dx;  // fans: aim vector and launch point
  float dy;
  float x0;
  float y0;
  float spare1;
  float spare2;
  float heading;  // radians
  float speed;
  float spare3;
  uint32_t active;
};

// A small bullet of a curving stream: whole-pixel position, path age.
struct CurveShot {
  int32_t x;
  int32_t y;
  int32_t aux;
  int32_t size;
  float age;  // path units, grows with the frame time
  uint32_t active;
};

// One explosion of a defeat sequence.
struct DefeatExplosion {
  int32_t frame;  // cell: 0..3 big, 0..9 small
  int32_t spare0;
  float x;
  float y;
  int32_t spare1;
  int32_t spare2;
};

// The beam of a boss laser (one record per laser).
struct LaserBeam {
  int32_t frame;
  float x;
  float y;
  uint32_t active;
};

// A boss's entry picture.
struct BossEntry {
  float x;
  float y;
  float spare0;
  float speed;  // px/s
  float spare1;
  float spare2;
  float spare3;
};

// The records of the fragment tables that only the reset touches.
struct SpareFragment {
  int32_t frame;
  float dx;  // Random() % 100 - 50
  float dy;  // Random() % 30 + 20
  int32_t spare[3];
};

// One bullet of the stage-7 ring pool.
struct RingPoolShot {
  int32_t animFrame;
  int32_t tick;
  float x;
  float y;
  float spare1;
  float spare2;
  float spare3;
  float dx;
  float dy;
  float x0;
  float y0;
  float heading;
  float speed;
  uint32_t active;
};

// First field by the rule, parked, heading by the rule, the rest 0.
void ResetRecord(SpiralShot& r, const ResetRule& rule);
void ResetRecord(RingPoolShot& r, const ResetRule& rule);
void ResetRecord(LaserBeam& r, const ResetRule& rule);
// Parked at (-500, 500), age 0, free; the auxiliary and size fields kept.
void ResetRecord(CurveShot& r, const ResetRule& rule);
// Frame 0, parked; the other fields kept.
void ResetRecord(DefeatExplosion& r, const ResetRule& rule);
// Parked, the other fields 0.
void ResetRecord(BossEntry& r, const ResetRule& rule);
// Frame by the rule, then the two random offsets; the rest 0.
void ResetRecord(SpareFragment& r, const ResetRule& rule);

// The entry picture that no boss uses; only the reset writes it.
extern BossEntry SpareEntry;

// ---- the storage of one stage file ----
//
// DECLARE_BOSS(Boss1, 12, 1020.0f, 3) declares the boss's record, lock
// points, hit setter and resets; DEFINE_BOSS(Boss1) defines the record, the
// lock points, the setter and the lock-point reset.  The stage file's tables
// come from its TABLE list.
#define DECLARE_BOSS(B, pattern_ticks, start_hit_points, lock_points) \
  constexpr int32_t B##PatternTickCount = pattern_ticks;               \
  constexpr float B##StartHitPoints = start_hit_points;                \
  constexpr int32_t B##LockPointCount = lock_points;                   \
  extern BossState B##State;                                           \
  extern BossLockPoints<lock_points> B##LockPoints;                    \
  void B##Hit();                                                       \
  void Reset##B##LockPoints();                                         \
  void Reset##B##Tables();

#define DEFINE_BOSS(B)                                                     \
  BossState B##State;                                                      \
  BossLockPoints<B##LockPointCount> B##LockPoints;                         \
  void B##Hit() { B##State.hit = 1; }                                      \
  void Reset##B##LockPoints() { ResetBossLockPointArrays(B##LockPoints); }
