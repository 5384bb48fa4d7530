// The stage-6 boss's storage and its resets.
#include "stages/stage6/boss6_tables.h"

DEFINE_BOSS(Boss6)

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage6/boss6_tables.inc"
#undef TABLE

void ResetBoss6Tables() {
  ResetBossState(Boss6State, Boss6StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage6/boss6_tables.inc"
#undef TABLE
}
