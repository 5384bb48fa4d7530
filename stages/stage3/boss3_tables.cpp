// The stage-3 boss's storage and its resets.
#include "stages/stage3/boss3_tables.h"

DEFINE_BOSS(Boss3)

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage3/boss3_tables.inc"
#undef TABLE

void ResetBoss3Tables() {
  ResetBossState(Boss3State, Boss3StartHitPoints, KeepHit);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage3/boss3_tables.inc"
#undef TABLE
}
