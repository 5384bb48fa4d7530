// The start state that the object-table resets give each record: where a
// free record is parked, what its first field starts at (0 or a small random
// value), and the heading of the records that have one.  Every record type
// has one ResetRecord overload; ResetTable walks a table record by record,
// so the random draws come one per record in table order.
#pragma once
#include <cstddef>
#include <cstdint>

#include "el/system/angles.h"
#include "enemies/records.h"

// Parking places of free records.
constexpr float ParkX = -500.0f;
constexpr float ParkY = 2550.0f;      // float-position records
constexpr float ParkYAbove = -500.0f; // the wave kinds, Szak9 and Szak12
constexpr int32_t ParkXInt = -500;    // integer-position records
constexpr int32_t ParkYInt = 500;

// The heading the reset gives a record: -3 degrees, or the narrow -3/580 of
// a half-turn of five ring tables.
constexpr float ResetHeading = static_cast<float>(-3.0 * Pi / 180.0);
constexpr float ResetHeadingNarrow = static_cast<float>(-3.0 * Pi / 580.0);

enum class FirstField : uint8_t {
  Zero,    // 0
  Rand10,  // Random() % 10
  Rand7,   // Random() % 7
};
enum class Heading : uint8_t {
  Deg3,    // ResetHeading
  Narrow,  // ResetHeadingNarrow
  Keep,    // left as it is
};

// Fields a table's reset leaves as they are (besides those its type keeps).
enum : uint32_t {
  KeepAnimFrame = 1u << 0,  // the animation frame of an enemy slot
  KeepClock = 1u << 1,      // the script clock of a wave slot
  KeepWaveTimer = 1u << 2,  // the wave timer of a wave slot
  KeepExplosionFrame = 1u << 3,  // the explosion cell of a spinning slot
  KeepHitFlags = 1u << 4,        // the hit flag and hit-shown of a boss record
};

struct ResetRule {
  FirstField first = FirstField::Zero;
  float parkY = ParkY;
  Heading heading = Heading::Deg3;
  uint32_t keep = 0;
};

// The rules the tables use.
constexpr ResetRule Plain{};
constexpr ResetRule R10{FirstField::Rand10};
constexpr ResetRule R7{FirstField::Rand7};
constexpr ResetRule R10Narrow{FirstField::Rand10, ParkY, Heading::Narrow};
constexpr ResetRule R7Narrow{FirstField::Rand7, ParkY, Heading::Narrow};
constexpr ResetRule R10NoHeading{FirstField::Rand10, ParkY, Heading::Keep};
constexpr ResetRule PlainNoHeading{FirstField::Zero, ParkY, Heading::Keep};
constexpr ResetRule KeepAnim{FirstField::Zero, ParkY, Heading::Deg3, KeepAnimFrame};
constexpr ResetRule KeepAnimExplosion{FirstField::Zero, ParkY, Heading::Deg3,
                                      KeepAnimFrame | KeepExplosionFrame};
constexpr ResetRule KeepHit{FirstField::Zero, ParkY, Heading::Deg3, KeepHitFlags};
constexpr ResetRule Above{FirstField::Zero, ParkYAbove};
constexpr ResetRule AboveKeepAnim{FirstField::Zero, ParkYAbove, Heading::Deg3, KeepAnimFrame};
constexpr ResetRule BelowKeepClock{FirstField::Zero, ParkY, Heading::Deg3, KeepClock};
constexpr ResetRule BelowKeepClockTimer{FirstField::Zero, ParkY, Heading::Deg3,
                                        KeepClock | KeepWaveTimer};

// 0, Random() % 10 or Random() % 7: one draw for a random rule.
int32_t DrawFirstField(FirstField first);
// The heading after the reset of a record whose heading is `current`.
float ResetHeadingValue(Heading heading, float current);

// ---- the steps the ResetRecord overloads are made of ----

// Puts a record at the rule's parking place, (ParkX, rule.parkY).
template <typename R>
void ParkRecord(R& r, const ResetRule& rule) {
  r.x = ParkX;
  r.y = rule.parkY;
}

// Every field 0 but the parked position.
template <typename R>
void ClearAndPark(R& r, const ResetRule& rule) {
  r = {};
  ParkRecord(r, rule);
}

// A bullet: every field 0 but the parked position and the first field, which
// takes the rule's draw.
template <typename Shot>
void ResetShot(Shot& r, const ResetRule& rule, int32_t Shot::*first) {
  ClearAndPark(r, rule);
  r.*first = DrawFirstField(rule.first);
}

// A bullet with a heading: as above, and the heading by the rule.
template <typename Shot>
void ResetShot(Shot& r, const ResetRule& rule, int32_t Shot::*first, float Shot::*heading) {
  const float reset_heading = ResetHeadingValue(rule.heading, r.*heading);
  ResetShot(r, rule, first);
  r.*heading = reset_heading;
}

// Enemy slots keep their angle where they have one and, as the rule says,
// their animation frame, script clock and wave timer; a large kind keeps its
// two spiral counters.  Everything not kept is 0 but the parked position.
void ResetRecord(EnemySlot& r, const ResetRule& rule);
void ResetRecord(SpinningEnemySlot& r, const ResetRule& rule);
void ResetRecord(WaveEnemySlot& r, const ResetRule& rule);
void ResetRecord(LargeEnemy& r, const ResetRule& rule);
void ResetRecord(Szak60Enemy& r, const ResetRule& rule);
// Unlocked at (-500, 500) whatever the rule.
void ResetRecord(LockOnTarget& r, const ResetRule& rule);
// Bullets: first field by the rule, parked, the heading (where there is one)
// by the rule, the rest 0.
void ResetRecord(StraightShot& r, const ResetRule& rule);
void ResetRecord(AimedShot& r, const ResetRule& rule);
void ResetRecord(PatternShot& r, const ResetRule& rule);
void ResetRecord(SweepShot& r, const ResetRule& rule);

template <typename T, size_t N>
void ResetTable(T (&table)[N], const ResetRule& rule) {
  // The table's lines asked for ahead of the writes: at a scene change the
  // tables have long gone cold, and a record at a time waits on each line.
  const char* bytes = reinterpret_cast<const char*>(table);
  for (size_t at = 0; at < sizeof table; at += 64) __builtin_prefetch(bytes + at, 1);
  for (T& record : table) ResetRecord(record, rule);
}
