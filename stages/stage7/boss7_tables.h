// The storage of the stage-7 boss: its record, lock points, bullet tables and
// defeat explosions, with its hit setter and the resets of the stage file,
// and the facts the player's weapons know of it.
#pragma once
#include <cstdint>

#include "stages/boss_facts.h"
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

// What the hit passes, the lock test and the homing missiles know of the boss.
inline constexpr BossFacts Boss7Facts{
    .name = "Boss7",
    .state = &Boss7State,
    .hit = Boss7Hit,
    .resetLockPoints = ResetBoss7LockPoints,
    .resetTables = ResetBoss7Tables,
    .shots = {.box = {.laserB = {80, 320}, .laserA = {80, 320}, .ray = {80, 360}},
              .points = {.laserB = 100, .laserA = 50, .ray = 50}},
    .lock = {.points = Boss7LockPoints,
             .boxRight = 420,
             .boxBottom = 340,
             .gateY = -10.0f,
             .offsets = {{200, 160}, {130, 90}, {270, 90}, {80, 110}, {320, 110}}},
    .missileA = {.missiles = Table(HomingMissileBoss7ASlots),
                 .launchX = -40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsBeam}},
    .missileB = {.missiles = Table(HomingMissileBoss7BSlots),
                 .launchX = 40.0f,
                 .rate = 150.0f,
                 .look = {ShowsSprite, ShowsNothing}},
};
