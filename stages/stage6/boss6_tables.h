// The storage of the stage-6 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file.
#pragma once
#include <cstdint>

#include "stages/boss_records.h"

DECLARE_BOSS(Boss6, 0, 1400.0f, 9)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage6/boss6_tables.inc"
#undef TABLE

// The row families' tables under their pool names.
inline auto& Boss6Val20241APool = Boss6Val20241ASlots;
inline auto& Boss6Val401APool = Boss6Val401ASlots;
inline auto& Boss6Val401BPool = Boss6Val401BSlots;
inline auto& Boss6Val401CPool = Boss6Val401CSlots;
inline auto& Boss6Val401DPool = Boss6Val401DSlots;
inline auto& Boss6Val20241BPool = Boss6Val20241BSlots;
inline auto& Boss6Val20241CPool = Boss6Val20241CSlots;

// Boss6Hit: raises the hit flag of Boss6State; nothing else.
// ResetBoss6LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss6Tables: Boss6State at its start values, then every table of
// the stage file in list order.
