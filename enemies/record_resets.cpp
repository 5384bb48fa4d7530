// Start states of the enemy and bullet records.
#include "enemies/record_resets.h"

#include "os/system.h"

int32_t DrawFirstField(FirstField first) {
  switch (first) {
    case FirstField::Rand10: return os::Random() % 10;
    case FirstField::Rand7: return os::Random() % 7;
    case FirstField::Zero: break;
  }
  return 0;
}

float ResetHeadingValue(Heading heading, float current) {
  switch (heading) {
    case Heading::Deg3: return ResetHeading;
    case Heading::Narrow: return ResetHeadingNarrow;
    case Heading::Keep: break;
  }
  return current;
}

void ResetRecord(EnemySlot& r, const ResetRule& rule) {
  const int32_t anim = r.animFrame;
  r = {};
  if (rule.keep & KeepAnimFrame) r.animFrame = anim;
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(SpinningEnemySlot& r, const ResetRule& rule) {
  const int32_t anim = r.animFrame;
  const int32_t angle = r.angle;
  r = {};
  if (rule.keep & KeepAnimFrame) r.animFrame = anim;
  r.angle = angle;
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(WaveEnemySlot& r, const ResetRule& rule) {
  const int32_t angle = r.angle;
  const float clock = r.clock;
  const int32_t timer = r.waveTimer;
  r = {};
  r.angle = angle;
  if (rule.keep & KeepClock) r.clock = clock;
  if (rule.keep & KeepWaveTimer) r.waveTimer = timer;
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(LargeEnemy& r, const ResetRule& rule) {
  const int32_t shot1 = r.shot1Tick;
  const int32_t shot2 = r.shot2Tick;
  r = {};
  r.shot1Tick = shot1;
  r.shot2Tick = shot2;
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(Szak60Enemy& r, const ResetRule& rule) {
  r = {};
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(LockOnTarget& r, const ResetRule&) { r = {ParkXInt, ParkYInt, 0, 0}; }

void ResetRecord(StraightShot& r, const ResetRule& rule) {
  r = {};
  r.animFrame = DrawFirstField(rule.first);
  r.x = ParkX;
  r.y = rule.parkY;
}

void ResetRecord(AimedShot& r, const ResetRule& rule) {
  const float angle = ResetHeadingValue(rule.heading, r.angle);
  r = {};
  r.animFrame = DrawFirstField(rule.first);
  r.x = ParkX;
  r.y = rule.parkY;
  r.angle = angle;
}

void ResetRecord(PatternShot& r, const ResetRule& rule) {
  const float angle = ResetHeadingValue(rule.heading, r.angle);
  r = {};
  r.animFrame = DrawFirstField(rule.first);
  r.x = ParkX;
  r.y = rule.parkY;
  r.angle = angle;
}

void ResetRecord(SweepShot& r, const ResetRule& rule) {
  const float angle = ResetHeadingValue(rule.heading, r.angle);
  r = {};
  r.animFrame = DrawFirstField(rule.first);
  r.x = ParkX;
  r.y = rule.parkY;
  r.angle = angle;
}
