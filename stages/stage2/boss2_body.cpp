// The stage-2 boss's entry, sway, picture and defeat.
#include "stages/stage2/boss2_body.h"

#include <iterator>

#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss2DefeatRow{
    .boss = &Boss2State,
    .bigExplosions = Boss2BigExplosions, .smallExplosions = Boss2SmallExplosions,
    .spreadX = 500, .spreadYBig = 350, .spreadYSmall = 350,
    .transitionBand = SlowStageClearBand, .nextScene = SceneStage4};

namespace {

// The entry picture is the boss's own, rising at 500 px/s in column 150.
constexpr EntryFlight kEntry{.entry = &Boss2Entry, .image = &ImgBoss71, .w = 500, .h = 400,
                             .x = 150.0f, .speed = 500.0f};

void EntryAtBottom() { EntryWaits(kEntry); }
void EntrySweepsUp() { EntryRises(kEntry); }

void PlaceAbove() {
  Boss2State.x = 150.0f;
  Boss2State.y = -400.0f;
}

void Descend() { Boss2State.y += 93.0f * FrameTime; }

void Centre() {
  Boss2State.x = 150.0f;
  Boss2State.y = 0.0f;
}

void SlowRight() { Boss2State.x += 80.0f * FrameTime; }
void SlowLeft() { Boss2State.x -= 80.0f * FrameTime; }
void FastRight() { Boss2State.x += 100.0f * FrameTime; }
void FastLeft() { Boss2State.x -= 100.0f * FrameTime; }

// Past the loop's end the timer goes back into the centring band.
void LoopBack() { Boss2State.moveTimer = 145.0f; }

// Tested in this order on the advanced timer; a timer in a gap (13.5, 59.5,
// 90.5, 171.5 ...) moves and draws nothing.
constexpr MoveBand kMoveBands[] = {
    {0.0f, 13.0f, true, true, EntryAtBottom},
    {14.0f, 59.0f, false, true, EntrySweepsUp},
    {60.0f, 90.0f, false, true, PlaceAbove},
    {91.0f, 135.0f, true, true, Descend},
    {135.0f, 162.0f, true, true, Centre},
    {162.0f, 171.0f, true, true, SlowRight},
    {172.0f, 190.0f, true, true, SlowLeft},
    {191.0f, 200.0f, true, true, SlowRight},
    {201.0f, 210.0f, true, true, FastRight},
    {211.0f, 220.0f, true, true, FastLeft},
    {221.0f, 230.0f, true, true, FastLeft},
    {231.0f, 240.0f, true, true, FastRight},
    {241.0f, 250.0f, true, true, Centre},
    {251.0f, 270.0f, true, true, FastRight},
    {271.0f, 290.0f, true, true, FastLeft},
    {291.0f, 310.0f, true, true, FastLeft},
    {311.0f, 330.0f, true, true, FastRight},
    {331.0f, NoBandEnd, true, true, LoopBack},
};
static_assert(std::size(kMoveBands) == 18);

// BOSS71 at 500 x 400; a hit shows no flash, the flag is only taken.
// Damage flames: ZBAK3B.  Only array B shows its marks; array A is placed and
// locked all the same.
constexpr BossBody kBody{.state = &Boss2State, .image = &ImgBoss71, .w = 500, .h = 400,
                         .redrawOnHit = false,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{150, 70}, {270, 70}}},
                                    .second = {.at = {{90, 0}, {330, 0}}}},
                         .marks = LockMarksShown::ArrayB};

}  // namespace

void Boss2Move() {
  if (Boss2State.hit != 0 && Boss2State.hit != 1) return;
  RunMoveBands(Boss2State, kMoveBands);
}

void Boss2Draw() { DrawBoss(kBody, Boss2LockPoints, Boss2Defeat); }

void Boss2Defeat() { RunDefeat(Boss2DefeatRow); }
