// The stage-4 boss's movement, picture and defeat.
#include "stages/stage4/boss4_body.h"

#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss4DefeatRow{
    .boss = &Boss4State,
    .bigExplosions = Boss4BigExplosions, .smallExplosions = Boss4SmallExplosions,
    .spreadX = 440, .spreadYBig = 320, .spreadYSmall = 310,
    .transitionBand = StageClearBand, .nextScene = SceneStage5};

namespace {

constexpr auto Place = PlaceAt<Boss4State, 180, 0>;

// Tested in this order on the advanced timer, every bound inclusive but the
// first; where two bands share a bound both act, and between the bands
// nothing moves.
constexpr MoveBand kMoveBands[] = {
    {0, 30, false, true, PlaceAt<Boss4State, 180, -480>},  // waiting above the screen
    {31, 75, true, true, Drift<Boss4State, 0, 104>},       // the descent
    {75, 90, true, true, Place},
    {91, 115, true, true, Drift<Boss4State, 0, 60>},  // bob
    {116, 140, true, true, Drift<Boss4State, 0, -60>},
    {141, 162, true, true, Place},
    {162, 171, true, true, Drift<Boss4State, 80, 0>},  // sway
    {172, 190, true, true, Drift<Boss4State, -80, 0>},
    {191, 200, true, true, Drift<Boss4State, 80, 0>},
    {201, 210, true, true, Drift<Boss4State, 100, 50>},  // diamond
    {211, 220, true, true, Drift<Boss4State, -100, -50>},
    {221, 230, true, true, Drift<Boss4State, -100, 50>},
    {231, 240, true, true, Drift<Boss4State, 100, -50>},
    {240, 250, true, true, Place},
    {250, 260, true, true, Drift<Boss4State, 150, 0>},  // wide sway
    {261, 280, true, true, Drift<Boss4State, -150, 0>},
    {281, 290, true, true, Drift<Boss4State, 150, 0>},
    {291, 300, true, true, Drift<Boss4State, 200, 100>},  // wide diamond
    {301, 310, true, true, Drift<Boss4State, -200, -100>},
    {311, 320, true, true, Drift<Boss4State, -200, 100>},
    {321, 330, true, true, Drift<Boss4State, 200, -100>},
    {331, NoBandEnd, true, true, SetMoveTimer<Boss4State, 80>},  // back to the snap
};

// BOSS41 at 440 x 380; a hit shows no flash, the flag is only taken, and
// the flame frame's wraps are not counted.  Damage flames: ZBAK3B, the first
// pair stepping 28 px per flame frame, the second 19.
constexpr BossBody kBody{.state = &Boss4State, .image = &ImgBoss41, .w = 440, .h = 380,
                         .redrawOnHit = false,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{140, 70}, {220, 70}}},
                                    .second = {.at = {{60, 150}, {300, 150}}, .step = 19}},
                         .marksHitShown = false,
                         .countsFlameLoops = false};

}  // namespace

void Boss4Move() { RunMoveBands(Boss4State, kMoveBands); }

// Both lock arrays as long as they are (three records each).
void Boss4Draw() { DrawBoss(kBody, Boss4LockPoints, Boss4Defeat); }

void Boss4Defeat() { RunDefeat(Boss4DefeatRow); }
