#include "tests/el/system/el_system_fixture.h"

namespace {

using vantris_test::ElSystemTest;
namespace headless = os::headless;

uint32_t PollAfterMs(uint32_t ms) {
  headless::AdvanceMs(ms);
  return elSystem::WaitFrame();
}

class FrameTimerTest : public ElSystemTest {};

TEST_F(FrameTimerTest, PerformanceCounterPacesFrames) {
  EXPECT_EQ(FramePeriod, 1000000 / 60);
  headless::AdvanceMicros(16665);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  headless::AdvanceMicros(1);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.016f);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);  // nothing more due in the same period
}

TEST_F(FrameTimerTest, MillisecondAndCoarseTimersPaceWholeMilliseconds) {
  for (uint32_t resolution : {1u, 10u}) {
    headless::SetClockCaps(false, resolution);
    elSystem::SetFrameRate(60);
    EXPECT_EQ(UsePerfCounter, 0u);
    EXPECT_EQ(UseTimeGetTime, resolution == 1 ? 1u : 0u);
    EXPECT_EQ(FramePeriod, 16);
    EXPECT_EQ(PollAfterMs(15), 0u);
    EXPECT_EQ(PollAfterMs(1), 1u);
    EXPECT_FLOAT_EQ(FrameTime, 0.016f);
  }
}

TEST_F(FrameTimerTest, LimiterOffOrRateZeroMakesEveryPollDue) {
  elSystem::SetFrameLimit(0);
  EXPECT_EQ(PollAfterMs(3), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.003f);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  elSystem::SetFrameLimit(1);
  elSystem::SetFrameRate(-5);
  EXPECT_EQ(FramePeriod, 0);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
}

TEST_F(FrameTimerTest, StallIsCappedAndResetRestartsTheLimiter) {
  EXPECT_EQ(PollAfterMs(3000), 1u);
  EXPECT_FLOAT_EQ(FrameTime, elSystem::MaxFrameTime);
  headless::AdvanceMs(5000);
  EXPECT_EQ(elSystem::ResetFrameTime(), os::TimeMs());
  EXPECT_FLOAT_EQ(FrameTime, 0.0f);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  EXPECT_EQ(PollAfterMs(16), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
  EXPECT_FLOAT_EQ(FrameTime, 0.017f);

  headless::AdvanceMs(700);
  elSystem::MeasureFrameTime();
  EXPECT_FLOAT_EQ(FrameTime, elSystem::MaxFrameTime);
}

TEST_F(FrameTimerTest, TimeUntilTheNextFrameIsWhatThePollWaitsFor) {
  EXPECT_EQ(PollAfterMs(17), 1u);
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 16666u);
  headless::AdvanceMicros(16665);
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 1u);
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  headless::AdvanceMicros(1);
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 0u);
  EXPECT_EQ(elSystem::WaitFrame(), 1u);
  // The millisecond clock counts whole milliseconds; no limiter, no wait.
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(60);
  headless::AdvanceMs(5);
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 11000u);
  FrameMark = os::TimeMs() + 5000;  // the clock went back
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 0u);
  elSystem::SetFrameLimit(0);
  EXPECT_EQ(elSystem::MicrosUntilFrameDue(), 0u);
}

TEST_F(FrameTimerTest, ClockGoingBackRestartsThePeriod) {
  headless::SetClockCaps(false, 1);
  elSystem::SetFrameRate(60);
  headless::AdvanceMs(100);
  FrameMark = os::TimeMs() + 5000;
  EXPECT_EQ(elSystem::WaitFrame(), 0u);
  EXPECT_EQ(PollAfterMs(15), 0u);
  EXPECT_EQ(PollAfterMs(1), 1u);
}

}  // namespace
