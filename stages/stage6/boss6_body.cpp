// The stage-6 boss's movement, picture and defeat.
#include "stages/stage6/boss6_body.h"

#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss6DefeatRow{
    .boss = &Boss6State,
    .bigExplosions = Boss6BigExplosions, .smallExplosions = Boss6SmallExplosions,
    .spreadX = 460, .spreadYBig = 330, .spreadYSmall = 330,
    .transitionBand = StageClearBand, .nextScene = SceneStage7};

namespace {

// Tested in this order on the advanced timer, every bound inclusive; where
// two bands share a bound both act, and between the bands nothing moves.
constexpr MoveBand kMoveBands[] = {
    {0, 90, true, true, PlaceAt<Boss6State, 170, -400>},  // waiting above the screen
    {91, 135, true, true, Drift<Boss6State, 0, 80>},      // the descent
    {135, 162, true, true, PlaceAt<Boss6State, 170, 0>},
    {162, 171, true, true, Drift<Boss6State, 80, 0>},  // sway
    {172, 190, true, true, Drift<Boss6State, -80, 0>},
    {191, 200, true, true, Drift<Boss6State, 80, 0>},
    {201, 210, true, true, Drift<Boss6State, 100, 50>},  // zigzag
    {211, 220, true, true, Drift<Boss6State, -100, -50>},
    {221, 230, true, true, Drift<Boss6State, -100, 50>},
    {231, 240, true, true, Drift<Boss6State, 100, -50>},
    {241, NoBandEnd, true, true, SetMoveTimer<Boss6State, 151>},  // back to the snap
};

// BOSS61 at 460 x 400, drawn once more on a hit, which is shown.  Three
// ZBAK3B damage flames, all from HP 70 down: two beside, one below.  Only
// lock array B shows its marks (all nine); array A is placed and locked
// all the same.
constexpr BossBody kBody{
    .state = &Boss6State,
    .image = &ImgBoss61,
    .w = 460,
    .h = 400,
    .redrawOnHit = true,
    .flames = {.image = &ImgZbak3b,
               .first = {.at = {{70, 20}, {310, 20}}},
               .second = {.at = {{190, 100}}, .count = 1},
               .firstFrom = 70.0f},
    .marks = LockMarksShown::ArrayB,
};

}  // namespace

void Boss6Move() {
  if (Boss6State.hit != 0 && Boss6State.hit != 1) return;
  RunMoveBands(Boss6State, kMoveBands);
}

void Boss6Draw() { DrawBoss(kBody, Boss6LockPoints, Boss6Defeat); }

void Boss6Defeat() { RunDefeat(Boss6DefeatRow); }
