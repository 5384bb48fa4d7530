// The stage files' resets in catalogue order.
#include "stages/stage_resets.h"

#include "stages/boss_catalogue.h"

void ResetBossLockPoints() {
  for (const BossFacts* boss : BossCatalogue) boss->resetLockPoints();
}

void ResetStageTables() {
  ResetRecord(Boss1Entry, Plain);
  ResetRecord(SpareEntry, Plain);
  ResetRecord(Boss5Entry, Plain);
  ResetRecord(Boss2Entry, Plain);
  for (const BossFacts* boss : BossCatalogue) boss->resetTables();
}
