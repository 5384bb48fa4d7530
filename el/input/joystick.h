// Up to two joysticks (0 and 1): raw positions, directions against the
// resting position recorded at start-up, a keypad-numbered direction, ramped
// axes, and the first four buttons as states, edge states and hold times.
// A joystick number other than 0 or 1, a button outside its range, or a read
// that fails gives the failure results (0, or 5 for the pad direction).
#pragma once
#include <cstdint>

#include "el/input/keys.h"
#include "os/system.h"

constexpr int JoystickCount = 2;
constexpr int JoyButtonCount = 4;  // buttons with edge states and hold times

struct JoyStateRecord {
  float RampX = 0;     // ramped X axis, -100..100
  float RampY = 0;     // ramped Y axis, -100..100
  float RampRate = 0;  // ramp units per second
  float HoldTime[JoyButtonCount] = {};  // 0..100
  float HoldRate = 0;  // hold units per second
  EdgeState ButtonState[JoyButtonCount] = {};
};

extern os::JoyReading JoyInfo;  // the last reading of any joystick
extern uint32_t JoyCentreX[JoystickCount];  // resting position, 0 if absent then
extern uint32_t JoyCentreY[JoystickCount];
extern JoyStateRecord JoystickState[JoystickCount];

namespace elSystem {

void InitJoystick();    // rescans, records the centres, clears both records
void ProbeJoysticks();  // records the centres
void ResetJoyState();   // ramps and hold times 0; rates and button states kept
void SetJoyRates(int32_t joystick, float ramp_rate, float hold_rate);
void GetJoyCentre(int32_t joystick, uint32_t& x, uint32_t& y);
void GetJoyPosition(int32_t joystick, uint32_t& x, uint32_t& y);
// Each axis -1, 0 or +1 against the centre c: at or below c / 2 is -1, at or
// above c / 2 + c is +1.
void GetJoyDirection(int32_t joystick, int32_t& dx, int32_t& dy);
int32_t GetJoyPadDirection(int32_t joystick);  // 7 8 9 / 4 5 6 / 1 2 3
void GetJoyRampedAxes(int32_t joystick, int32_t& x, int32_t& y);
int32_t IsJoyButtonDown(int32_t joystick, int32_t button);  // button 1..32
void GetJoyButtons(int32_t joystick, int32_t& b1, int32_t& b2, int32_t& b3,
                   int32_t& b4);
EdgeState GetJoyButtonState(int32_t joystick, int32_t button);  // button 1..4
void GetJoyButtonStates(int32_t joystick, EdgeState& s1, EdgeState& s2,
                        EdgeState& s3, EdgeState& s4);
int32_t GetJoyHoldTime(int32_t joystick, int32_t button);  // button 1..4
void GetJoyHoldTimes(int32_t joystick, int32_t& t1, int32_t& t2, int32_t& t3,
                     int32_t& t4);

// The direction of one axis position against its centre.
int32_t JoyAxisDirection(uint32_t position, uint32_t centre);

}  // namespace elSystem
