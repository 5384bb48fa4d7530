#include "os/audio/midi.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

#include "os/audio/audio.h"
#include "os/audio/smf.h"
#include "os/path.h"
#include "os/sjis.h"

namespace os {
namespace {

using audio::Sequencer;

struct Device {
  bool open = false;
  std::string alias;
  std::string path;  // as the open command named it
  Sequencer* seq = nullptr;
  bool playing = false;
  bool at_end = false;  // played to the end and not rewound since
  bool failed = false;  // the sequencer could not play the piece: it stays silent
  bool notify_pending = false;
  Window notify_window = 0;
};

Device g_device;

Sequencer* BackendSequencer() {
  return ActiveBackend() == Backend::Sdl ? audio::SdlSequencer() : audio::HeadlessSequencer();
}


bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Splits on blanks; a token in double quotes may hold any byte, a double
// quote written twice, and must be followed by a blank or the end.
bool Tokenize(std::string_view text, std::vector<std::string>* out) {
  size_t i = 0;
  const size_t n = text.size();
  while (true) {
    while (i < n && IsSpace(text[i])) ++i;
    if (i == n) return true;
    if (text[i] == '"') {
      std::string token;
      for (++i;; ++i) {
        if (i == n) return false;
        if (text[i] != '"') {
          token += text[i];
        } else if (i + 1 < n && text[i + 1] == '"') {
          token += '"';
          ++i;
        } else {
          break;
        }
      }
      out->push_back(std::move(token));
      ++i;
      if (i < n && !IsSpace(text[i])) return false;
    } else {
      size_t j = i;
      while (j < n && !IsSpace(text[j])) ++j;
      const std::string_view token = text.substr(i, j - i);
      if (token.find('"') != std::string_view::npos) return false;
      out->emplace_back(token);
      i = j;
    }
  }
}

// One line on stderr for a piece that cannot be played, once per file: the
// music is missing, the program goes on.
void SayCannotPlay(const std::string& path, const char* why) {
  static std::set<std::string>* said = new std::set<std::string>;
  const std::string resolved = path.empty() ? std::string("(no file named)") : ResolvePath(path);
  if (!said->insert(resolved).second) return;
  SayLine("vantris: the music is silent: %s: %s", Printable(resolved).c_str(), why);
}

void Notify(Window window, uint64_t code) {
  PostMessage(window, MsgMidiNotify, code, MidiDeviceId);
}

// A pending notice ends with `code` (aborted or superseded).
void EndPendingNotice(uint64_t code) {
  if (!g_device.notify_pending) return;
  g_device.notify_pending = false;
  Notify(g_device.notify_window, code);
}

// Picks up the end of a playing piece; the notice goes out from here.
void PollEnd() {
  if (!g_device.open || !g_device.playing) return;
  bool ended;
  std::string failure;
  {
    std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
    ended = g_device.seq->Ended();
    if (ended) failure = g_device.seq->Failure();
  }
  if (!ended) return;
  g_device.playing = false;
  g_device.at_end = true;
  if (!failure.empty()) {
    // Said once, and answered "failure", which nothing plays again.
    g_device.failed = true;
    SayCannotPlay(g_device.path, failure.c_str());
  }
  if (g_device.notify_pending) {
    g_device.notify_pending = false;
    Notify(g_device.notify_window, g_device.failed ? MidiNotifyFailure : MidiNotifySuccessful);
  }
}

void CloseDevice() {
  if (!g_device.open) return;
  {
    std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
    g_device.seq->Halt();
    g_device.seq->Unload();
  }
  audio::MainMixer().SetMusic(nullptr);
  audio::ReleaseMusic();
  g_device = Device{};
}

uint32_t Open(const std::vector<std::string>& t) {
  if (t.size() != 6 || !EqualsIgnoringCase(t[2], "type") ||
      !EqualsIgnoringCase(t[3], "sequencer") || !EqualsIgnoringCase(t[4], "alias"))
    return MidiErrSyntax;
  if (g_device.open) return MidiErrAliasInUse;
  std::vector<uint8_t> file;
  std::string why = "no file";
  if (t[1].empty() || !ReadWholeFile(t[1], &file, ReadWholeFileLimit, &why)) {
    SayCannotPlay(t[1], why.c_str());
    return MidiErrCannotOpen;
  }
  audio::SmfPiece piece;
  if (!audio::ReadSmf(file, &piece, &why)) {
    SayCannotPlay(t[1], why.c_str());
    return MidiErrCannotOpen;
  }
  Sequencer* seq = BackendSequencer();
  if (!seq->Prepare(audio::MainMixer().Output().rate)) return MidiErrCannotOpen;
  audio::AcquireMusic();
  bool loaded;
  {
    std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
    loaded = seq->Load(piece);
  }
  if (!loaded) {
    audio::ReleaseMusic();
    return MidiErrCannotOpen;
  }
  audio::MainMixer().SetMusic(seq);
  g_device = Device{};
  g_device.open = true;
  g_device.alias = t[5];
  g_device.path = t[1];
  g_device.seq = seq;
  AddPumpHook(&PollEnd);
  return MidiOk;
}

void Halt() {
  std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
  g_device.seq->Halt();
}

}  // namespace

std::string MidiQuoted(std::string_view path) {
  std::string quoted = "\"";
  for (const char c : path) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

uint32_t MidiCommand(std::string_view command, char* answer, size_t answer_size,
                     Window callback) {
  if (answer && answer_size > 0) answer[0] = '\0';
  BackendSequencer()->NoteCommand(command);
  // The tokens' buffer is kept between commands (no command runs another):
  // the music stops in frames of play, which allocate nothing.
  static std::vector<std::string> t;
  t.clear();
  if (!Tokenize(command, &t)) return MidiErrSyntax;
  if (t.empty()) return MidiErrUnknownCommand;
  const std::string& verb = t[0];
  if (EqualsIgnoringCase(verb, "open")) return Open(t);

  const bool known = EqualsIgnoringCase(verb, "seek") || EqualsIgnoringCase(verb, "play") ||
                     EqualsIgnoringCase(verb, "stop") ||
                     EqualsIgnoringCase(verb, "close") || EqualsIgnoringCase(verb, "status");
  if (!known) return MidiErrUnknownCommand;
  if (t.size() < 2) return MidiErrSyntax;
  if (!g_device.open || !EqualsIgnoringCase(t[1], g_device.alias)) return MidiErrNotOpen;
  PollEnd();

  if (EqualsIgnoringCase(verb, "seek")) {
    if (t.size() != 4 || !EqualsIgnoringCase(t[2], "to") || !EqualsIgnoringCase(t[3], "start"))
      return MidiErrSyntax;
    EndPendingNotice(MidiNotifyAborted);
    {
      std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
      g_device.seq->Halt();
      g_device.seq->Rewind();
    }
    g_device.playing = false;
    g_device.at_end = false;
    return MidiOk;
  }
  if (EqualsIgnoringCase(verb, "play")) {
    const bool notify = t.size() == 3 && EqualsIgnoringCase(t[2], "notify");
    if (t.size() != 2 && !notify) return MidiErrSyntax;
    EndPendingNotice(MidiNotifySuperseded);
    if (g_device.failed) {
      // The piece cannot be played: nothing starts, and no end follows.
      if (notify) Notify(callback, MidiNotifyFailure);
      return MidiOk;
    }
    if (g_device.at_end) {
      // Nothing is left to play: the play is over at once.
      if (notify) Notify(callback, MidiNotifySuccessful);
      return MidiOk;
    }
    if (!g_device.playing) {
      std::lock_guard<std::mutex> lock(audio::MainMixer().Mutex());
      g_device.seq->Start();
    }
    g_device.playing = true;
    if (notify) {
      g_device.notify_pending = true;
      g_device.notify_window = callback;
    }
    return MidiOk;
  }
  if (EqualsIgnoringCase(verb, "stop")) {
    if (t.size() != 2) return MidiErrSyntax;
    EndPendingNotice(MidiNotifyAborted);
    Halt();
    g_device.playing = false;
    return MidiOk;
  }
  if (EqualsIgnoringCase(verb, "close")) {
    if (t.size() != 2) return MidiErrSyntax;
    EndPendingNotice(MidiNotifyAborted);
    CloseDevice();
    return MidiOk;
  }
  // status <alias> mode
  if (t.size() != 3 || !EqualsIgnoringCase(t[2], "mode")) return MidiErrSyntax;
  const char* mode = g_device.playing ? "playing" : "stopped";
  if (answer && answer_size > 0) {
    const size_t n = std::min(std::strlen(mode), answer_size - 1);
    std::memcpy(answer, mode, n);
    answer[n] = '\0';
  }
  return MidiOk;
}

}  // namespace os

namespace os::audio {

void ResetMidi() {
  g_device.notify_pending = false;
  CloseDevice();
}

}  // namespace os::audio
