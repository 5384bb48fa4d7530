// The storage of the stage-2 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss2, 0, 1000.0f, 5)

extern BossEntry Boss2Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage2/boss2_tables.inc"
#undef TABLE

// Boss2Hit: raises the hit flag of Boss2State; nothing else.
// ResetBoss2LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss2Tables: Boss2State at its start values, then every table of
// the stage file in list order.
