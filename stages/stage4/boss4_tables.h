// The storage of the stage-4 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss4, 6, 800.0f, 3)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage4/boss4_tables.inc"
#undef TABLE

// Boss4Hit: raises the hit flag of Boss4State; nothing else.
// ResetBoss4LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss4Tables: Boss4State at its start values, then every table of
// the stage file in list order.
