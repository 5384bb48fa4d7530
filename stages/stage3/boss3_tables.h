// The storage of the stage-3 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss3, 0, 600.0f, 3)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage3/boss3_tables.inc"
#undef TABLE

// Boss3Hit: raises the hit flag of Boss3State; nothing else.
// ResetBoss3LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss3Tables: Boss3State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss3Facts{
    .name = "Boss3",
    .state = &Boss3State,
    .hit = Boss3Hit,
    .resetLockPoints = ResetBoss3LockPoints,
    .resetTables = ResetBoss3Tables,
    .shots = {.box = {.laserB = {80, 300}, .laserA = {80, 300}, .ray = {80, 340}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss3LockPoints,
             .boxRight = 400,
             .boxBottom = 340,
             .gateY = -10.0f,
             .offsets = {{190, 160}, {120, 120}, {260, 120}}},
    .missileA = {.missiles = Table(HomingMissileBoss3ASlots),
                 .launchX = -40.0f,
                 .drift = LaunchDrift::Left,
                 .keepsLaunchVector = true,
                 .rate = 150.0f,
                 .look = {ShowsSpriteThenBeam, ShowsNothing}},
    .missileB = {.missiles = Table(HomingMissileBoss3BSlots),
                 .launchX = 40.0f,
                 .drift = LaunchDrift::Left,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsNothing}},
};
