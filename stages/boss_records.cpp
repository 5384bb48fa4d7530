// Start states of the boss records.
#include "stages/boss_records.h"

#include "os/system.h"

BossEntry SpareEntry;

void ResetBossState(BossState& boss, float start_hit_points, const ResetRule& rule) {
  const uint32_t hit_shown = boss.hitShown;
  const uint32_t hit = boss.hit;
  ClearAndPark(boss, rule);
  boss.hitPoints = start_hit_points;
  if (rule.keep & KeepHitFlags) {
    boss.hitShown = hit_shown;
    boss.hit = hit;
  }
}

void ResetRecord(SpiralShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &SpiralShot::animFrame, &SpiralShot::heading);
}

void ResetRecord(RingPoolShot& r, const ResetRule& rule) {
  ResetShot(r, rule, &RingPoolShot::animFrame, &RingPoolShot::heading);
}

void ResetRecord(LaserBeam& r, const ResetRule& rule) { ResetShot(r, rule, &LaserBeam::frame); }

void ResetRecord(CurveShot& r, const ResetRule&) {
  r.x = ParkXInt;
  r.y = ParkYInt;
  r.age = 0.0f;
  r.active = 0;
}

void ResetRecord(DefeatExplosion& r, const ResetRule& rule) {
  r.frame = 0;
  ParkRecord(r, rule);
}

void ResetRecord(BossEntry& r, const ResetRule& rule) { ClearAndPark(r, rule); }

void ResetRecord(SpareFragment& r, const ResetRule& rule) {
  r = {};
  r.frame = DrawFirstField(rule.first);
  r.dx = static_cast<float>(os::Random() % 100 - 50);
  r.dy = static_cast<float>(os::Random() % 30 + 20);
}
