// MIDI music: a small command interpreter over one sequencer.
//
// The commands (keywords in any case; a path may stand in double quotes,
// which lets it hold any byte, a double quote of its own written twice as
// MidiQuoted writes it):
//   open <path> type sequencer alias <name>   reads and checks a whole
//                                             standard MIDI file (os/audio/smf.h)
//   seek <name> to start                      stops and rewinds
//   play <name> [notify]                      plays from the current position
//   stop <name>                               stops, keeping the position
//   close <name>                              stops and forgets the piece
//   status <name> mode                        answers "playing" or "stopped"
// One piece can be open at a time.  A play with notify that reaches the end
// of the piece posts MsgMidiNotify(MidiNotifySuccessful, device id) to the
// callback window from the main thread's message pump; a pending notify cut
// short by stop, seek or close is answered with MidiNotifyAborted, one
// replaced by another play with MidiNotifySuperseded.
// A file that cannot be played (missing, unreadable, damaged, or refused by
// the synthesiser while it plays) is said in one line on stderr, once per
// file; a piece the synthesiser refused answers its notices with
// MidiNotifyFailure and plays nothing until it is closed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "os/audio/mixer.h"
#include "os/audio/smf.h"
#include "os/system.h"

namespace os {

enum MidiResult : uint32_t {
  MidiOk = 0,
  MidiErrUnknownCommand = 0xA0D20001,
  MidiErrSyntax = 0xA0D20002,        // a malformed command or quoted path
  MidiErrNotOpen = 0xA0D20003,       // no piece open under that alias
  MidiErrAliasInUse = 0xA0D20004,    // a piece is already open
  MidiErrCannotOpen = 0xA0D20005,    // missing or unreadable file, or no synthesiser
};

// `path` in double quotes as a command takes it: any path can be named, its
// own double quotes written twice ("a""b" names a"b).
std::string MidiQuoted(std::string_view path);

// Runs one command.  The answer (for "status") is written NUL-terminated and
// cut to `answer_size`; `callback` receives the notices of "play ... notify".
uint32_t MidiCommand(std::string_view command, char* answer = nullptr,
                     size_t answer_size = 0, Window callback = 0);

// The device id carried in the notices' lParam.
constexpr int64_t MidiDeviceId = 1;

}  // namespace os

namespace os::audio {

// What the interpreter drives.  Render runs on the audio thread with the
// mixer's mutex held; every other call is made on the main thread, and all
// but Prepare with the mixer's mutex held too.
class Sequencer : public MusicSource {
 public:
  // Gets ready to load (the synthesiser and its soundfont); false when the
  // sequencer cannot play at all.  Called without the mixer's mutex.
  virtual bool Prepare(uint32_t rate) = 0;
  // A piece that passed ReadSmf (os/audio/smf.h).
  virtual bool Load(const SmfPiece& piece) = 0;
  virtual void Unload() = 0;
  virtual void Rewind() = 0;
  virtual void Start() = 0;
  virtual void Halt() = 0;
  // True once a started piece has played to its end (until Rewind).
  virtual bool Ended() = 0;
  // Why an ended piece ended without being played (the synthesiser could not
  // read it); empty when it played.
  virtual std::string Failure() { return {}; }
  // Sees every command the interpreter runs (the headless log).
  virtual void NoteCommand(std::string_view /*command*/) {}
};

// The sequencer of each backend: FluidSynth for SDL, the logging sequencer
// for headless.
Sequencer* SdlSequencer();
Sequencer* HeadlessSequencer();

// The General MIDI soundfont FluidSynth uses: $VANTRIS_SOUNDFONT, else the
// first of the usual system soundfonts that exists (Debian's default-GM.sf2
// alternative first); empty when none does.
std::string FindSoundfont();
// The gain FluidSynth's output is mixed at: a General MIDI piece comes out
// about 7 dB louder than at FluidSynth's own default of 0.2, so the music is
// heard beside the effects.
constexpr double kMusicGain = 0.45;
// A FluidSynth sequencer of its own (tests and the benchmark); nullptr when
// no soundfont is found.
std::unique_ptr<Sequencer> MakeFluidSequencer(uint32_t rate);

// Forgets an open piece without notices (tests start from a clean state).
void ResetMidi();

}  // namespace os::audio
