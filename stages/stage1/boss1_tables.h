// The storage of the stage-1 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss1, 12, 1020.0f, 3)

extern BossEntry Boss1Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage1/boss1_tables.inc"
#undef TABLE

// Boss1Hit: raises the hit flag of Boss1State; nothing else.
// ResetBoss1LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss1Tables: Boss1State at its start values, then every table of
// the stage file in list order.
