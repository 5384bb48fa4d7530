// The stage-7 boss's storage and its resets.
#include "stages/stage7/boss7_tables.h"

DEFINE_BOSS(Boss7)

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage7/boss7_tables.inc"
#undef TABLE

void ResetBoss7Tables() {
  ResetBossState(Boss7State, Boss7StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage7/boss7_tables.inc"
#undef TABLE
}
