// The stage-1 boss's entry bands and the defeat sequence that ends the stage
// (its picture, flames and lock marks: boss_body_test.cpp).
#include <gtest/gtest.h>

#include <set>

#include "el/draw/transition_state.h"
#include "el/sound/elSound.h"
#include "shell/scene.h"
#include "stages/stage1/boss1_body.h"
#include "stages/stage2/boss2_body.h"
#include "stages/stage3/boss3_body.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/stages/move_bands.h"

namespace {

using player_test::XY;

constexpr uint16_t kBoss = 0x2001, kSilhouette = 0x2002, kBig = 0x2003, kSmall = 0x2004;
constexpr float kStep = 1.0f / 64.0f;  // timers then advance by exact binary steps

class Boss1Test : public enemy_test::EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    ImgBoss11 = Solid(440, 360, kBoss);
    ImgBos111 = Solid(480, 480, kSilhouette);
    ImgBbak1b = Solid(640, 160, kBig);
    ImgZbak1b = Solid(600, 60, kSmall);
    FrameTime = kStep;
  }
  void TearDown() override {
    ImgBoss11 = ImgBos111 = ImgBbak1b = ImgZbak1b = 0;
    EnemyTest::TearDown();
  }
};

// Each row: the timer the Move call reaches, what it does to the silhouette
// (parked at (200, 100) with speed 400 before) and the boss (at (7, 9)).
TEST_F(Boss1Test, MoveBandsAtTheirBounds) {
  const stage_test::BandRow rows[] = {
      {0.0f, true, {160, 600}, {7, 9}, 0.0f},     {20.0f, true, {160, 600}, {7, 9}, 20.0f},
      {20.5f, false, {200, 100}, {7, 9}, 20.5f},  {21.0f, false, {200, 100}, {7, 9}, 21.0f},
      {21.5f, true, {160, 93.75f}, {7, 9}, 21.5f}, {59.0f, true, {160, 93.75f}, {7, 9}, 59.0f},
      {59.5f, false, {200, 100}, {7, 9}, 59.5f},  {60.0f, false, {200, 100}, {7, 9}, 60.0f},
      {60.5f, false, {200, 100}, {180, -360}, 60.5f}, {90.0f, false, {200, 100}, {180, -360}, 90.0f},
      {90.5f, false, {200, 100}, {7, 9}, 90.5f},  {91.0f, false, {200, 100}, {7, 10.25f}, 91.0f},
      {135.0f, false, {200, 100}, {180, 0}, 135.0f}, {159.5f, false, {200, 100}, {180, 0}, 159.5f},
      {160.0f, false, {200, 100}, {180, 0}, 138.0f}, {162.0f, false, {200, 100}, {180, 0}, 138.0f},
      {163.0f, false, {200, 100}, {7, 9}, 138.0f},
  };
  stage_test::CheckMoveBands(rows, Boss1Move, Boss1State, Boss1Entry, 400.0f, kStep,
                             [] { return Back(300, 200) == kSilhouette; });
}

// From the reset: the silhouette rises out of the top and is parked, the
// boss descends and holds at (180, 0) for good (the timer goes back to 138
// whenever it reaches 160).
TEST_F(Boss1Test, TheEntryEndsHoldingForGood) {
  float highest = 0.0f;
  int first_hold = -1;
  for (int call = 1; call <= 3000; ++call) {
    Boss1Move();
    highest = std::max(highest, Boss1State.moveTimer);
    const bool holding = Boss1State.x == 180.0f && Boss1State.y == 0.0f;
    if (holding && first_hold < 0) first_hold = call;
    if (first_hold > 0) { ASSERT_TRUE(holding) << call; }
  }
  EXPECT_EQ(first_hold, 864);  // timer 135
  EXPECT_LT(highest, 160.0f);
  // Parked once above the playfield; the rest of its band only sets x again.
  EXPECT_EQ(player_test::Pos(Boss1Entry), XY(160, 2550));
  EXPECT_EQ(Boss1Entry.speed, 0.0f);
}

// Driven by the draw alone at 64 frames per second the stage clears on the
// 449th call (timer 70.156), the music stops from the 321st to the 383rd
// call only, and every call restarts the explosion sound and moves every
// explosion to a new point over the boss.
TEST_F(Boss1Test, DefeatTimingMusicStopAndStageClear) {
  SceneNumber = PrevScene = SceneStage1;
  ScrollPos = 9000.0f;
  Boss1State.x = 180.0f;
  Boss1State.y = 20.0f;
  Boss1State.hitPoints = 0.0f;
  elSound::PlayMidi("MIDI/BGM1.MID", 1);
  ASSERT_EQ(MidiOpen, 1u);
  std::set<int> stops;
  int change = 0;
  for (int call = 1; call <= 460 && change == 0; ++call) {
    const XY before = player_test::Pos(Boss1BigExplosions[0]);
    ASSERT_TRUE(SoundsBom([] { Boss1Defeat(); })) << call;
    if (SceneNumber != SceneStage1) {
      change = call;
      break;
    }
    EXPECT_NE(player_test::Pos(Boss1BigExplosions[0]), before) << call;
    for (const DefeatExplosion& e : Boss1BigExplosions) {
      ASSERT_TRUE(e.x >= 80 && e.x < 520 && e.y >= 20 && e.y < 380) << call;
    }
    for (const DefeatExplosion& e : Boss1SmallExplosions) {
      ASSERT_TRUE(e.x >= 140 && e.x < 580 && e.y >= 20 && e.y < 380) << call;
    }
    if (MidiOpen == 0) {
      stops.insert(call);
      elSound::PlayMidi("MIDI/BGM1.MID", 1);
    }
  }
  EXPECT_EQ(change, 449);
  ASSERT_EQ(stops.size(), 63u);
  EXPECT_EQ(*stops.begin(), 321);
  EXPECT_EQ(*stops.rbegin(), 383);
  EXPECT_EQ(SceneNumber, SceneStage2);
  EXPECT_EQ(PrevScene, 0);
  EXPECT_EQ(TransitionPattern, 3);
  EXPECT_EQ(TransitionBand, 30);
  EXPECT_EQ(TransitionStep, 30);
  EXPECT_EQ(TransitionDir, -1);
  EXPECT_EQ(Boss1State.hitPoints, 1020.0f);
  EXPECT_EQ(Boss1State.defeatTimer, 0.0f);
  EXPECT_EQ(ScrollPos, 0.0f);

  // A later call in the same frame finds the boss whole again.
  SceneNumber = SceneStage1;
  Boss1Defeat();
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(player_test::Pos(Boss1BigExplosions[0]), XY(-500, 2550));
}

// The rows of the other two bosses: spread, band, next scene, start HP.
TEST_F(Boss1Test, DefeatRowsOfTheSecondAndThirdBoss) {
  const struct {
    void (*defeat)();
    BossState* boss;
    DefeatExplosion* big;
    float spread_x, spread_y, start_hp;
    int32_t band, scene;
  } rows[] = {
      {Boss2Defeat, &Boss2State, Boss2BigExplosions, 500, 350, 1000, 60, SceneStage4},
      {Boss3Defeat, &Boss3State, Boss3BigExplosions, 440, 280, 600, 30, SceneStage4},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.band);
    SceneNumber = SceneStage2;
    row.boss->x = 200.0f;
    row.boss->y = 0.0f;
    row.boss->hitPoints = -3.0f;
    player_test::Range x, y;
    for (int call = 1; call < 449; ++call) {
      row.defeat();
      x.Add(row.big[call % 8].x);
      y.Add(row.big[call % 8].y);
    }
    EXPECT_EQ(SceneNumber, SceneStage2);
    row.defeat();
    EXPECT_EQ(SceneNumber, row.scene);
    EXPECT_EQ(TransitionBand, row.band);
    EXPECT_EQ(row.boss->hitPoints, row.start_hp);
    EXPECT_TRUE(x.In(100, 99 + row.spread_x) && x.hi > 80 + row.spread_x) << x;
    EXPECT_TRUE(y.In(0, row.spread_y - 1) && y.hi > row.spread_y - 20) << y;
  }
}

}  // namespace
