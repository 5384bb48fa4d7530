// The stage-2 boss's storage and its resets.
#include "stages/stage2/boss2_tables.h"

DEFINE_BOSS(Boss2)

BossEntry Boss2Entry;

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage2/boss2_tables.inc"
#undef TABLE

void ResetBoss2Tables() {
  ResetBossState(Boss2State, Boss2StartHitPoints, KeepHit);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage2/boss2_tables.inc"
#undef TABLE
}
