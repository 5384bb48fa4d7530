// The check of a boss's move bands, one Move call per row, and the fixture
// of the boss-body tests.
#pragma once
#include <gtest/gtest.h>

#include <span>

#include "el/draw/elDraw.h"
#include "stages/boss_records.h"
#include "tests/enemies/enemy_fixture.h"
#include "tests/player/player_fixture.h"

namespace stage_test {

// The timer the Move call reaches, whether the entry picture is drawn, where
// the entry picture and the boss end up, and the timer after the call.
struct BandRow {
  float timer;
  bool drawn;
  player_test::XY entry, boss;
  float timer_after;
};

// For each row: the entry picture parked at (200, 100) with `speed`, the
// boss at (7, 9), the timer one step of `step` s below the row's; then one
// `move` call, and `drawn()` looks at the back buffer.
template <typename Drawn>
void CheckMoveBands(std::span<const BandRow> rows, void (*move)(), BossState& boss,
                    BossEntry& entry, float speed, float step, Drawn drawn) {
  for (const BandRow& row : rows) {
    SCOPED_TRACE(row.timer);
    elDraw::ClearScreen();
    entry.x = 200.0f;
    entry.y = 100.0f;
    entry.speed = speed;
    boss.x = 7.0f;
    boss.y = 9.0f;
    boss.moveTimer = row.timer - 10.0f * step;
    move();
    EXPECT_EQ(drawn(), row.drawn);
    EXPECT_EQ(player_test::Pos(entry), row.entry);
    EXPECT_EQ(player_test::Pos(boss), row.boss);
    EXPECT_FLOAT_EQ(boss.moveTimer, row.timer_after);
  }
}

// Hit points on both sides of the two flame thresholds, and whether the
// pair of flames from 90 down and the pair from 70 down burn there (none
// once the boss is down to 0).
struct FlameRow {
  float hp;
  bool first, second;
};
inline constexpr FlameRow kFlameRows[] = {{91, false, false}, {90, true, false},
                                          {70.5f, true, false}, {70, true, true},
                                          {0.5f, true, true},   {0, false, false}};

// The enemies' fixture with a boss picture of one colour in `*image` and a
// frame of 1/64 s (the move timer then advances by exact binary steps).
template <int32_t* image, int32_t w, int32_t h, uint16_t colour>
class BossPictureTest : public enemy_test::EnemyTest {
 protected:
  static constexpr float kStep = 1.0f / 64.0f;
  static constexpr uint16_t kBoss = colour;
  void SetUp() override {
    EnemyTest::SetUp();
    *image = Solid(w, h, colour);
    FrameTime = kStep;
  }
  void TearDown() override {
    *image = 0;
    EnemyTest::TearDown();
  }
  static uint16_t Flame(int f) { return enemy_test::CellColour(2, f); }  // ZBAK3B
};

// The timer a Move call reaches and where the boss ends up, with the timer
// after the call, for a boss with no entry picture.
struct BossBandRow {
  float timer;
  player_test::XY boss;
  float timer_after;
};

// For each row: the boss at (7, 9), the timer one step of `step` s below
// the row's; then one `move` call.
inline void CheckBossBands(std::span<const BossBandRow> rows, void (*move)(), BossState& boss,
                           float step) {
  for (const BossBandRow& row : rows) {
    SCOPED_TRACE(row.timer);
    boss.x = 7.0f;
    boss.y = 9.0f;
    boss.moveTimer = row.timer - 10.0f * step;
    move();
    EXPECT_EQ(player_test::Pos(boss), row.boss);
    EXPECT_FLOAT_EQ(boss.moveTimer, row.timer_after);
  }
}

}  // namespace stage_test
