// Plays input scripts (keys and the mouse, script.h) through the game on the
// headless backend and writes the presented frame at the frames asked for, so
// that a scripted run can be looked at.
//
//   vantris_runner --frames N [--script FILE]... [--calls FILE] [--shot F]...
//                  [--out DIR] [--assets DIR] [--seed S] [--defeat F]
//                  [--enter SCENE@F] [--fps N] [--exact-fps N] [--replay FILE]
//
// Frames count from 0; a script event of frame F is applied before frame F
// runs (the events of several scripts merged by frame, in order), and
// "--shot F" writes the frame presented by frame F to DIR/frame_NNNNNN.bmp,
// F zero-padded to six digits (frame 149: frame_000149.bmp; DIR is made when
// missing, "." by default), and prints a line naming the file.
// "--defeat F" ends the running stage before frame F as the last boss's
// defeat does: the music stops, both reset passes run and the scene changes
// to the ending; "--enter SCENE@F" does the same into scene SCENE, so that a
// stage no scene change leads to can be played.  "--fps N" sets the frame
// rate after start-up (10 keeps the frame time at its 0.1 s cap, one fixed
// step every frame); "--exact-fps N" sets the frame rate N and makes every
// scene frame's FrameTime exactly 1/N s (as the clock measures it, a frame
// lasts whole milliseconds), so that at 64 every timer and scroll position
// lands on exact binary fractions.  "--calls FILE" calls game roles by name
// inside the stage frames (calls.h), e.g. to fly an enemy kind with its guns
// for a screenshot.
// "--replay FILE" plays a recorded run (recording.h) with the arguments kept
// in FILE, any others given after them, and fails at the first frame whose
// digest differs from the recorded one; with VANTRIS_RECORD=1 in the
// environment it writes FILE anew from the run instead, its run line holding
// the arguments the run had but --replay, --shot, --out and --assets (only
// over an empty file or a recording: anything else is refused, untouched).
//
// A command line that cannot be meant is refused with the usage and exit
// status 2: a number that is not whole and decimal or out of its range, an
// option given twice (but --script and --shot), no frame count (here or in
// the recording), a frame named past the last one, --out without --shot.  A
// file that cannot be read (no regular file, such as a folder, a FIFO or a
// device, or one larger than 16 MiB), a line of it that cannot be meant (a
// number out of its range, an event or call past the last frame), an
// --assets folder without the game's pictures and sounds (whatever their
// case), and a shot that the run does not reach because the game's loop
// ended first are said in one line and fail the run (status 1).  Every path
// and word a line names shows its control bytes as \xNN.

#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "os/system.h"
#include "el/system/elSystem.h"
#include "calls.h"
#include "input.h"
#include "recording.h"
#include "roles.h"
#include "scene_end.h"
#include "script.h"
#include "shell/assets.h"
#include "shell/scene.h"
#include "shell/shell.h"
#include "stages/stage_frame.h"

namespace {

// Frame numbers keep six digits in the screenshots' names.
constexpr long kMaxFrames = runner::kLastFrame + 1;

struct Options {
  long frames = 0;  // 0: not given
  std::vector<std::string> scripts;
  std::string calls;
  std::set<long> shots;
  std::string out;  // empty: not given, the screenshots go to "."
  std::string assets = VANTRIS_ASSET_DIR;
  uint32_t seed = 12345;
  long defeat = -1;
  long enter = -1;  // frame of --enter
  int32_t enter_scene = 0;
  int32_t fps = 0;  // 0: the game's own rate
  bool exact = false;  // FrameTime exactly 1 / fps
  std::string replay;
  bool help = false;
};

constexpr const char* kUsage =
    "usage: vantris_runner --frames N [OPTION]...\n"
    "       vantris_runner --replay FILE [OPTION]...\n"
    "  --frames N        play N frames (1 to 1000000), numbered from 0\n"
    "  --script FILE     press and release keys, one \"FRAME KEY down|up\" a line,\n"
    "                    move and click the mouse, \"FRAME mouse X Y\", \"FRAME click\n"
    "                    left|right down|up [double]\" (several scripts are merged)\n"
    "  --calls FILE      call game roles by name in the stage frames, one\n"
    "                    \"FROM TO NAME [SLOT]\" a line\n"
    "  --shot F          write the frame presented by frame F to DIR/frame_NNNNNN.bmp\n"
    "                    (may be given again)\n"
    "  --out DIR         where the screenshots go (made when missing; . by default)\n"
    "  --assets DIR      the folder of the game's pictures, sounds and music\n"
    "  --seed S          the random seed (0 to 4294967295, 12345 by default)\n"
    "  --defeat F        end the running stage before frame F as its boss's defeat does\n"
    "  --enter SCENE@F   end the running scene into SCENE (1 to 12) before frame F\n"
    "  --fps N           frames a second after start-up (1 to 1000)\n"
    "  --exact-fps N     the same, each scene frame lasting exactly 1/N s\n"
    "  --replay FILE     play a recorded run with its arguments, checking every digest\n"
    "                    (VANTRIS_RECORD=1 writes it anew)\n"
    "  --help            show this text\n";

// A refused command line: what is wrong, then the usage.
int Usage(const std::string& problem) {
  os::SayLine("vantris_runner: %s\n%s", problem.c_str(), kUsage);
  return 2;
}

using runner::ParseDecimal;

// --enter's SCENE@FRAME.
bool ParseEnter(std::string_view text, Options* options) {
  const size_t at = text.find('@');
  int64_t scene = 0, frame = 0;
  if (at == std::string_view::npos ||
      !ParseDecimal(text.substr(0, at), SceneTitle, SceneShipSelect, &scene) ||
      !ParseDecimal(text.substr(at + 1), 0, kMaxFrames - 1, &frame))
    return false;
  options->enter_scene = static_cast<int32_t>(scene);
  options->enter = frame;
  return true;
}

// The option an argument names: --exact-fps is --fps with exact frames.
std::string OptionKey(const std::string& arg) { return arg == "--exact-fps" ? "--fps" : arg; }

// Reads one command line (or a recording's run line) over `options`.  Every
// option takes one value; only --script and --shot may be given again.
bool ParseArgs(const std::vector<std::string>& args, Options* options, std::string* problem) {
  std::set<std::string> seen;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      options->help = true;
      continue;
    }
    static const std::set<std::string> kOptions = {
        "--frames", "--script", "--calls", "--shot", "--out",  "--assets",
        "--seed",   "--defeat", "--enter", "--fps",  "--exact-fps", "--replay"};
    if (kOptions.count(arg) == 0) {
      *problem = "unknown option '" + os::Printable(arg) + "'";
      return false;
    }
    if (i + 1 >= args.size()) {
      *problem = arg + " needs a value";
      return false;
    }
    if (!seen.insert(OptionKey(arg)).second && arg != "--script" && arg != "--shot") {
      *problem = (OptionKey(arg) == "--fps" ? "--fps or --exact-fps" : arg) + " is given twice";
      return false;
    }
    const std::string& value = args[++i];
    const auto refuse = [&](const char* wanted) {
      *problem = arg + " takes " + wanted + ", not '" + os::Printable(value) + "'";
      return false;
    };
    int64_t number = 0;
    if (arg == "--frames") {
      if (!ParseDecimal(value, 1, kMaxFrames, &number))
        return refuse("a frame count from 1 to 1000000");
      options->frames = static_cast<long>(number);
    } else if (arg == "--shot" || arg == "--defeat") {
      if (!ParseDecimal(value, 0, kMaxFrames - 1, &number))
        return refuse("a frame from 0 to 999999");
      if (arg == "--shot") {
        options->shots.insert(static_cast<long>(number));
      } else {
        options->defeat = static_cast<long>(number);
      }
    } else if (arg == "--enter") {
      if (!ParseEnter(value, options))
        return refuse("SCENE@FRAME, a scene from 1 to 12 and a frame from 0 to 999999");
    } else if (arg == "--fps" || arg == "--exact-fps") {
      if (!ParseDecimal(value, 1, 1000, &number)) return refuse("a rate from 1 to 1000");
      options->fps = static_cast<int32_t>(number);
      options->exact = arg == "--exact-fps";
    } else if (arg == "--seed") {
      if (!ParseDecimal(value, 0, UINT32_MAX, &number))
        return refuse("a seed from 0 to 4294967295");
      options->seed = static_cast<uint32_t>(number);
    } else if (value.empty()) {
      return refuse(arg == "--out" || arg == "--assets" ? "a folder" : "a file");
    } else if (arg == "--script") {
      options->scripts.push_back(value);
    } else if (arg == "--calls") {
      options->calls = value;
    } else if (arg == "--out") {
      options->out = value;
    } else if (arg == "--assets") {
      options->assets = value;
    } else {
      options->replay = value;
    }
  }
  return true;
}

// What the whole run asks for, a recording's run line included, must be able
// to happen: frames to play, and every frame named among them.
bool CheckRun(const Options& options, std::string* problem) {
  if (options.frames == 0) {
    *problem = "no --frames given";
    if (!options.replay.empty())
      *problem += ", here or in " + os::Printable(options.replay) + "'s run line";
    return false;
  }
  const auto past = [&](const char* what, long frame) {
    *problem = std::string(what) + std::to_string(frame) + " is past the last frame, " +
               std::to_string(options.frames - 1);
    return false;
  };
  if (!options.shots.empty() && *options.shots.rbegin() >= options.frames)
    return past("--shot ", *options.shots.rbegin());
  if (options.defeat >= options.frames) return past("--defeat ", options.defeat);
  if (options.enter >= options.frames) return past("--enter's frame ", options.enter);
  if (!options.out.empty() && options.shots.empty()) {
    *problem = "--out names where screenshots go, but no --shot asks for one";
    return false;
  }
  return true;
}

// The whole text of a script, call list or recording; false, said, when it
// cannot be read.
bool ReadFile(const std::string& path, std::string* text) {
  std::string why;
  if (runner::ReadTextFile(path, runner::kMaxFileBytes, text, &why)) return true;
  os::SayLine("vantris_runner: cannot read %s: %s", os::Printable(path).c_str(), why.c_str());
  return false;
}

// `path`, named from the working folder, named from `folder` instead.
std::string FromFolder(const std::string& path, const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  if (folder.empty() || fs::path(path).is_absolute()) return path;
  const fs::path from = fs::absolute(path).lexically_normal().lexically_relative(
      fs::absolute(folder).lexically_normal());
  return from.empty() ? fs::absolute(path).string() : from.string();
}

// The run line that plays a run again: the recording's arguments, then those
// given after them with their files named from the recording's folder, less
// --replay and the options that only say where screenshots go or where the
// pictures are read from, and less each option that a later one of its name
// replaces (--script adds up).
std::vector<std::string> RunLine(const std::vector<std::string>& recorded,
                                 const std::vector<std::string>& given,
                                 const std::filesystem::path& folder) {
  std::vector<std::string> all = recorded;
  for (size_t i = 0; i + 1 < given.size(); i += 2) {
    const bool file = given[i] == "--script" || given[i] == "--calls";
    all.push_back(given[i]);
    all.push_back(file ? FromFolder(given[i + 1], folder) : given[i + 1]);
  }
  std::vector<std::string> line;
  for (size_t i = 0; i + 1 < all.size(); i += 2) {
    const std::string& arg = all[i];
    bool kept = arg != "--replay" && arg != "--shot" && arg != "--out" && arg != "--assets";
    for (size_t later = i + 2; kept && arg != "--script" && later < all.size(); later += 2)
      kept = OptionKey(all[later]) != OptionKey(arg);
    if (kept) line.insert(line.end(), {arg, all[i + 1]});
  }
  return line;
}

// Reads the recording named by --replay (only its head is kept when it is
// to be written anew) and takes its arguments, then the command line's again
// over them.  The recording's files are named relative to its folder.  To be
// written anew, its run line becomes the one of this run; a file that is not
// empty and holds a line no recording holds (a key script, say) is no
// recording, and is left as it is.
bool LoadReplay(const std::vector<std::string>& args, bool anew, Options* options,
                runner::Recording* recording) {
  std::string text, error;
  if (!ReadFile(options->replay, &text)) return false;
  const std::string replay = os::Printable(options->replay);
  if (!runner::ParseRecording(text, recording, &error, anew)) {
    os::SayLine(anew ? "vantris_runner: %s is no recording, so it is not written anew: %s"
                     : "vantris_runner: %s: %s",
                replay.c_str(), error.c_str());
    return false;
  }
  Options recorded;
  if (!ParseArgs(recording->args, &recorded, &error)) {
    os::SayLine("vantris_runner: %s: bad run line: %s", replay.c_str(), error.c_str());
    return false;
  }
  const std::filesystem::path folder = std::filesystem::path(options->replay).parent_path();
  for (std::string& file : recorded.scripts) file = (folder / file).string();
  if (!recorded.calls.empty()) recorded.calls = (folder / recorded.calls).string();
  *options = recorded;
  ParseArgs(args, options, &error);  // read once already
  if (anew) recording->args = RunLine(recording->args, args, folder);
  return true;
}

// Writes `text` over the recording at `path`, which must still be a regular
// file (nothing waits on a FIFO put there meanwhile); false, said, when it
// cannot.
bool WriteRecording(const std::string& path, const std::string& text) {
  std::string why;
  const int fd = os::OpenRegularFile(path, &why, true);
  bool ok = fd >= 0;
  if (ok && ::ftruncate(fd, 0) != 0) ok = false;
  for (size_t at = 0; ok && at < text.size();) {
    const ssize_t wrote = ::write(fd, text.data() + at, text.size() - at);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) ok = false;
    if (ok) at += static_cast<size_t>(wrote);
  }
  if (fd >= 0) {
    if (!ok) why = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
      ok = false;
      why = std::strerror(errno);
    }
  }
  if (!ok) {
    os::SayLine("vantris_runner: cannot write %s: %s", os::Printable(path).c_str(), why.c_str());
  }
  return ok;
}

// The role calls of the run, each with its role, and the frame running.
struct BoundCall {
  runner::RoleCall call;
  const runner::Role* role;
};
std::vector<BoundCall> g_calls;
long g_frame = 0;
float g_exact_frame_time = 0.0f;

// Before each scene frame, once the frame clock has measured FrameTime.
void SetExactFrameTime(int32_t) { FrameTime = g_exact_frame_time; }

void CallRoles() {
  for (const BoundCall& bound : g_calls) {
    if (g_frame < bound.call.from || g_frame > bound.call.to) continue;
    if (bound.role->call != nullptr) {
      bound.role->call();
    } else {
      bound.role->call_slot(static_cast<int32_t>(bound.call.slot));
    }
  }
}

// Reads and checks the call list of a run whose last frame is `last_frame`:
// every name a role, a slot given exactly to the roles that take one and
// within their table.
bool LoadCalls(const std::string& path, long last_frame) {
  std::string text, error;
  std::vector<runner::RoleCall> calls;
  if (!ReadFile(path, &text)) return false;
  if (!runner::ParseCalls(text, last_frame, &calls, &error)) {
    os::SayLine("vantris_runner: %s: %s", os::Printable(path).c_str(), error.c_str());
    return false;
  }
  for (const runner::RoleCall& call : calls) {
    const runner::Role* role = runner::FindRole(call.name);
    std::string wrong;
    if (role == nullptr) {
      wrong = "no role named " + runner::Quoted(call.name);
    } else if (call.has_slot != (role->call_slot != nullptr)) {
      wrong = call.name + (call.has_slot ? " takes no slot" : " needs a slot");
    } else if (call.has_slot && call.slot >= role->slots) {
      wrong = call.name + " takes a slot from 0 to " + std::to_string(role->slots - 1) +
              ", not " + std::to_string(call.slot);
    }
    if (!wrong.empty()) {
      os::SayLine("vantris_runner: %s: line %ld: %s", os::Printable(path).c_str(), call.line,
                  wrong.c_str());
      return false;
    }
    g_calls.push_back({call, role});
  }
  return true;
}

// Gives the game one event of the scripts, and tells the observer of a
// recorded run.
void Apply(const runner::InputEvent& event, runner::Observer* observer) {
  switch (event.kind) {
    case runner::InputEvent::Key:
      if (event.down) {
        os::headless::KeyDown(event.key);
      } else {
        os::headless::KeyUp(event.key);
      }
      if (observer) observer->Key(event.key, event.down);
      break;
    case runner::InputEvent::Pointer:
      os::headless::MouseMove(event.x, event.y);
      if (observer) observer->Pointer(event.x, event.y);
      break;
    case runner::InputEvent::Button:
      os::headless::MouseButton(event.button, event.down, event.double_click);
      if (observer && event.button == 1) observer->Button(event.down, event.double_click);
      break;
  }
}

// The input scripts of the run, merged; false, said, at the first that cannot
// be read or meant.
bool LoadScripts(const std::vector<std::string>& paths, long last_frame,
                 std::vector<runner::InputEvent>* events) {
  for (const std::string& path : paths) {
    std::string text, error;
    if (!ReadFile(path, &text)) return false;
    if (!runner::ParseScript(text, last_frame, events, &error)) {
      os::SayLine("vantris_runner: %s: %s", os::Printable(path).c_str(), error.c_str());
      return false;
    }
  }
  return true;
}

// The --assets folder holds the game's pictures and sounds, found as the
// game finds them, whatever their case: false, said in one line naming what
// is missing, when it is no folder or holds none of them.  (Some of them
// missing or damaged is the game's to say, file by file, as it does for a
// player.)
bool CheckAssets(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(folder, ec);
  std::string wrong;
  if (status.type() == fs::file_type::not_found) {
    wrong = "no such folder";
  } else if (ec) {
    wrong = ec.message();
  } else if (status.type() != fs::file_type::directory) {
    wrong = "not a folder";
  } else {
    int found = 0;
    for (int i = 0; i < AssetCount; ++i)
      found += fs::exists(os::ResolvePath(folder + "/" + AssetCatalogue[i].file), ec) ? 1 : 0;
    if (found == 0) {
      wrong = "not the game's folder: it holds none of its " + std::to_string(AssetCount) +
              " pictures and sounds, such as " + AssetCatalogue[0].file;
    }
  }
  if (wrong.empty()) return true;
  os::SayLine("vantris_runner: --assets %s: %s", os::Printable(folder).c_str(),
              os::Printable(wrong).c_str());
  return false;
}

// Handles every waiting message, as the loop does before its next frame.
void Pump() {
  while (os::QueuedMessageCount() > 0 && RunLoopPass() == LoopPass::Message) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string problem;
  if (!ParseArgs(args, &options, &problem)) return Usage(problem);
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const char* record = std::getenv("VANTRIS_RECORD");
  const bool recording_anew = record != nullptr && std::string(record) == "1";
  runner::Recording recording;
  if (!options.replay.empty() && !LoadReplay(args, recording_anew, &options, &recording))
    return 1;
  std::optional<runner::Replay> replay;
  if (!options.replay.empty()) replay.emplace(&recording, recording_anew);
  if (!CheckRun(options, &problem)) return Usage(problem);
  const std::string out = options.out.empty() ? "." : options.out;

  const long last_frame = options.frames - 1;
  std::vector<runner::InputEvent> script_lines;
  if (!LoadScripts(options.scripts, last_frame, &script_lines)) return 1;
  runner::InputSchedule events(std::move(script_lines));
  if (!options.calls.empty()) {
    if (!LoadCalls(options.calls, last_frame)) return 1;
    StageFrameHook = CallRoles;
  }
  if (!CheckAssets(options.assets)) return 1;

  std::error_code ec;
  if (!options.shots.empty()) {
    std::filesystem::create_directories(out, ec);
    if (ec) {
      os::SayLine("vantris_runner: cannot make %s: %s", os::Printable(out).c_str(),
                  os::Printable(ec.message()).c_str());
      return 1;
    }
  }

  os::StartOptions start;
  start.backend = os::Backend::Headless;
  if (!os::Start(start)) return 1;
  os::headless::SetQuiet(false);
  // The music ends and loops on the virtual clock, as a player hears it.
  os::headless::TimeMidiPieces(true);
  os::SetExeDir(options.assets + "/");
  // No window on a display and no audio device: the game's single-instance
  // lock is not this run's to take, so it runs beside the game or another run.
  SingleInstanceLock = 0;
  if (StartUp(0, "", 1) != StartUpResult::Run) {
    os::SayLine("vantris_runner: start-up failed");
    os::Stop();
    return 1;
  }
  os::SeedRandom(options.seed);
  if (options.fps > 0) elSystem::SetFrameRate(options.fps);
  if (options.exact) {
    g_exact_frame_time = 1.0f / static_cast<float>(options.fps);
    SceneFrameHook = SetExactFrameTime;
  }

  long frame = 0;
  int status = 0;
  std::set<long> shots_due = options.shots;
  while (frame < options.frames && !LoopEnded()) {
    g_frame = frame;
    for (runner::InputEvent event; events.Next(frame, &event);) {
      Apply(event, replay ? &replay->Watch() : nullptr);
      Pump();
    }
    if (frame == options.defeat) runner::EndSceneInto(SceneEnding);
    if (frame == options.enter) runner::EndSceneInto(options.enter_scene);
    LoopPass pass = LoopPass::Idle;
    while (pass != LoopPass::Frame && pass != LoopPass::Quit) pass = RunLoopPass();
    if (pass == LoopPass::Quit) break;
    if (shots_due.erase(frame) != 0) {
      char name[64];
      std::snprintf(name, sizeof name, "/frame_%06ld.bmp", frame);
      const std::string path = out + name;
      errno = 0;
      if (os::headless::WriteFrameBmp(os::headless::LastPresented(), path)) {
        std::printf("frame %ld scene %d -> %s\n", frame, SceneNumber,
                    os::Printable(path).c_str());
      } else {
        os::SayLine("vantris_runner: cannot write %s: %s", os::Printable(path).c_str(),
                    errno != 0 ? std::strerror(errno) : "no frame was presented");
        status = 1;
      }
    }
    // At the first frame that differs the run stops, unless screenshots of
    // later frames are asked for.
    if (replay && replay->Error().empty()) replay->AfterFrame(frame);
    if (replay && !replay->Error().empty() &&
        (options.shots.empty() || *options.shots.rbegin() <= frame))
      break;
    ++frame;
  }
  if (replay && replay->Error().empty()) replay->Finish(frame);
  if (replay && !replay->Error().empty()) {
    os::SayLine(
        "vantris_runner: %s: %s\n  (screenshots of it: vantris_runner --replay %s "
        "--shot FRAME --out DIR)",
        os::Printable(options.replay).c_str(), os::Printable(replay->Error()).c_str(),
        os::Printable(options.replay).c_str());
    status = 1;
  } else if (replay && recording_anew &&
             !WriteRecording(options.replay, FormatRecording(recording))) {
    status = 1;
  }
  // The game's loop ended before a frame asked for.
  if (!shots_due.empty()) {
    os::SayLine("vantris_runner: no screenshot of frame %ld: the run ended after %ld frames",
                *shots_due.begin(), frame);
    status = 1;
  }
  std::printf("ran %ld frames, scene %d%s\n", frame, SceneNumber,
              LoopEnded() ? ", loop ended" : "");
  FinishWinMain();
  os::Stop();
  return status;
}
