#include "el/input/joystick.h"

#include <algorithm>

#include "el/system/frame_timer.h"

os::JoyReading JoyInfo;
uint32_t JoyCentreX[JoystickCount] = {};
uint32_t JoyCentreY[JoystickCount] = {};
JoyStateRecord JoystickState[JoystickCount];

namespace elSystem {
namespace {

constexpr float kAxisLimit = 100.0f;
constexpr float kHoldLimit = 100.0f;

bool ValidJoystick(int32_t joystick) { return joystick >= 0 && joystick < JoystickCount; }
bool ValidButton(int32_t button) { return button >= 1 && button <= JoyButtonCount; }

// Reads the joystick into JoyInfo; false when it is out of range or unread.
bool ReadInto(int32_t joystick) {
  if (!ValidJoystick(joystick)) return false;
  return os::ReadJoystick(joystick, &JoyInfo);
}

bool ButtonBit(uint32_t buttons, int32_t button) {
  return ((buttons >> (button - 1)) & 1u) != 0;
}

// One ramped axis moved for one frame in direction d.
float StepRamp(float ramp, int32_t d, float rate) {
  const float step = FrameTime * rate;
  if (d != 0) return std::clamp(ramp + static_cast<float>(d) * step, -kAxisLimit, kAxisLimit);
  if (ramp > 0) return std::max(ramp - step, 0.0f);
  if (ramp < 0) return std::min(ramp + step, 0.0f);
  return ramp;
}

float StepHold(float hold, bool down, float rate) {
  if (!down) return 0;
  return std::min(hold + FrameTime * rate, kHoldLimit);
}

EdgeState StepButton(EdgeState& stored, bool down) {
  stored = EdgesMasked() ? EdgeUp : NextEdgeState(stored, down);
  return stored;
}

}  // namespace

int32_t JoyAxisDirection(uint32_t position, uint32_t centre) {
  const uint64_t half = centre / 2;
  if (position <= half) return -1;
  if (position >= half + centre) return 1;
  return 0;
}

void ProbeJoysticks() {
  for (int32_t joystick = 0; joystick < JoystickCount; ++joystick) {
    if (ReadInto(joystick)) {
      JoyCentreX[joystick] = JoyInfo.x;
      JoyCentreY[joystick] = JoyInfo.y;
    } else {
      JoyCentreX[joystick] = 0;
      JoyCentreY[joystick] = 0;
    }
  }
}

void InitJoystick() {
  os::RescanJoysticks();
  ProbeJoysticks();
  for (JoyStateRecord& state : JoystickState) state = JoyStateRecord{};
}

void ResetJoyState() {
  for (JoyStateRecord& state : JoystickState) {
    state.RampX = 0;
    state.RampY = 0;
    std::fill(std::begin(state.HoldTime), std::end(state.HoldTime), 0.0f);
  }
}

void SetJoyRates(int32_t joystick, float ramp_rate, float hold_rate) {
  if (!ValidJoystick(joystick)) return;
  JoystickState[joystick].RampRate = ramp_rate;
  JoystickState[joystick].HoldRate = hold_rate;
}

void GetJoyCentre(int32_t joystick, uint32_t& x, uint32_t& y) {
  x = ValidJoystick(joystick) ? JoyCentreX[joystick] : 0;
  y = ValidJoystick(joystick) ? JoyCentreY[joystick] : 0;
}

void GetJoyPosition(int32_t joystick, uint32_t& x, uint32_t& y) {
  const bool read = ReadInto(joystick);
  x = read ? JoyInfo.x : 0;
  y = read ? JoyInfo.y : 0;
}

void GetJoyDirection(int32_t joystick, int32_t& dx, int32_t& dy) {
  dx = 0;
  dy = 0;
  if (!ReadInto(joystick)) return;
  dx = JoyAxisDirection(JoyInfo.x, JoyCentreX[joystick]);
  dy = JoyAxisDirection(JoyInfo.y, JoyCentreY[joystick]);
}

int32_t GetJoyPadDirection(int32_t joystick) {
  int32_t dx = 0, dy = 0;
  GetJoyDirection(joystick, dx, dy);
  // Keypad numbering: row 7 8 9 at the top, 1 2 3 at the bottom.
  return 5 + dx - 3 * dy;
}

void GetJoyRampedAxes(int32_t joystick, int32_t& x, int32_t& y) {
  x = 0;
  y = 0;
  if (!ReadInto(joystick)) return;
  JoyStateRecord& state = JoystickState[joystick];
  state.RampX = StepRamp(state.RampX, JoyAxisDirection(JoyInfo.x, JoyCentreX[joystick]),
                         state.RampRate);
  state.RampY = StepRamp(state.RampY, JoyAxisDirection(JoyInfo.y, JoyCentreY[joystick]),
                         state.RampRate);
  x = static_cast<int32_t>(state.RampX);
  y = static_cast<int32_t>(state.RampY);
}

int32_t IsJoyButtonDown(int32_t joystick, int32_t button) {
  if (button < 1 || button > 32 || !ReadInto(joystick)) return 0;
  return ButtonBit(JoyInfo.buttons, button) ? 1 : 0;
}

void GetJoyButtons(int32_t joystick, int32_t& b1, int32_t& b2, int32_t& b3, int32_t& b4) {
  const bool read = ReadInto(joystick);
  const uint32_t buttons = read ? JoyInfo.buttons : 0;
  b1 = ButtonBit(buttons, 1);
  b2 = ButtonBit(buttons, 2);
  b3 = ButtonBit(buttons, 3);
  b4 = ButtonBit(buttons, 4);
}

EdgeState GetJoyButtonState(int32_t joystick, int32_t button) {
  if (!ValidButton(button) || !ReadInto(joystick)) return EdgeUp;
  return StepButton(JoystickState[joystick].ButtonState[button - 1],
                    ButtonBit(JoyInfo.buttons, button));
}

void GetJoyButtonStates(int32_t joystick, EdgeState& s1, EdgeState& s2, EdgeState& s3,
                        EdgeState& s4) {
  EdgeState* out[JoyButtonCount] = {&s1, &s2, &s3, &s4};
  const bool read = ReadInto(joystick);
  for (int32_t i = 0; i < JoyButtonCount; ++i) {
    *out[i] = read ? StepButton(JoystickState[joystick].ButtonState[i],
                                ButtonBit(JoyInfo.buttons, i + 1))
                   : EdgeUp;
  }
}

int32_t GetJoyHoldTime(int32_t joystick, int32_t button) {
  if (!ValidJoystick(joystick) || !ValidButton(button)) return 0;
  JoyStateRecord& state = JoystickState[joystick];
  float& hold = state.HoldTime[button - 1];
  hold = StepHold(hold, IsJoyButtonDown(joystick, button) == 1, state.HoldRate);
  return static_cast<int32_t>(hold);
}

void GetJoyHoldTimes(int32_t joystick, int32_t& t1, int32_t& t2, int32_t& t3, int32_t& t4) {
  int32_t* out[JoyButtonCount] = {&t1, &t2, &t3, &t4};
  const bool read = ReadInto(joystick);
  for (int32_t i = 0; i < JoyButtonCount; ++i) {
    if (!read) {
      *out[i] = 0;
      continue;
    }
    JoyStateRecord& state = JoystickState[joystick];
    state.HoldTime[i] = StepHold(state.HoldTime[i], ButtonBit(JoyInfo.buttons, i + 1),
                                 state.HoldRate);
    *out[i] = static_cast<int32_t>(state.HoldTime[i]);
  }
}

}  // namespace elSystem
