// The frame timer: paces frames at the asked rate and measures FrameTime,
// the length of the last frame in seconds.  A static object starts it before
// main (1 ms timer resolution, 60 frames per second, limiter
// on) and gives the resolution back at exit.
#pragma once
#include <cstdint>

extern uint32_t UsePerfCounter;  // 1: the performance counter is the frame clock
extern uint32_t UseTimeGetTime;  // 1: the millisecond timer is fine enough (< 10 ms)
extern uint32_t FrameLimitOn;    // 1: pace frames; 0: every poll is a due frame
extern int64_t FrameRate;        // frames per second asked for
extern int64_t PerfFrequency;    // performance-counter ticks per second
extern int64_t FramePeriod;      // one frame in clock units (ticks or ms)
extern int64_t FrameMark;        // clock value at which the frame period began
extern int64_t ClockNow;         // clock value read by the last poll
extern uint32_t FrameTickLast;   // millisecond tick of the last due frame
extern float FrameTime;          // seconds between the last two due frames
extern uint32_t LastFrameTick;   // millisecond tick of the main loop's measure
extern uint32_t FpsSampleTime;   // the frame-rate meter's first sample time

namespace elSystem {

// The longest frame time ever reported: a stall (a box, an inactive window, a
// slow load) must not throw everything that moves by FrameTime across the
// screen in one frame.
constexpr float MaxFrameTime = 0.1f;

void StartTimer();
void EndTimer();
uint32_t SetFrameRate(int32_t fps);  // chooses the clocks, restarts the period; 1
void SetFrameLimit(uint32_t flag);
uint32_t WaitFrame();                // 1 when a frame is due (FrameTime set)
// How long until WaitFrame will find the next frame due, in microseconds
// (rounded up); 0 when it is due now or the limiter is off.  The poll itself
// never waits: the main loop sleeps this long when it has nothing to do.
uint64_t MicrosUntilFrameDue();
// FrameTime 0 and every timer mark restarted now; returns the tick now.
uint32_t ResetFrameTime();
uint32_t MeasureFrameTime();

}  // namespace elSystem
