// The storage of the stage-1 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
#include "stages/boss_records.h"

DECLARE_BOSS(Boss1, 12, 1020.0f, 3)

extern BossEntry Boss1Entry;  // the boss's entry picture

#define TABLE(name, Type, count, rule) extern Type name[count];
#include "stages/stage1/boss1_tables.inc"
#undef TABLE

// Boss1Hit: raises the hit flag of Boss1State; nothing else.
// ResetBoss1LockPoints: both lock arrays unlocked at (-500, 500).
// ResetBoss1Tables: Boss1State at its start values, then every table of
// the stage file in list order.

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss1Facts{
    .name = "Boss1",
    .state = &Boss1State,
    .hit = Boss1Hit,
    .resetLockPoints = ResetBoss1LockPoints,
    .resetTables = ResetBoss1Tables,
    .shots = {.box = {.laserB = {80, 300}, .laserA = {80, 300}, .ray = {80, 340}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss1LockPoints,
             .boxRight = 400,
             .boxBottom = 320,
             .gateY = -10.0f,
             .placesOwnPointOnly = true,
             .offsets = {{190, 150}, {190, 150}, {190, 150}}},
    .missileA = {.missiles = Table(HomingMissileBoss1ASlots),
                 .launchX = -5.0f,
                 .drift = LaunchDrift::Left,
                 .keepsLaunchVector = true,
                 .rate = 100.0f,
                 .look = {ShowsSpriteThenBeam, ShowsNothing}},
    .missileB = {.missiles = Table(HomingMissileBoss1BSlots),
                 .launchX = 5.0f,
                 .drift = LaunchDrift::Right,
                 .rate = 100.0f,
                 .look = {ShowsSprite, ShowsNothing}},
};
