// The stage files' part of the object-table resets.
#pragma once

// Pass A: both lock-point arrays of every boss in catalogue order (the
// stage files 1, 3, 7, 4, 5, 6, 2, 8), unlocked at (-500, 500).
void ResetBossLockPoints();
// Pass B: the four entry pictures, then stage file by stage file in
// catalogue order its boss's record at its start values and every table of it.
void ResetStageTables();
