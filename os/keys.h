// Key codes and window-message numbers shared by the os layer and everything
// above it.  The numbers are the classic virtual-key and message values, so
// code above os/ can compare with literal codes (0x59 for Y, 27 for Escape).
#pragma once
#include <cstdint>

namespace os {

// Virtual-key codes.
enum Key : int {
  KeyLButton = 0x01, KeyRButton = 0x02,
  KeyBack = 0x08, KeyTab = 0x09, KeyReturn = 0x0D,
  KeyShift = 0x10, KeyControl = 0x11, KeyAlt = 0x12, KeyPause = 0x13,
  KeyEscape = 0x1B, KeySpace = 0x20,
  KeyPageUp = 0x21, KeyPageDown = 0x22, KeyEnd = 0x23, KeyHome = 0x24,
  KeyLeft = 0x25, KeyUp = 0x26, KeyRight = 0x27, KeyDown = 0x28,
  KeyInsert = 0x2D, KeyDelete = 0x2E,
  Key0 = 0x30,  // '0'..'9' are 0x30..0x39
  KeyA = 0x41,  // 'A'..'Z' are 0x41..0x5A
  KeyNumpad0 = 0x60,
  KeyF1 = 0x70, KeyF2 = 0x71, KeyF3 = 0x72, KeyF4 = 0x73, KeyF5 = 0x74,
  KeyF6 = 0x75, KeyF7 = 0x76, KeyF8 = 0x77, KeyF9 = 0x78, KeyF10 = 0x79,
  KeyF11 = 0x7A, KeyF12 = 0x7B,
};
constexpr int KeyCount = 256;

// Window messages delivered by os::PeekMessage.
enum Msg : uint32_t {
  MsgNull = 0x0000,
  MsgDestroy = 0x0002,
  MsgMove = 0x0003,
  MsgClose = 0x0010,
  MsgQuit = 0x0012,
  MsgActivateApp = 0x001C,
  MsgSetCursor = 0x0020,
  MsgKeyDown = 0x0100,
  MsgKeyUp = 0x0101,
  MsgSysKeyDown = 0x0104,
  MsgSysKeyUp = 0x0105,
  MsgSysCommand = 0x0112,
  MsgMouseMove = 0x0200,
  MsgLButtonDown = 0x0201,
  MsgLButtonUp = 0x0202,
  MsgLButtonDblClk = 0x0203,
  MsgRButtonDown = 0x0204,
  MsgRButtonUp = 0x0205,
  MsgRButtonDblClk = 0x0206,
  MsgHotKey = 0x0312,
  MsgMidiNotify = 0x03B9,
};

// wParam of MsgSysCommand that asks for the screen saver.
constexpr uint64_t SysCommandScreenSave = 0xF140;

// wParam values of MsgMidiNotify.
constexpr uint64_t MidiNotifySuccessful = 1;
constexpr uint64_t MidiNotifySuperseded = 2;
constexpr uint64_t MidiNotifyAborted = 4;
constexpr uint64_t MidiNotifyFailure = 8;

// lParam of a mouse message: x in the low word, y in the high word.
constexpr int64_t MousePos(int x, int y) {
  return static_cast<int64_t>((static_cast<uint32_t>(y & 0xFFFF) << 16) |
                              static_cast<uint32_t>(x & 0xFFFF));
}

}  // namespace os
