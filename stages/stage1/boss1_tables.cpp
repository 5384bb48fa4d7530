// The stage-1 boss's storage and its resets.
#include "stages/stage1/boss1_tables.h"

DEFINE_BOSS(Boss1)

BossEntry Boss1Entry;

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage1/boss1_tables.inc"
#undef TABLE

void ResetBoss1Tables() {
  ResetBossState(Boss1State, Boss1StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage1/boss1_tables.inc"
#undef TABLE
}
