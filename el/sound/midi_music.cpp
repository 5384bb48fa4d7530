#include <cstring>
#include <string>

#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/audio/midi.h"

uint32_t MidiOpen = 0;
uint32_t MidiLoop = 1;
uint32_t MidiEnded = 0;

namespace elSound {
namespace {

void Send(const char* command) { os::MidiCommand(command); }
void SendWithNotice(const char* command) { os::MidiCommand(command, nullptr, 0, os::MainWindow()); }

}  // namespace

int32_t InitMidi() {
  MidiOpen = 0;
  MidiEnded = 0;
  MidiLoop = 1;
  return 1;
}

void PlayMidi(const char* file, int32_t loop) {
  // The path stands in double quotes, its own written twice: a piece plays
  // from any folder.
  const std::string open = "open " + os::MidiQuoted(elSystem::GetExePath(0) + (file ? file : "")) +
                           " type sequencer alias midi";
  if (MidiOpen == 1) StopMidi();
  Send(open.c_str());
  Send("seek midi to start");
  SendWithNotice("play midi notify");
  MidiOpen = 1;
  MidiEnded = 0;
  MidiLoop = static_cast<uint32_t>(loop);
}

void ReplayMidi() {
  if (MidiLoop == 1) {
    Send("seek midi to start");
    SendWithNotice("play midi notify");
  } else {
    StopMidi();
  }
  MidiEnded = 1;
}

void StopMidi() {
  if (MidiOpen != 1) return;
  Send("stop midi");
  Send("close midi");
  MidiOpen = 0;
}

void CloseMidi() {
  Send("stop midi");
  Send("close midi");
}

void ClearMidiLoop() { MidiLoop = 0; }

uint32_t SendMidiCommand(const char* command, char* answer, size_t answer_size) {
  return os::MidiCommand(command ? command : "", answer, answer_size, os::MainWindow());
}

void OnMidiNotify(uint64_t notify_code) {
  if (notify_code != os::MidiNotifySuccessful || MidiOpen != 1) return;
  char answer[32] = {};
  SendMidiCommand("status midi mode", answer, sizeof answer);
  if (std::strncmp(answer, "st", 2) == 0) ReplayMidi();
}

}  // namespace elSound
