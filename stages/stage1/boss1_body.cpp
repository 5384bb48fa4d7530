// The stage-1 boss's entry, picture and defeat.
#include "stages/stage1/boss1_body.h"

#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss1DefeatRow{
    .boss = &Boss1State,
    .bigExplosions = Boss1BigExplosions, .smallExplosions = Boss1SmallExplosions,
    .spreadX = 440, .spreadYBig = 360, .spreadYSmall = 360,
    .transitionBand = StageClearBand, .nextScene = SceneStage2};

namespace {

// The silhouette, BOS111 at 480 x 480, rising at 400 px/s in column 160.
constexpr EntryFlight kSilhouette{.entry = &Boss1Entry, .image = &ImgBos111, .w = 480, .h = 480,
                                  .x = 160.0f, .speed = 400.0f};

void SilhouetteAtBottom() { EntryWaits(kSilhouette); }
void SilhouetteRises() { EntryRises(kSilhouette); }

void PlaceAbove() {
  Boss1State.x = 180.0f;
  Boss1State.y = -360.0f;
}

void Descend() { Boss1State.y += 80.0f * FrameTime; }

void Hold() {
  Boss1State.x = 180.0f;
  Boss1State.y = 0.0f;
}

// From 160 on the timer goes back into the holding band for good.
void SetBack() { Boss1State.moveTimer = 138.0f; }

// Tested in this order on the advanced timer; between the bands nothing
// moves.
constexpr MoveBand kMoveBands[] = {
    {0.0f, 20.0f, true, true, SilhouetteAtBottom},
    {21.0f, 59.0f, false, true, SilhouetteRises},
    {60.0f, 90.0f, false, true, PlaceAbove},
    {91.0f, 135.0f, true, true, Descend},
    {135.0f, 162.0f, true, true, Hold},
    {160.0f, NoBandEnd, true, true, SetBack},
};

// BOSS11 at 440 x 360; a hit shows no flash, the flag is only taken.
// Damage flames: ZBAK3B.
constexpr BossBody kBody{.state = &Boss1State, .image = &ImgBoss11, .w = 440, .h = 360,
                         .redrawOnHit = false,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{140, 50}, {220, 50}}},
                                    .second = {.at = {{60, 100}, {300, 100}}}}};

}  // namespace

void Boss1Move() {
  RunMoveBands(Boss1State, kMoveBands);
}

void Boss1Draw() { DrawBoss(kBody, Boss1LockPoints, Boss1Defeat); }

void Boss1Defeat() { RunDefeat(Boss1DefeatRow); }
