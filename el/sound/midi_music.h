// MIDI music: one piece at a time under the alias "midi", restarted from its
// beginning whenever it ends while MidiLoop is 1.
#pragma once
#include <cstddef>
#include <cstdint>

extern uint32_t MidiOpen;   // 1 while the piece is open
extern uint32_t MidiLoop;   // 1: start again at the end
extern uint32_t MidiEnded;  // set by every end notice that reaches ReplayMidi

namespace elSound {

int32_t InitMidi();  // always 1
// Opens the file (under the program's folder), closing any open piece
// first, and plays it with an end notice to the main window.
void PlayMidi(const char* file, int32_t loop);
void ReplayMidi();
void StopMidi();       // only when open
void CloseMidi();      // whatever the flags say
void ClearMidiLoop();
// One command to the music device, with the main window for notices.
uint32_t SendMidiCommand(const char* command, char* answer = nullptr, size_t answer_size = 0);
// The window procedure's part of an end notice (MsgMidiNotify's wParam): a
// successful end while the piece is open and reported stopped replays it.
void OnMidiNotify(uint64_t notify_code);

}  // namespace elSound
