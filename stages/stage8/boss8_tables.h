// The storage of the stage-8 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss8, 0, 1220.0f, 5)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage8/boss8_tables.inc"
#undef TABLE

// Boss8Hit: raises the hit flag of Boss8State; nothing else.
// ResetBoss8LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss8Tables: Boss8State at its start values, then every table of
// the stage file in list order.
