// The stage-4 boss's storage and its resets.
#include "stages/stage4/boss4_tables.h"

DEFINE_BOSS(Boss4)

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage4/boss4_tables.inc"
#undef TABLE

void ResetBoss4Tables() {
  ResetBossState(Boss4State, Boss4StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage4/boss4_tables.inc"
#undef TABLE
}
