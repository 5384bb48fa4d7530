// The stage-4 boss's movement, picture and defeat.
#include "stages/stage4/boss4_body.h"

#include "el/draw/elDraw.h"
#include "enemies/engine/engine_parts.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "stages/common/boss_body.h"
#include "stages/common/lock_marks.h"

constexpr DefeatRow Boss4DefeatRow{&Boss4State, Boss4BigExplosions, Boss4SmallExplosions,
                                   440, 320, 310, 30, SceneStage5};

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

// Damage flames: the first pair steps 28 px per flame frame, the second 19.
constexpr Flame kFirstFlames[] = {{140, 70, 28}, {220, 70, 28}};    // HP 90 down
constexpr Flame kSecondFlames[] = {{60, 150, 19}, {300, 150, 19}};  // HP 70 down

}  // namespace

void Boss4Move() { RunMoveBands(Boss4State, kMoveBands); }

void Boss4Draw() {
  BossState& boss = Boss4State;
  const int32_t x = Whole(boss.x);
  const int32_t y = Whole(boss.y);
  // A hit shows no flash: the flag is only taken.
  elDraw::DrawObject(x, y, ImgBoss41, 0, 0, 440, 380);
  if (boss.hit > 0) boss.hit = 0;
  const float hp = boss.hitPoints;
  if (0.0f < hp && hp <= 90.0f) DrawFlames(kFirstFlames, x, y, boss.flameFrame);
  if (0.0f < hp && hp <= 70.0f) DrawFlames(kSecondFlames, x, y, boss.flameFrame);
  boss.flameFrame += 1;
  if (boss.flameFrame > 9) boss.flameFrame = 0;
  // Both lock arrays as long as they are (three records each).
  DrawLockMarks(Boss4LockPoints);
  Boss4Defeat();
}

void Boss4Defeat() { RunDefeat(Boss4DefeatRow); }
