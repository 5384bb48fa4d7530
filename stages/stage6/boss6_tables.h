// The storage of the stage-6 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
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

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss6Facts{
    .name = "Boss6",
    .state = &Boss6State,
    .hit = Boss6Hit,
    .resetLockPoints = ResetBoss6LockPoints,
    .resetTables = ResetBoss6Tables,
    .shots = {.box = {.laserB = {50, 330}, .laserA = {50, 330}, .ray = {50, 370}},
              .points = {.laserB = 250, .laserA = 50, .ray = 50},
              .bombRate = BossBombRateHeavy},
    .lock = {.points = Boss6LockPoints,
             .boxRight = 400,
             .boxBottom = 340,
             .gateY = 0.0f,
             .offsets = {{200, 170}, {110, 170}, {290, 170}, {30, 110}, {370, 110}, {120, 120},
                         {280, 120}, {80, 70}, {320, 70}}},
    .missileA = {.missiles = Table(HomingMissileBoss6ASlots),
                 .launchX = -40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsBeam}},
    .missileB = {.missiles = Table(HomingMissileBoss6BSlots),
                 .launchX = 40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsNothing}},
};
