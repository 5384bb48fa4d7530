// The curving streams of the stage-4, -5 and -7 bosses, the stage-4 and
// stage-5 curving sweeps and the stage-4 aimed lines: paths at their band
// edges and gaps, the schedules' maps and counters, retirement by record 0,
// the early push of the long lines and a line drawn beyond 359 degrees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "el/system/angles.h"
#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/curve_engine.h"

#include "stages/stage4/boss4_streams.h"
#include "stages/stage5/boss5_streams.h"
#include "stages/stage7/boss7_streams.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;
using player_test::Pos;
using player_test::XY;

class BossStreamsTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    for (BossState* boss : {&Boss4State, &Boss5State, &Boss7State}) {
      boss->x = 180.0f;
      boss->y = 0.0f;
    }
  }
};

// One Move of an in-flight slot with the frame time stopped: the step the
// path takes at `age`.
TEST_F(BossStreamsTest, CurvePathsStepByTheirInclusiveBandsAndStandStillInTheGaps) {
  const struct {
    void (*move)();
    CurveShot* slot;
    float age;
    int dx, dy;
  } cases[] = {
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 0.0f, -6, 0},
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 3.0f, -6, 0},
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 3.5f, 0, 0},  // gap
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 4.0f, -6, 3},
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 21.9f, 0, 0},  // gap
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 250.0f, 3, 6},
      {Boss4Ray4AMove, &Boss4Ray4ASlots[5], 250.5f, 0, 0},  // past the top: no step
      {Boss4Ray4BMove, &Boss4Ray4BSlots[5], 0.0f, 6, 0},    // mirrored
      {Boss4Ray4BMove, &Boss4Ray4BSlots[5], 22.0f, -3, 6},
      {Boss4Ray5AMove, &Boss4Ray5ASlots[5], 22.0f, 3, 6},
      {Boss4Ray5AMove, &Boss4Ray5ASlots[5], 28.0f, 5, 6},
      {Boss5Ray3EMove, &Boss5Ray3ESlots[5], 39.0f, 8, 6},
      {Boss5Ray3EMove, &Boss5Ray3ESlots[5], 40.0f, 10, 6},
      {Boss5Ray3FMove, &Boss5Ray3FSlots[5], 280.0f, -10, 6},
      {Boss5Ray3FMove, &Boss5Ray3FSlots[5], 300.0f, 0, 0},
      {Boss7Ray7AMove, &Boss7Ray7ASlots[5], 31.0f, 7, 6},
      {Boss7Ray7CMove, &Boss7Ray7CSlots[5], 16.0f, 1, 6},
      {Boss7Ray7FMove, &Boss7Ray7FSlots[5], 7.0f, 2, 6},
      {Boss7Ray7GMove, &Boss7Ray7GSlots[5], 10.5f, 0, 0},  // the fast path's gaps
      {Boss7Ray7HMove, &Boss7Ray7HSlots[5], 11.0f, 4, 4},
  };
  FrameTime = 0.0f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.age);
    *c.slot = {300, 200, 0, 0, c.age, 1};
    c.move();
    EXPECT_EQ(Pos(*c.slot), XY(300.0f + c.dx, 200.0f + c.dy));
    EXPECT_EQ(c.slot->age, c.age);
  }
  CurveStep step;
  EXPECT_FALSE(StepAt(Path({{1, 2, 5, 5}}), 0.5f, &step));  // below the first band
}

TEST_F(BossStreamsTest, StreamsLeaveOnEveryThirdCallAndTheirCountersWrapAfterOneRun) {
  // Which slot each call emits, over two runs: slot k on call 3k; the call
  // that brings the counter to 150 emits nothing; slot 0 never.
  std::vector<int> map;
  for (int call = 1; call <= 300; ++call) {
    Boss4Ray4ASchedule();
    for (int k = 0; k < 50; ++k) {
      if (Boss4Ray4ASlots[k].active == 0) continue;
      map.push_back(call * 100 + k);
      Boss4Ray4ASlots[k].active = 0;
    }
    if (call == 150) { EXPECT_EQ(Boss4State.patternTicks[0], 0); }
    if (call == 151) { EXPECT_EQ(Boss4State.patternTicks[0], 1); }
  }
  std::vector<int> expected;
  for (int run = 0; run < 2; ++run)
    for (int k = 1; k <= 49; ++k) expected.push_back((run * 150 + 3 * k) * 100 + k);
  EXPECT_EQ(map, expected);

  // The fast pair: slot k on call 2k, runs of 100.
  map.clear();
  for (int call = 1; call <= 100; ++call) {
    Boss7Ray7GSchedule();
    for (int k = 0; k < 50; ++k) {
      if (Boss7Ray7GSlots[k].active != 0) map.push_back(call * 100 + k);
      Boss7Ray7GSlots[k].active = 0;
    }
  }
  ASSERT_EQ(map.size(), 49u);
  EXPECT_EQ(map.front(), 2 * 100 + 1);
  EXPECT_EQ(map.back(), 98 * 100 + 49);

  // After one run of every stream each counter is back at 0, slots 1 .. 49
  // are out and slot 0 is still at rest.
  ResetObjectTablesB();
  const struct {
    void (*schedule)();
    const CurveShot* slots;
    const int32_t* counter;
    int run;
  } streams[] = {
      {Boss4Ray4ASchedule, Boss4Ray4ASlots, &Boss4State.patternTicks[0], 150},
      {Boss4Ray6BSchedule, Boss4Ray6BSlots, &Boss4State.patternTicks[5], 150},
      {Boss5Ray3ASchedule, Boss5Ray3ASlots, &Boss5State.patternTicks[0], 150},
      {Boss5Ray3FSchedule, Boss5Ray3FSlots, &Boss5State.patternTicks[5], 150},
      {Boss7Ray7ASchedule, Boss7Ray7ASlots, &Boss7State.patternTicks[10], 150},
      {Boss7Ray7HSchedule, Boss7Ray7HSlots, &Boss7State.patternTicks[17], 100},
  };
  for (const auto& s : streams) {
    for (int call = 1; call <= s.run - 1; ++call) s.schedule();
    EXPECT_EQ(*s.counter, s.run - 1);
    s.schedule();
    EXPECT_EQ(*s.counter, 0);
    EXPECT_EQ(s.slots[0].active, 0u);
    EXPECT_EQ(Pos(s.slots[0]), XY(-500.0f, 500.0f));
    for (int k = 1; k < 50; ++k) EXPECT_EQ(s.slots[k].active, 1u) << k;
  }
  EXPECT_EQ(Boss4State.patternTicks[1], 0);  // each family its own counter
}

TEST_F(BossStreamsTest, StreamEmitsFromTheTruncatedBossAndFallsOutBelow600) {
  Boss4State.x = -0.5f;  // truncated toward zero: 0, not -1
  Boss4State.y = 10.75f;
  Boss4Ray5BEmit(7);
  EXPECT_EQ(Pos(Boss4Ray5BSlots[7]), XY(270.0f, 140.0f));
  Boss4State.x = 100.0f;
  Boss4Ray5BEmit(7);  // busy: skipped
  EXPECT_EQ(Pos(Boss4Ray5BSlots[7]), XY(270.0f, 140.0f));
  Boss4Ray5BEmit(50);  // no such slot
  Boss4Ray5BEmit(-1);

  FrameTime = 0.0f;
  CurveShot& r = Boss4Ray5BSlots[7];
  r = {10, 594, 0, 0, 100.0f, 1};  // 5 left and 6 down per call
  Boss4Ray5BMove();
  EXPECT_EQ(r.active, 1u);  // y 600 still flies
  Boss4Ray5BMove();
  EXPECT_EQ(r.active, 0u);
  EXPECT_EQ(r.age, 0.0f);
  EXPECT_EQ(Pos(r), XY(0.0f, 606.0f));  // freed where it stands
}

TEST_F(BossStreamsTest, OnlyBoss7StreamsHitTheShipInTheirBox) {
  FrameTime = 0.0f;
  const float px = PlayerX, py = PlayerY;
  // Stage-4 and stage-5 streams pass over the ship.
  Boss4Ray4ASlots[3] = {static_cast<int32_t>(px) + 20, static_cast<int32_t>(py) + 25, 0, 0, 3.5f, 1};
  Boss4Ray4AMove();
  EXPECT_EQ(PlayerAlive, 1u);
  // Boss7's box: 10 .. 30 across, 20 .. 30 down, after the step (gap: no step).
  const struct {
    int dx, dy;
    bool hits;
  } cases[] = {{10, 20, true}, {30, 30, true}, {9, 25, false}, {31, 25, false},
               {20, 19, false}, {20, 31, false}};
  for (const auto& c : cases) {
    PlayerAlive = 1;
    Boss7Ray7BSlots[3] = {static_cast<int32_t>(px) + c.dx, static_cast<int32_t>(py) + c.dy, 0, 0,
                          3.5f, 1};
    Boss7Ray7BMove();
    EXPECT_EQ(PlayerAlive, c.hits ? 0u : 1u) << c.dx << "," << c.dy;
    EXPECT_EQ(Boss7Ray7BSlots[3].active, 1u);  // flies on
  }
}

TEST_F(BossStreamsTest, AimedLineAimsTurnedByItsStepsAndRetiresByRecordZeroOnly) {
  // The ship's aim point straight below the left gun (265, 100).
  PlayerX = 265.0f - 15.0f;
  const struct {
    void (*fire)();
    const AimedShot* slots;
    float heading;
  } cases[] = {
      {Boss4Vall3011FFire, Boss4Vall3011FSlots, PiF / 2},   // straight down
      {Boss4Vall3011CFire, Boss4Vall3011CSlots, PiF},       // +3: to the left
      {Boss4Vall3011IFire, Boss4Vall3011ISlots, 0.0f},      // -3: to the right
  };
  const float speeds[] = {170, 200, 230, 250, 270};
  for (const auto& c : cases) {
    c.fire();
    for (int k = 0; k < 5; ++k) {
      EXPECT_NEAR(c.slots[k].angle, c.heading, 1e-6) << k;
      EXPECT_EQ(c.slots[k].speed, speeds[k]);
      EXPECT_EQ(Pos(c.slots[k]), XY(265.0f, 100.0f));
    }
  }

  // Record 0 exactly on a bound keeps the line; a hundredth further frees all
  // of it where it stands, however far the faster records have gone.
  FrameTime = 0.0f;
  const struct {
    float x, y;
    bool freed;
  } bounds[] = {{-30.0f, 300.0f, false}, {800.0f, 300.0f, false}, {300.0f, -30.0f, false},
                {300.0f, 600.0f, false}, {-30.01f, 300.0f, true}, {300.0f, 600.01f, true}};
  for (const auto& b : bounds) {
    for (AimedShot& r : Boss4Vall3011FSlots) r.active = 1;
    Boss4Vall3011FSlots[0].x = b.x;
    Boss4Vall3011FSlots[0].y = b.y;
    Boss4Vall3011FSlots[4].x = 5000.0f;
    Boss4Vall3011FMove();
    for (int k = 0; k < 5; ++k) EXPECT_EQ(Boss4Vall3011FSlots[k].active, b.freed ? 0u : 1u) << k;
    EXPECT_EQ(Pos(Boss4Vall3011FSlots[0]), XY(b.x, b.y));
    Boss4Vall3011FFire();  // launches only when the whole line is free
    EXPECT_EQ(Boss4Vall3011FSlots[4].x, b.freed ? 265.0f : 5000.0f);
  }
}

TEST_F(BossStreamsTest, LongLinesArePushedForTheirFirst69FramesAt60PerSecond) {
  PlayerX = 285.0f - 15.0f;  // straight below both guns' x of the AC line
  FrameTime = 1.0f / 60.0f;
  const struct {
    void (*fire)();
    void (*move)();
    const AimedShot* slots;
    float side;
  } lines[] = {{Boss4Vall3011ACFire, Boss4Vall3011ACMove, Boss4Vall3011ACSlots, -1.0f},
               {Boss4Vall3011ADFire, Boss4Vall3011ADMove, Boss4Vall3011ADSlots, 1.0f}};
  for (const auto& [fire, move, slots, side] : lines) {
    Boss4State.x = side < 0 ? 180.0f : -20.0f;  // the gun at x 285 either way
    fire();
    ASSERT_EQ(slots[7].speed, 400.0f);
    int pushed = 0, last_pushed = 0;
    for (int frame = 1; frame <= 100; ++frame) {
      const float x0 = slots[0].x;
      move();
      if (std::fabs(slots[0].x - x0) > 1.0f) {
        ++pushed;
        last_pushed = frame;
        EXPECT_NEAR(slots[0].x - x0, side * 260.0f / 120.0f, 1e-3);
        EXPECT_NEAR(slots[7].x - 285.0f, (slots[0].x - 285.0f) * 400.0f / 260.0f, 1e-2);
      }
    }
    EXPECT_EQ(pushed, 69);
    EXPECT_EQ(last_pushed, 69);
    EXPECT_EQ(slots[0].pushDistance, 300.0f);
    EXPECT_EQ(slots[0].active, 1u);
  }
}

// The k = -6 line aimed down-right at 45 degrees flies up-left: its draw
// angle 270 - (-135) = 405 shows as 45.
TEST_F(BossStreamsTest, LineDrawnPast359DegreesLooksAsItsReduction) {
  ImgVall3011 = Sprite(30, 30, [](int x, int y) {
    return static_cast<uint16_t>(x < 8 ? 0xF800 : (y < 6 ? 0x07E0 : 0x001F));
  });
  PlayerX = 265.0f + 200.0f - 15.0f;
  PlayerY = 100.0f + 200.0f - 15.0f;
  Boss4Vall3011LFire();
  ASSERT_NEAR(Boss4Vall3011LSlots[0].angle * 180.0f / PiF, -135.0f, 1e-3);
  const int rotation = DrawAngle({}, Boss4Vall3011LSlots[0].angle);
  ASSERT_GT(rotation, 359);
  auto picture = [] {
    std::vector<uint16_t> p;
    for (int y = 100; y < 130; ++y)
      for (int x = 265; x < 295; ++x) p.push_back(Back(x, y));
    return p;
  };
  elDraw::ClearScreen();
  Boss4Vall3011LDraw();
  const std::vector<uint16_t> drawn = picture();
  elDraw::ClearScreen();
  elDraw::DrawRotated(265, 100, 295, 130, rotation - 360, ImgVall3011, 0, 0, 30, 30);
  EXPECT_EQ(drawn, picture());
  EXPECT_GT(std::count(drawn.begin(), drawn.end(), 0xF800), 0);
  ImgVall3011 = 0;
}

TEST_F(BossStreamsTest, SweepPairsAreMirrorImagesFromTheirPoints) {
  const struct {
    void (*fire3017)();
    void (*move3017)();
    const SweepShot* a;
    void (*fire3018)();
    void (*move3018)();
    const SweepShot* b;
    XY from_a, from_b;
    float bend_degrees;
  } pairs[] = {
      {Boss4Vall3017AFire, Boss4Vall3017AMove, Boss4Vall3017ASlots, Boss4Vall3018AFire,
       Boss4Vall3018AMove, Boss4Vall3018ASlots, {385, 30}, {385, 30}, 360.0f / 280 * 51},
      {Boss4Vall3017BFire, Boss4Vall3017BMove, Boss4Vall3017BSlots, Boss4Vall3018BFire,
       Boss4Vall3018BMove, Boss4Vall3018BSlots, {345, 20}, {425, 20}, 360.0f / 320 * 51},
      {Boss5Vall3017Fire, Boss5Vall3017Move, Boss5Vall3017Slots, Boss5Vall3018Fire,
       Boss5Vall3018Move, Boss5Vall3018Slots, {355, 30}, {355, 30}, 360.0f / 280 * 51},
  };
  for (const auto& p : pairs) {
    p.fire3017();
    p.fire3018();
    EXPECT_EQ(Pos(p.a[0]), p.from_a);
    EXPECT_EQ(Pos(p.b[6]), p.from_b);
    EXPECT_EQ(p.a[6].speed, 193.0f);
    for (int f = 0; f < 60; ++f) {
      p.move3017();
      p.move3018();
    }
    for (int k = 0; k < 7; ++k) {
      EXPECT_NEAR(p.a[k].x - p.from_a.first, -(p.b[k].x - p.from_b.first), 1e-3) << k;
      EXPECT_NEAR(p.a[k].y, p.b[k].y, 1e-3) << k;
    }
    EXPECT_NEAR((p.b[0].angle - 2 * PiF / 10) * 180 / PiF, p.bend_degrees, 1e-2);
    EXPECT_LT(p.a[0].x, p.from_a.first);  // Vall3017 leaves to the left
  }

  // The boss's chains test every record against the ship, free ones too.
  ResetObjectTablesB();
  Boss4Vall3017ASlots[3].x = PlayerX;
  Boss4Vall3017ASlots[3].y = PlayerY + 10.0f;
  Boss4Vall3017AMove();
  EXPECT_EQ(PlayerAlive, 0u);
}

}  // namespace
