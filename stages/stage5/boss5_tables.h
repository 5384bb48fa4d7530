// The storage of the stage-5 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss5, 6, 1000.0f, 5)

extern BossEntry Boss5Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage5/boss5_tables.inc"
#undef TABLE

// Boss5Hit: raises the hit flag of Boss5State; nothing else.
// ResetBoss5LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss5Tables: Boss5State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss5Facts{
    .name = "Boss5",
    .state = &Boss5State,
    .hit = Boss5Hit,
    .resetLockPoints = ResetBoss5LockPoints,
    .resetTables = ResetBoss5Tables,
    .shots = {.box = {.laserB = {50, 270}, .laserA = {50, 270}, .ray = {50, 310}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss5LockPoints,
             .boxRight = 340,
             .boxBottom = 340,
             .gateY = -10.0f,
             .offsets = {{160, 100}, {110, 40}, {210, 40}, {40, 110}, {280, 110}}},
    .missileA = {.missiles = Table(HomingMissileBoss5ASlots),
                 .launchX = -40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsBeam}},
    .missileB = {.missiles = Table(HomingMissileBoss5BSlots),
                 .launchX = 40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsNothing}},
};
