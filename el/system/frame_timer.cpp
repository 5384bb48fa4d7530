// The frame timer.  The frame clock is the performance counter when the
// machine has one, else the millisecond clock (the fine millisecond timer when
// its minimum period is below 10 ms, else the tick count).  A poll never waits:
// WaitFrame answers at once and the main loop goes back to its messages (and
// sleeps until the frame is due when none is waiting).
#include "el/system/frame_timer.h"

#include <algorithm>

#include "el/draw/elDraw.h"
#include "os/system.h"

uint32_t UsePerfCounter = 0;
uint32_t UseTimeGetTime = 0;
uint32_t FrameLimitOn = 0;
int64_t FrameRate = 0;
int64_t PerfFrequency = 0;
int64_t FramePeriod = 0;
int64_t FrameMark = 0;
int64_t ClockNow = 0;
uint32_t FrameTickLast = 0;
float FrameTime = 0;
uint32_t LastFrameTick = 0;

// Set before main, in this order: the frame-rate meter's first sample time,
// then the timer object (which starts the timer).
uint32_t FpsSampleTime = os::TimeMs();

namespace {

// Starts the timer before main and gives the timer resolution back at exit.
struct FrameTimerLifetime {
  FrameTimerLifetime() { elSystem::StartTimer(); }
  ~FrameTimerLifetime() { elSystem::EndTimer(); }
};
FrameTimerLifetime g_frame_timer;

// The millisecond clock that paces and measures frames.
uint32_t MillisecondClock() {
  return UseTimeGetTime ? os::TimeMs() : os::TickCountMs();
}

// The clock the frame period is counted in.
int64_t FrameClock() {
  if (UsePerfCounter) {
    int64_t now = 0;
    if (os::PerfCounter(&now)) return now;
  }
  return MillisecondClock();
}

// Milliseconds between two ticks as a frame time, never above MaxFrameTime.
float FrameSeconds(uint32_t now, uint32_t before) {
  const float seconds = static_cast<float>(now - before) / 1000.0f;
  return std::min(seconds, elSystem::MaxFrameTime);
}

}  // namespace

namespace elSystem {

void StartTimer() {
  os::TimerBeginPeriod(1);
  SetFrameRate(60);
  SetFrameLimit(1);
}

void EndTimer() { os::TimerEndPeriod(1); }

uint32_t SetFrameRate(int32_t fps) {
  FrameRate = fps;
  uint32_t min_period = 0;
  UseTimeGetTime = os::TimerMinPeriod(&min_period) && min_period < 10 ? 1 : 0;
  int64_t frequency = 0;
  if (os::PerfFrequency(&frequency) && frequency > 0) {
    UsePerfCounter = 1;
    PerfFrequency = frequency;
    FramePeriod = fps > 0 ? frequency / fps : 0;
  } else {
    UsePerfCounter = 0;
    FramePeriod = fps > 0 ? 1000 / fps : 0;
  }
  ClockNow = FrameMark = FrameClock();
  FrameTickLast = os::TimeMs();
  return 1;
}

void SetFrameLimit(uint32_t flag) {
  FrameLimitOn = flag;
  elDraw::SetVSync(flag == 0 ? 1 : 0);
}

uint32_t WaitFrame() {
  ClockNow = FrameClock();
  const int64_t elapsed = ClockNow - FrameMark;
  if (elapsed < 0) FrameMark = ClockNow;  // the clock went back
  if (FrameLimitOn != 0 && elapsed < FramePeriod) return 0;
  // Due: the next period starts now, so a late frame is not caught up.
  FrameMark = ClockNow;
  FrameTime = FrameSeconds(MillisecondClock(), FrameTickLast);
  FrameTickLast = os::TimeMs();
  return 1;
}

uint64_t MicrosUntilFrameDue() {
  if (FrameLimitOn == 0 || FramePeriod <= 0) return 0;
  const int64_t elapsed = FrameClock() - FrameMark;
  // Due, or the clock went back (the next poll restarts the period).
  if (elapsed < 0 || elapsed >= FramePeriod) return 0;
  const uint64_t left = static_cast<uint64_t>(FramePeriod - elapsed);
  if (UsePerfCounter == 0 || PerfFrequency <= 0) return left * 1000;
  const uint64_t frequency = static_cast<uint64_t>(PerfFrequency);
  return (left * 1000000 + frequency - 1) / frequency;
}

uint32_t ResetFrameTime() {
  FrameTime = 0;
  LastFrameTick = os::TimeMs();
  // The limiter's own marks restart too, so the first frame after a pause
  // measures from here and not from the frame before the pause.
  FrameTickLast = LastFrameTick;
  ClockNow = FrameMark = FrameClock();
  return LastFrameTick;
}

uint32_t MeasureFrameTime() {
  FrameTime = FrameSeconds(os::TimeMs(), LastFrameTick);
  LastFrameTick = os::TimeMs();
  return LastFrameTick;
}

}  // namespace elSystem
