// The storage of the stage-8 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss8, 0, 1220.0f, 5)

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage8/boss8_tables.inc"
#undef TABLE

// Boss8Hit: raises the hit flag of Boss8State; nothing else.
// ResetBoss8LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss8Tables: Boss8State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss8Facts{
    .name = "Boss8",
    .state = &Boss8State,
    .hit = Boss8Hit,
    .resetLockPoints = ResetBoss8LockPoints,
    .resetTables = ResetBoss8Tables,
    .shots = {.box = {.laserB = {50, 370}, .laserA = {50, 370}, .ray = {50, 410}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss8LockPoints,
             .boxRight = 440,
             .boxBottom = 340,
             .gateY = 0.0f,
             .offsets = {{220, 100}, {150, 150}, {290, 150}, {80, 70}, {360, 70}}},
    .missileA = {.missiles = Table(HomingMissileBoss8ASlots),
                 .launchX = -40.0f,
                 .rate = 150.0f,
                 .look = {ShowsBeam, ShowsBeam}},
    .missileB = {.missiles = Table(HomingMissileBoss8BSlots),
                 .launchX = 40.0f,
                 .rate = 150.0f,
                 .look = {ShowsNothing, ShowsNothing}},
};
