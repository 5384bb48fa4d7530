// The frame-rate meter: the current, highest and lowest rate printed in the
// top-left corner of the frame.  FpsSampleTime (el/system/frame_timer.h)
// starts at the start-up tick.
#pragma once
#include <cstdint>

extern int32_t FpsCount;  // calls since the last sample, at most 999
extern float FpsValue;    // rate of the last sample
extern float FpsMax;      // highest rate seen
extern float FpsMin;      // lowest positive rate seen (999.9 until one is)
extern char FpsText[64];  // the printed line

namespace elDraw {

// Once per frame while the frame is drawn: every 2000 ms the calls counted
// in that window, halved, become the rate; the line is printed every call.
void DrawFps();

}  // namespace elDraw
