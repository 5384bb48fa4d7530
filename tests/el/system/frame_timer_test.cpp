#include <cmath>

#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

// Moves the clock by ms and polls the limiter once.
uint32_t PollAfterMs(uint32_t ms) {
  headless::AdvanceMs(ms);
  return elSystem::WaitFrame();
}

// Polls once per millisecond for `ms` milliseconds; returns the due frames.
int DueFramesOver(int ms) {
  int frames = 0;
  for (int i = 0; i < ms; ++i) frames += static_cast<int>(PollAfterMs(1));
  return frames;
}

TEST(FrameTimerStartUp, RunsBeforeMainAtSixtyFramesWithTheLimiterOn) {
  EXPECT_EQ(FrameRate, 60);
  EXPECT_EQ(FrameLimitOn, 1u);
  EXPECT_GT(FramePeriod, 0);
  EXPECT_DOUBLE_EQ(TwoPi, 2.0 * 3.141592653589793);
}

class FrameTimerTest : public ElSystemTest {};

TEST_F(FrameTimerTest, PerformanceCounterPacesFrames) {
  EXPECT_EQ(UsePerfCounter, 1u);
  EXPECT_EQ(UseTimeGetTime, 1u);
  EXPECT_EQ(PerfFrequency, 1000000);
  EXPECT_EQ(FramePeriod, 1000000 / 60);

  headless::AdvanceMicros(16665);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  headless::AdvanceMicros(1);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.016f);
  // A second poll within the same period finds nothing due.
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
}

TEST_F(FrameTimerTest, MillisecondTimerPacesWholeMilliseconds) {
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(60);
  EXPECT_EQ(UsePerfCounter, 0u);
  EXPECT_EQ(UseTimeGetTime, 1u);
  EXPECT_EQ(FramePeriod, 16);

  EXPECT_EQ(PollAfterMs(15), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.016f);
  // A 16 ms period gives 62.5 frames a second at most.
  EXPECT_EQ(DueFramesOver(1000), 62);
}

TEST_F(FrameTimerTest, CoarseTimerFallsBackToTheTickCount) {
  headless::SetClockCaps(false, 10);
  elSystem::SetFrameRate(60);
  EXPECT_EQ(UsePerfCounter, 0u);
  EXPECT_EQ(UseTimeGetTime, 0u);
  EXPECT_EQ(FramePeriod, 16);
  EXPECT_EQ(PollAfterMs(15), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.016f);

  headless::SetClockCaps(true, 9);  // just fine enough
  elSystem::SetFrameRate(60);
  EXPECT_EQ(UsePerfCounter, 1u);
  EXPECT_EQ(UseTimeGetTime, 1u);
}

TEST_F(FrameTimerTest, LateFrameStartsTheNextPeriodWhenFound) {
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(60);
  EXPECT_EQ(PollAfterMs(21), 1u);  // 5 ms late
  EXPECT_FLOAT_EQ(FrameTime, 0.021f);
  EXPECT_EQ(PollAfterMs(15), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.016f);
}

TEST_F(FrameTimerTest, LimiterOffOrRateZeroMakesEveryPollDue) {
  elSystem::SetFrameLimit(0);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  EXPECT_EQ(PollAfterMs(3), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.003f);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);

  elSystem::SetFrameLimit(1);
  for (int fps : {0, -5}) {
    elSystem::SetFrameRate(fps);
    EXPECT_EQ(FramePeriod, 0);
    EXPECT_EQ(elSystem::WaitFrame(), 1u);
    EXPECT_EQ(elSystem::WaitFrame(), 1u);
  }
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(0);
  EXPECT_EQ(FramePeriod, 0);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
}

TEST_F(FrameTimerTest, StallIsCappedAndResetRestartsTheLimiter) {
  // A stall without a reset: the frame time is capped.
  EXPECT_EQ(PollAfterMs(3000), 1u);
  EXPECT_FLOAT_EQ(FrameTime, elSystem::MaxFrameTime);

  // A stall followed by a reset (a box, reactivation): the first frame
  // measures from the reset, and comes a full period after it.
  headless::AdvanceMs(5000);
  const uint32_t tick = elSystem::ResetFrameTime();
  EXPECT_EQ(tick, os::TimeMs());
  EXPECT_EQ(LastFrameTick, tick);
  EXPECT_EQ(FrameTickLast, tick);
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  EXPECT_EQ(PollAfterMs(16), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.017f);
}

TEST_F(FrameTimerTest, ClockGoingBackRestartsThePeriod) {
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(60);
  headless::AdvanceMs(100);
  FrameMark = os::TimeMs() + 5000;  // as if the clock had jumped back
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  EXPECT_EQ(FrameMark, ClockNow);
  EXPECT_EQ(PollAfterMs(15), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
}

TEST_F(FrameTimerTest, MeasureFrameTimeIsTheTimeSinceTheLastMeasure) {
  elSystem::ResetFrameTime();
  headless::AdvanceMs(25);
  EXPECT_EQ(elSystem::MeasureFrameTime(), os::TimeMs());
  EXPECT_FLOAT_EQ(FrameTime, 0.025f);
  headless::AdvanceMs(700);
  elSystem::MeasureFrameTime();
  EXPECT_FLOAT_EQ(FrameTime, elSystem::MaxFrameTime);
}

}  // namespace
