// libFuzzer target for the MIDI file reader and the command path.  An input
// is command lines, a NUL, then the bytes of a file: each line runs as a
// command, with FILE standing for the file's quoted path, the line "end"
// playing the open piece to its end and "fail" ending it as one the
// synthesiser cannot read; the notices are taken from the queue between
// lines.  The file is also read directly: a piece the reader takes must read
// back from its own image to the same piece.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "os/audio/midi.h"
#include "os/audio/smf.h"
#include "os/headless/headless_audio.h"
#include "tests/fuzz/fuzz_files.h"

namespace {
std::string g_dir;
os::Window g_window = 0;

void TakeNotices() {
  os::Message m;
  while (os::PeekMessage(&m)) {
  }
}

void CheckReader(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> file(data, data + size);
  os::audio::SmfPiece piece, again;
  std::string why;
  if (!os::audio::ReadSmf(file, &piece, &why)) {
    if (why.empty() || !piece.image.empty()) __builtin_trap();
    return;
  }
  if (!os::audio::ReadSmf(piece.image, &again, &why) || again.image != piece.image ||
      again.events != piece.events || again.ticks != piece.ticks || again.tracks != piece.tracks ||
      piece.ticks == 0 || piece.tracks > os::audio::SmfMaxTracks)
    __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_dir = fuzz::StartMachine("midi_fuzz_files");
  g_window = os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, &os::DefaultWindowProc);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = std::min(input.find('\0'), size);
  const std::string path = g_dir + "piece.mid";
  const size_t file_at = std::min(split + 1, size);
  fuzz::WriteInput(path, data + file_at, size - file_at);
  CheckReader(data + file_at, size - file_at);
  std::string_view commands = input.substr(0, split);
  while (!commands.empty()) {
    const size_t end = std::min(commands.find('\n'), commands.size());
    std::string line(commands.substr(0, end));
    commands.remove_prefix(std::min(end + 1, commands.size()));
    if (line == "end") {
      os::headless::EndMidiPiece();
    } else if (line == "fail") {
      os::headless::FailMidiPiece("cannot read it");
    } else {
      for (size_t at; (at = line.find("FILE")) != std::string::npos;)
        line.replace(at, 4, os::MidiQuoted(path));
      char answer[32];
      os::MidiCommand(line, answer, sizeof answer, g_window);
      if (std::string_view(answer).size() >= sizeof answer) __builtin_trap();
    }
    TakeNotices();
  }
  os::audio::ResetMidi();
  TakeNotices();
  os::headless::ClearMidiLog();
  return 0;
}
