// The stage-5 boss's storage and its resets.
#include "stages/stage5/boss5_tables.h"

DEFINE_BOSS(Boss5)

BossEntry Boss5Entry;

#define TABLE(name, Type, count, rule) Type name[count];
#include "stages/stage5/boss5_tables.inc"
#undef TABLE

void ResetBoss5Tables() {
  ResetBossState(Boss5State, Boss5StartHitPoints);
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "stages/stage5/boss5_tables.inc"
#undef TABLE
}
