// libFuzzer target for what the headless runner reads: any input is parsed
// as an input script (keys and the mouse) and as a call list, for a run of
// any length and for a short one, and as a recording, whole and for its head
// alone, and as an argument of a recording's run line.  A refusal is one line
// that names the line at fault; what is taken stays within the run and the
// screen; a recording read and written again reads back the same, its
// arguments too, whatever bytes they hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calls.h"
#include "input.h"
#include "recording.h"
#include "script.h"

namespace {

// A refusal names its line and holds neither a line break nor a control byte.
void CheckRefusal(bool parsed, const std::string& error) {
  if (parsed != error.empty()) __builtin_trap();
  if (parsed) return;
  bool named = error.rfind("line ", 0) == 0 || error.rfind("frame ", 0) == 0;
  for (const char c : error) named = named && static_cast<unsigned char>(c) >= 0x20;
  if (!named) __builtin_trap();
}

void Script(std::string_view text, long last_frame) {
  std::vector<runner::InputEvent> lines;
  std::string error;
  CheckRefusal(runner::ParseScript(text, last_frame, &lines, &error), error);
  for (const runner::InputEvent& line : lines) {
    if (line.frame < 0 || line.frame > line.until || line.until > last_frame || line.every < 1 ||
        line.key < 0 || line.key > 255 || line.x < 0 || line.x >= runner::kScreenWidth ||
        line.y < 0 || line.y >= runner::kScreenHeight || line.button < 0 || line.button > 2 ||
        (line.double_click && (line.kind != runner::InputEvent::Button || !line.down)))
      __builtin_trap();
  }
  // The first events as a run applies them: in frame order, within the run.
  runner::InputSchedule schedule(lines);
  long previous = 0;
  runner::InputEvent event;
  for (int n = 0; n < 4096 && schedule.Next(last_frame, &event); ++n) {
    if (event.frame < previous || event.frame > last_frame) __builtin_trap();
    previous = event.frame;
  }
}

void Calls(std::string_view text, long last_frame) {
  std::vector<runner::RoleCall> calls;
  std::string error;
  CheckRefusal(runner::ParseCalls(text, last_frame, &calls, &error), error);
  for (const runner::RoleCall& call : calls) {
    if (call.from < 0 || call.from > last_frame || call.to < call.from ||
        call.to > runner::kLastFrame || call.slot < 0 || call.line < 1 || call.name.empty())
      __builtin_trap();
  }
}

void Recording(std::string_view text) {
  runner::Recording head;
  std::string error;
  CheckRefusal(runner::ParseRecording(text, &head, &error, true), error);
  runner::Recording recording;
  error.clear();
  const bool parsed = runner::ParseRecording(text, &recording, &error);
  CheckRefusal(parsed, error);
  if (!parsed) return;
  if (recording.every < 1 || recording.every > runner::kLastFrame) __builtin_trap();
  const std::string written = runner::FormatRecording(recording);
  runner::Recording again;
  if (!runner::ParseRecording(written, &again, &error) ||
      runner::FormatRecording(again) != written || again.args != recording.args)
    __builtin_trap();
}

// Any bytes as an argument of a run line read back the same, alone and
// beside a word on either side; a quoted word that is cut short or holds a
// bad escape is refused.
void RunArgument(std::string_view text) {
  runner::Recording recording;
  recording.args = {"--frames", std::string(text), "1"};
  const std::string written = runner::FormatRecording(recording);
  runner::Recording again;
  std::string error;
  if (!runner::ParseRecording(written, &again, &error) || again.args != recording.args)
    __builtin_trap();
  runner::LineWords words(text);
  std::string word;
  if (words.More() && words.Argument("", &word) && word.size() > text.size()) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const long last_frame : {runner::kLastFrame, 99L}) {
    Script(text, last_frame);
    Calls(text, last_frame);
  }
  Recording(text);
  RunArgument(text);
  return 0;
}
