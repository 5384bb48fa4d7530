#include "el/input/keys.h"

#include "el/draw/transition_state.h"
#include "el/system/app_state.h"
#include "os/system.h"

uint32_t TextInputMode = 0;
int32_t SysKeyMode = 0;
uint32_t WaitKeyState = 0;
uint32_t WaitKeyIndex = 0;
uint32_t WaitKeyHit = 0;

namespace elSystem {
namespace {

bool IsMouseCode(uint32_t code) { return code == 1 || code == 2; }

}  // namespace

EdgeState NextEdgeState(EdgeState state, bool down) {
  if (down) return state == EdgeUp ? EdgePressed : EdgeHeld;
  return state == EdgePressed || state == EdgeHeld ? EdgeReleased : EdgeUp;
}

bool EdgesMasked() {
  return TransitionStep != 0 || PictureOverlay != 0 || TextInputMode != 0;
}

EdgeState GetKeyEdgeState(int32_t code, EdgeState* state) {
  if (!state) return EdgeUp;
  const bool down = code >= 0 && code < os::KeyCount && (os::GetKeyState(code) & 0x80) != 0;
  *state = NextEdgeState(*state, down);
  if (EdgesMasked()) *state = EdgeUp;
  return *state;
}

uint32_t WaitForKeysList(std::initializer_list<uint32_t> codes) {
  switch (WaitKeyState) {
    case 0:
      if (LastKey == 0 && MouseButton == 0) WaitKeyState = 1;
      return 0;
    case 1: {
      uint32_t index = 0;
      for (uint32_t code : codes) {
        if (code == 0) break;
        const bool hit = IsMouseCode(code) ? code == LastMouseButton : code == LastKeyCopy;
        if (hit) {
          WaitKeyHit = code;
          WaitKeyIndex = index;
          WaitKeyState = 2;
          break;
        }
        ++index;
      }
      return 0;
    }
    case 2: {
      const bool mouse = IsMouseCode(WaitKeyHit);
      // Another key or button took the place of the chosen one: start again.
      if ((mouse ? LastMouseButton : LastKeyCopy) != WaitKeyHit) {
        WaitKeyState = 0;
        return 0;
      }
      if ((mouse ? MouseButton : LastKey) != 0) return 0;
      WaitKeyState = 0;
      LastKeyCopy = 0;
      LastMouseButton = 0;
      return WaitKeyHit;
    }
    default:
      WaitKeyState = 0;
      return 0;
  }
}

void BeginTextInput() { TextInputMode = 1; }

void EndTextInput() {
  TextInputMode = 0;
  LastKey = 0;
}

void SetSysKeyMode(int32_t mode) { SysKeyMode = mode; }

void CountKeyUps(uint32_t code) {
  CountedKey = code;
  KeyUpCount = 0;
}

uint32_t GetKeyUpCount() { return KeyUpCount; }

}  // namespace elSystem
