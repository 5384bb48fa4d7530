// The stage-8 boss's movement, picture and defeat.
#include "stages/stage8/boss8_body.h"

#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss8DefeatRow{
    .boss = &Boss8State,
    .bigExplosions = Boss8BigExplosions, .smallExplosions = Boss8SmallExplosions,
    .spreadX = 480, .spreadYBig = 320, .spreadYSmall = 320,
    .transitionBand = SlowStageClearBand, .nextScene = SceneEnding};

namespace {

// Tested in this order on the advanced timer, every bound inclusive but the
// first; a timer between two bands (30.5, 74.5 ...) moves nothing.
constexpr MoveBand kMoveBands[] = {
    {0, 30, false, true, PlaceAt<Boss8State, 160, -400>},  // waiting above the screen
    {31, 74, true, true, Drift<Boss8State, 0, 86>},        // the descent
    {75, 100, true, true, PlaceAt<Boss8State, 160, 0>},    // the hold
    {101, 130, true, true, Drift<Boss8State, 40, 0>},      // the sway
    {131, 190, true, true, Drift<Boss8State, -40, 0>},
    {191, 220, true, true, Drift<Boss8State, 40, 0>},
    {221, NoBandEnd, true, true, SetMoveTimer<Boss8State, 80>},  // back into the hold
};

// The stage-8 boss picture at 480 x 400; a hit shows no flash, the flag is
// taken and hit-shown set.  Damage flames: ZBAK3B.  Only array A shows its marks; array B
// is placed and locked all the same.
constexpr BossBody kBody{.state = &Boss8State, .image = &ImgBoss8, .w = 480, .h = 400,
                         .redrawOnHit = false,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{180, 130}, {220, 130}}},
                                    .second = {.at = {{120, 70}, {280, 70}}}},
                         .marks = LockMarksShown::ArrayA};

}  // namespace

void Boss8Move() {
  if (Boss8State.hit != 0 && Boss8State.hit != 1) return;
  RunMoveBands(Boss8State, kMoveBands);
}

void Boss8Draw() { DrawBoss(kBody, Boss8LockPoints, Boss8Defeat); }

void Boss8Defeat() { RunDefeat(Boss8DefeatRow); }
