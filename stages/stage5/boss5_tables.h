// The storage of the stage-5 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss5, 6, 1000.0f, 5)

extern BossEntry Boss5Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage5/boss5_tables.inc"
#undef TABLE

// Boss5Hit: raises the hit flag of Boss5State; nothing else.
// ResetBoss5LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss5Tables: Boss5State at its start values, then every table of
// the stage file in list order.
