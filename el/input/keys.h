// Key edge states and the key modes that the shell's window procedure obeys.
#pragma once
#include <cstdint>
#include <initializer_list>

// Kept by the caller per key (or joystick button) between frames:
// 0 up, 1 pressed on this call, 3 held, 2 released on this call.
using EdgeState = int32_t;
enum : EdgeState { EdgeUp = 0, EdgePressed = 1, EdgeReleased = 2, EdgeHeld = 3 };

extern uint32_t TextInputMode;  // 1: key-down codes go to TextInputKey
extern int32_t SysKeyMode;      // system keys: 0 ignored, 1 passed, 2 all but Alt
extern uint32_t WaitKeyState;   // WaitForKeys: 0 idle, 1 armed, 2 chosen
extern uint32_t WaitKeyIndex;   // position of the chosen code in the list
extern uint32_t WaitKeyHit;     // the chosen code

namespace elSystem {

// The next edge state of `state` for the key, stored and returned.  While a
// screen transition runs, the picture overlay is on or text input is on,
// every key reads 0.  A null state or a code outside 0..255 reads as up.
EdgeState GetKeyEdgeState(int32_t code, EdgeState* state);
// The edge rule itself: the next state from the stored one and the key.
EdgeState NextEdgeState(EdgeState state, bool down);
// True while the key and button edges are held at 0.
bool EdgesMasked();

// Polled once per frame with a list of key codes (1 and 2 stand for the left
// and right mouse buttons), optionally ended by 0: returns the chosen code on
// the poll on which it is released, else 0.
uint32_t WaitForKeysList(std::initializer_list<uint32_t> codes);
template <typename... Codes>
uint32_t WaitForKeys(Codes... codes) {
  return WaitForKeysList({static_cast<uint32_t>(codes)...});
}

void BeginTextInput();
void EndTextInput();  // also forgets LastKey
void SetSysKeyMode(int32_t mode);
void CountKeyUps(uint32_t code);  // count the releases of this key from 0
uint32_t GetKeyUpCount();

}  // namespace elSystem
