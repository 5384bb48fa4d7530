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
  ClearAndPark(r, rule);
  if (rule.keep & KeepAnimFrame) r.animFrame = anim;
}

void ResetRecord(SpinningEnemySlot& r, const ResetRule& rule) {
  const int32_t anim = r.animFrame;
  const int32_t explosion = r.explosionFrame;
  const int32_t angle = r.angle;
  ClearAndPark(r, rule);
  if (rule.keep & KeepAnimFrame) r.animFrame = anim;
  if (rule.keep & KeepExplosionFrame) r.explosionFrame = explosion;
  r.angle = angle;
}

void ResetRecord(WaveEnemySlot& r, const ResetRule& rule) {
  const int32_t angle = r.angle;
  const float clock = r.clock;
  const int32_t timer = r.waveTimer;
  ClearAndPark(r, rule);
  r.angle = angle;
  if (rule.keep & KeepClock) r.clock = clock;
  if (rule.keep & KeepWaveTimer) r.waveTimer = timer;
}

void ResetRecord(LargeEnemy& r, const ResetRule& rule) {
  const int32_t shot1 = r.shot1Tick;
  const int32_t shot2 = r.shot2Tick;
  ClearAndPark(r, rule);
  r.shot1Tick = shot1;
  r.shot2Tick = shot2;
}

void ResetRecord(Szak60Enemy& r, const ResetRule& rule) { ClearAndPark(r, rule); }

void ResetRecord(LockOnTarget& r, const ResetRule&) { r = {ParkXInt, ParkYInt, 0, 0}; }

void ResetRecord(StraightShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &StraightShot::animFrame);
}

void ResetRecord(AimedShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &AimedShot::animFrame, &AimedShot::angle);
}

void ResetRecord(PatternShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &PatternShot::animFrame, &PatternShot::angle);
}

void ResetRecord(SweepShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &SweepShot::animFrame, &SweepShot::angle);
}
