// The stage-8 boss's storage and its resets.
#include "stages/stage8/boss8_tables.h"

DEFINE_BOSS(Boss8)

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage8/boss8_tables.inc"
#undef TABLE

void ResetBoss8Tables() {
  ResetBossState(Boss8State, Boss8StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage8/boss8_tables.inc"
#undef TABLE
}
