// The stage-3 boss's flight, picture and defeat.
#include "stages/stage3/boss3_body.h"

#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss3DefeatRow{
    .boss = &Boss3State,
    .bigExplosions = Boss3BigExplosions, .smallExplosions = Boss3SmallExplosions,
    .spreadX = 440, .spreadYBig = 280, .spreadYSmall = 280,
    .transitionBand = StageClearBand, .nextScene = SceneStage4};

namespace {

constexpr auto Place = PlaceAt<Boss3State, 180, 0>;

// Tested in this order on the advanced timer; between the bands nothing
// moves.  The descent's last value, 75, also places the boss at (180, 0).
constexpr MoveBand kMoveBands[] = {
    {0, 30, false, true, PlaceAt<Boss3State, 180, -380>},  // waiting above the screen
    {31, 75, true, true, Drift<Boss3State, 0, 78>},        // the descent
    {75, 100, true, true, Place},
    {101, 110, true, true, Drift<Boss3State, 100, 50>},  // down-right and back
    {111, 120, true, true, Drift<Boss3State, -100, -50>},
    {121, 130, true, true, Drift<Boss3State, -100, 50>},  // down-left and back
    {131, 140, true, true, Drift<Boss3State, 100, -50>},
    {141, 160, true, true, Place},
    {161, 190, true, true, Drift<Boss3State, 40, 0>},  // sway
    {191, 250, true, true, Drift<Boss3State, -40, 0>},
    {251, 280, true, true, Drift<Boss3State, 40, 0>},
    {281, NoBandEnd, true, true, SetMoveTimer<Boss3State, 0>},  // from the top again
};

// The picture is the library's buffer object (nothing loads one), 440 x
// 380 of it; a hit draws it once more.  Damage flames: ZBAK4B.
constexpr BossBody kBody{.state = &Boss3State, .image = &ImgBoss3, .w = 440, .h = 380,
                         .redrawOnHit = true,
                         .flames = {.image = &ImgZbak4b,
                                    .first = {.at = {{140, 70}, {220, 70}}},
                                    .second = {.at = {{60, 20}, {300, 20}}}}};

}  // namespace

void Boss3Move() {
  if (Boss3State.hit != 0 && Boss3State.hit != 1) return;
  RunMoveBands(Boss3State, kMoveBands);
}

// Both lock arrays hold Boss3LockPointCount records: every one is looked
// at, and nothing past them.
void Boss3Draw() { DrawBoss(kBody, Boss3LockPoints, Boss3Defeat); }

void Boss3Defeat() { RunDefeat(Boss3DefeatRow); }
