// The storage of the stage-3 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss3, 0, 600.0f, 3)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage3/boss3_tables.inc"
#undef TABLE

// Boss3Hit: raises the hit flag of Boss3State; nothing else.
// ResetBoss3LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss3Tables: Boss3State at its start values, then every table of
// the stage file in list order.
