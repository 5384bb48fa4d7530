// The storage of the stage-7 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss7, 18, 1500.0f, 5)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage7/boss7_tables.inc"
#undef TABLE

// The row families' tables under their pool names.
inline auto& Boss7Val20241EPool = Boss7Val20241ESlots;
inline auto& Boss7Val20241FPool = Boss7Val20241FSlots;
inline auto& Boss7Val20241GPool = Boss7Val20241GSlots;
inline auto& Boss7Vall20APool = Boss7Vall20ASlots;
inline auto& Boss7Vall20BPool = Boss7Vall20BSlots;

// Boss7Hit: raises the hit flag of Boss7State; nothing else.
// ResetBoss7LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss7Tables: Boss7State at its start values, then every table of
// the stage file in list order.
