// The stage-5 boss's entry, flight, picture and defeat.
#include "stages/stage5/boss5_body.h"

#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"

constexpr DefeatRow Boss5DefeatRow{
    .boss = &Boss5State,
    .bigExplosions = Boss5BigExplosions, .smallExplosions = Boss5SmallExplosions,
    .spreadX = 380, .spreadYBig = 320, .spreadYSmall = 320,
    .transitionBand = StageClearBand, .nextScene = SceneStage7};

namespace {

// The entry picture BOS511 (480 x 480) rises at 400 px/s in column 160.
constexpr EntryFlight kEntry{.entry = &Boss5Entry, .image = &ImgBos511, .w = 480, .h = 480,
                             .x = 160.0f, .speed = 400.0f};

void EntryAtBottom() { EntryWaits(kEntry); }
void EntrySweepsUp() { EntryRises(kEntry); }

constexpr auto Centre = PlaceAt<Boss5State, 210, 0>;

// Tested in this order on the advanced timer, each on its own; where two
// bands share a bound both act, and between the bands (20 .. 21, 59 .. 60,
// 90 .. 91, 171 .. 172 ...) nothing moves or is drawn.
constexpr MoveBand kMoveBands[] = {
    {0, 20, true, true, EntryAtBottom},
    {21, 59, false, true, EntrySweepsUp},
    {60, 90, false, true, PlaceAt<Boss5State, 210, -460>},  // above the screen
    {91, 135, true, true, Drift<Boss5State, 0, 100>},       // the descent
    {135, 162, true, true, Centre},
    {162, 171, true, true, Drift<Boss5State, 80, 0>},  // sway
    {172, 190, true, true, Drift<Boss5State, -80, 0>},
    {191, 200, true, true, Drift<Boss5State, 80, 0>},
    {201, 210, true, true, Drift<Boss5State, 100, 50>},  // diamond
    {211, 220, true, true, Drift<Boss5State, -100, -50>},
    {221, 230, true, true, Drift<Boss5State, -100, 50>},
    {231, 240, true, true, Drift<Boss5State, 100, -50>},
    {241, NoBandEnd, true, true, SetMoveTimer<Boss5State, 151>},  // back into the centring
};

// BOSS51 at 380 x 460; a hit draws it once more (no flash) and is marked
// shown.  Three damage flames of ZBAK3B from 60 hit points down.
constexpr BossBody kBody{.state = &Boss5State, .image = &ImgBoss51, .w = 380, .h = 460,
                         .redrawOnHit = true,
                         .flames = {.image = &ImgZbak3b,
                                    .first = {.at = {{30, 20}, {270, 20}, {150, 100}}, .count = 3},
                                    .second = {.at = {}, .count = 0},
                                    .firstFrom = 60.0f}};

}  // namespace

void Boss5Move() {
  if (Boss5State.hit != 0 && Boss5State.hit != 1) return;
  RunMoveBands(Boss5State, kMoveBands);
}

// Both lock arrays as long as they are (five records each).
void Boss5Draw() { DrawBoss(kBody, Boss5LockPoints, Boss5Defeat); }

void Boss5Defeat() { RunDefeat(Boss5DefeatRow); }
