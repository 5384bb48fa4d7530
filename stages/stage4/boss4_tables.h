// The storage of the stage-4 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss4, 6, 800.0f, 3)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage4/boss4_tables.inc"
#undef TABLE

// Boss4Hit: raises the hit flag of Boss4State; nothing else.
// ResetBoss4LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss4Tables: Boss4State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss4Facts{
    .name = "Boss4",
    .state = &Boss4State,
    .hit = Boss4Hit,
    .resetLockPoints = ResetBoss4LockPoints,
    .resetTables = ResetBoss4Tables,
    .shots = {.box = {.laserB = {80, 300}, .laserA = {80, 300}, .ray = {80, 340}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss4LockPoints,
             .boxRight = 340,
             .boxBottom = 340,
             .gateY = -10.0f,
             .offsets = {{190, 180}, {20, 140}, {360, 140}}},
    .missileA = {.missiles = Table(HomingMissileBoss4ASlots),
                 .launchX = -40.0f,
                 .drift = LaunchDrift::Left,
                 .keepsLaunchVector = true,
                 .rate = 150.0f,
                 .look = {ShowsBeam, ShowsSprite}},
    .missileB = {.missiles = Table(HomingMissileBoss4BSlots),
                 .launchX = 40.0f,
                 .drift = LaunchDrift::Right,
                 .rate = 150.0f,
                 .look = {ShowsNothing, ShowsSprite}},
};
