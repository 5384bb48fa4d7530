// The storage of the stage-2 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss2, 0, 1000.0f, 5)

extern BossEntry Boss2Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage2/boss2_tables.inc"
#undef TABLE

// Boss2Hit: raises the hit flag of Boss2State; nothing else.
// ResetBoss2LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss2Tables: Boss2State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss2Facts{
    .name = "Boss2",
    .state = &Boss2State,
    .hit = Boss2Hit,
    .resetLockPoints = ResetBoss2LockPoints,
    .resetTables = ResetBoss2Tables,
    .shots = {.box = {.laserB = {50, 390}, .laserA = {50, 390}, .ray = {50, 430}},
              .points = {.laserB = 250, .laserA = 60, .ray = 60},
              .bombRate = BossBombRateHeavy},
    .lock = {.points = Boss2LockPoints,
             .boxRight = 460,
             .boxBottom = 340,
             .gateY = 0.0f,
             .offsets = {{220, 120}, {150, 230}, {290, 230}, {80, 90}, {360, 90}}},
    .missileA = {.missiles = Table(HomingMissileBoss2ASlots),
                 .launchX = -40.0f,
                 .drift = LaunchDrift::Left,
                 .keepsLaunchVector = true,
                 .rate = 150.0f,
                 .look = {ShowsBeam, ShowsNothing}},
    .missileB = {.missiles = Table(HomingMissileBoss2BSlots),
                 .launchX = 40.0f,
                 .drift = LaunchDrift::Right,
                 .rate = 150.0f,
                 .look = {ShowsNothing, ShowsNothing}},
};
