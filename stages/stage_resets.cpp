// The stage files' resets in reset order.
#include "stages/stage_resets.h"

#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

void ResetBossLockPoints() {
  ResetBoss1LockPoints();
  ResetBoss3LockPoints();
  ResetBoss7LockPoints();
  ResetBoss4LockPoints();
  ResetBoss5LockPoints();
  ResetBoss6LockPoints();
  ResetBoss2LockPoints();
  ResetBoss8LockPoints();
}

void ResetStageTables() {
  ResetRecord(Boss1Entry, Plain);
  ResetRecord(SpareEntry, Plain);
  ResetRecord(Boss5Entry, Plain);
  ResetRecord(Boss2Entry, Plain);
  ResetBoss1Tables();
  ResetBoss3Tables();
  ResetBoss7Tables();
  ResetBoss4Tables();
  ResetBoss5Tables();
  ResetBoss6Tables();
  ResetBoss2Tables();
  ResetBoss8Tables();
}
