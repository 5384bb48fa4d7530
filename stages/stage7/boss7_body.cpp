// The stage-7 boss's movement, picture and defeat.
#include "stages/stage7/boss7_body.h"

#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss7DefeatRow{
    .boss = &Boss7State,
    .bigExplosions = Boss7BigExplosions, .smallExplosions = Boss7SmallExplosions,
    .spreadX = 460, .spreadYBig = 320, .spreadYSmall = 320,
    .transitionBand = StageClearBand, .nextScene = SceneEnding};

namespace {

// Tested in this order on the advanced timer; at 31 both of the first two
// bands act, between the bands nothing moves, and the set-back to 160 puts
// the next frames into the hold band, so every loop starts from (170, 0).
constexpr MoveBand kMoveBands[] = {
    {0, 31, false, true, PlaceAt<Boss7State, 170, -380>},  // above the screen
    {31, 75, true, true, Drift<Boss7State, 0, 77>},         // the descent
    {75, 161, false, true, PlaceAt<Boss7State, 170, 0>},    // the hold
    {162, 171, true, true, Drift<Boss7State, 80, 0>},       // sway
    {172, 190, true, true, Drift<Boss7State, -80, 0>},
    {191, 200, true, true, Drift<Boss7State, 80, 0>},
    {201, 210, true, true, Drift<Boss7State, 100, 50>},  // diagonals
    {211, 220, true, true, Drift<Boss7State, -100, -50>},
    {221, 230, true, true, Drift<Boss7State, -100, 50>},
    {231, 240, true, true, Drift<Boss7State, 100, -50>},
    {241, NoBandEnd, true, true, SetMoveTimer<Boss7State, 160>},
};

// BOSS31 at 460 x 380; a hit shows no flash, the flag is taken and
// hit-shown set.  Damage flames: ZBAK3B from 90 hit points down, ZBAK4B from
// 70 down, both stepping 28 px per flame frame.
constexpr BossBody kBody{.state = &Boss7State, .image = &ImgBoss31, .w = 460, .h = 380,
                         .redrawOnHit = false,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{150, 60}, {230, 60}}},
                                    .second = {.at = {{70, 10}, {310, 10}}},
                                    .secondImage = &ImgZbak4b}};

}  // namespace

void Boss7Move() {
  if (Boss7State.hit != 0 && Boss7State.hit != 1) return;
  RunMoveBands(Boss7State, kMoveBands);
}

// Both lock arrays as long as they are (five records each).
void Boss7Draw() { DrawBoss(kBody, Boss7LockPoints, Boss7Defeat); }

void Boss7Defeat() { RunDefeat(Boss7DefeatRow); }
