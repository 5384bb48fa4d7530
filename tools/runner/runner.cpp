// Plays a key script through the game on the headless backend and writes the
// presented frame at the frames asked for, so that a scripted run can be
// looked at.
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
// the arguments the run had but --replay, --shot, --out and --assets.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "calls.h"
#include "recording.h"
#include "roles.h"
#include "script.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/shell.h"
#include "stages/stage_frame.h"

namespace {

struct Options {
  long frames = 60;
  std::vector<std::string> scripts;
  std::string calls;
  std::set<long> shots;
  std::string out = ".";
  std::string assets = VANTRIS_ASSET_DIR;
  uint32_t seed = 12345;
  long defeat = -1;
  long enter = -1;  // frame of --enter
  int32_t enter_scene = 0;
  int32_t fps = 0;  // 0: the game's own rate
  bool exact = false;  // FrameTime exactly 1 / fps
  std::string replay;
};

int Usage() {
  std::fprintf(stderr,
               "usage: vantris_runner --frames N [--script FILE]... [--calls FILE] "
               "[--shot F]... [--out DIR] [--assets DIR] [--seed S] [--defeat F] "
               "[--enter SCENE@F] [--fps N] [--exact-fps N] [--replay FILE]\n");
  return 2;
}

bool ParseArgs(const std::vector<std::string>& args, Options* options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (i + 1 >= args.size()) return false;
    const std::string& value = args[++i];
    char* end = nullptr;
    if (arg == "--frames") {
      options->frames = std::strtol(value.c_str(), &end, 10);
      if (*end != '\0' || options->frames < 0) return false;
    } else if (arg == "--shot") {
      const long frame = std::strtol(value.c_str(), &end, 10);
      if (*end != '\0' || frame < 0) return false;
      options->shots.insert(frame);
    } else if (arg == "--script") {
      options->scripts.push_back(value);
    } else if (arg == "--calls") {
      options->calls = value;
    } else if (arg == "--out") {
      options->out = value;
    } else if (arg == "--assets") {
      options->assets = value;
    } else if (arg == "--defeat") {
      options->defeat = std::strtol(value.c_str(), &end, 10);
      if (*end != '\0' || options->defeat < 0) return false;
    } else if (arg == "--enter") {
      const long scene = std::strtol(value.c_str(), &end, 10);
      if (*end != '@' || end[1] == '\0' || scene < SceneTitle || scene > SceneShipSelect)
        return false;
      options->enter_scene = static_cast<int32_t>(scene);
      options->enter = std::strtol(end + 1, &end, 10);
      if (*end != '\0' || options->enter < 0) return false;
    } else if (arg == "--fps" || arg == "--exact-fps") {
      const long fps = std::strtol(value.c_str(), &end, 10);
      if (*end != '\0' || fps < 1 || fps > 1000) return false;
      options->fps = static_cast<int32_t>(fps);
      options->exact = arg == "--exact-fps";
    } else if (arg == "--replay") {
      options->replay = value;
    } else if (arg == "--seed") {
      options->seed = static_cast<uint32_t>(std::strtoul(value.c_str(), &end, 10));
      if (*end != '\0') return false;
    } else {
      return false;
    }
  }
  return true;
}

// The whole text of a file; false when it cannot be read.
bool ReadFile(const std::string& path, std::string* text) {
  std::ifstream file(path);
  if (!file) return false;
  std::stringstream content;
  content << file.rdbuf();
  *text = content.str();
  return true;
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
      kept = all[later] != arg;
    if (kept) line.insert(line.end(), {arg, all[i + 1]});
  }
  return line;
}

// Reads the recording named by --replay (only its head when it is to be
// written anew) and takes its arguments, then the command line's again over
// them.  The recording's files are named relative to its folder.  To be
// written anew, its run line becomes the one of this run.
bool LoadReplay(const std::vector<std::string>& args, bool anew, Options* options,
                runner::Recording* recording) {
  std::string text, error;
  if (!ReadFile(options->replay, &text)) {
    std::fprintf(stderr, "vantris_runner: cannot read %s\n", options->replay.c_str());
    return false;
  }
  if (!runner::ParseRecording(text, recording, &error, anew)) {
    std::fprintf(stderr, "vantris_runner: %s: %s\n", options->replay.c_str(), error.c_str());
    return false;
  }
  Options recorded;
  if (!ParseArgs(recording->args, &recorded)) {
    std::fprintf(stderr, "vantris_runner: %s: bad run line\n", options->replay.c_str());
    return false;
  }
  const std::filesystem::path folder = std::filesystem::path(options->replay).parent_path();
  for (std::string& file : recorded.scripts) file = (folder / file).string();
  if (!recorded.calls.empty()) recorded.calls = (folder / recorded.calls).string();
  *options = recorded;
  if (!ParseArgs(args, options)) return false;
  if (anew) recording->args = RunLine(recording->args, args, folder);
  return true;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  return static_cast<bool>(file.flush());
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

// Reads and checks the call list: every name a role, a slot given exactly
// to the roles that take one.
bool LoadCalls(const std::string& path) {
  std::string text, error;
  std::vector<runner::RoleCall> calls;
  if (!ReadFile(path, &text)) {
    std::fprintf(stderr, "vantris_runner: cannot read %s\n", path.c_str());
    return false;
  }
  if (!runner::ParseCalls(text, &calls, &error)) {
    std::fprintf(stderr, "vantris_runner: %s: %s\n", path.c_str(), error.c_str());
    return false;
  }
  for (const runner::RoleCall& call : calls) {
    const runner::Role* role = runner::FindRole(call.name);
    if (role == nullptr) {
      std::fprintf(stderr, "vantris_runner: %s: no role named %s\n", path.c_str(),
                   call.name.c_str());
      return false;
    }
    if (call.has_slot != (role->call_slot != nullptr)) {
      std::fprintf(stderr, "vantris_runner: %s: %s %s\n", path.c_str(), call.name.c_str(),
                   call.has_slot ? "takes no slot" : "needs a slot");
      return false;
    }
    g_calls.push_back({call, role});
  }
  return true;
}

// Ends the running scene as a boss's defeat does: the music stops, both
// reset passes run and the scene changes to `scene` with a transition.
void EndSceneInto(int32_t scene) {
  elSound::StopMidi();
  ResetObjectTablesA();
  ResetObjectTablesB();
  ChangeScene(scene, JitteredRowsTransition, StageClearBand);
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
  if (!ParseArgs(args, &options)) return Usage();
  const char* record = std::getenv("VANTRIS_RECORD");
  const bool recording_anew = record != nullptr && std::string(record) == "1";
  runner::Recording recording;
  if (!options.replay.empty() && !LoadReplay(args, recording_anew, &options, &recording))
    return 1;
  std::optional<runner::Replay> replay;
  if (!options.replay.empty()) replay.emplace(&recording, recording_anew);

  std::vector<runner::KeyEvent> events;
  for (const std::string& script : options.scripts) {
    std::string text, error;
    if (!ReadFile(script, &text)) {
      std::fprintf(stderr, "vantris_runner: cannot read %s\n", script.c_str());
      return 1;
    }
    if (!runner::ParseScript(text, &events, &error)) {
      std::fprintf(stderr, "vantris_runner: %s: %s\n", script.c_str(), error.c_str());
      return 1;
    }
  }
  if (!options.calls.empty()) {
    if (!LoadCalls(options.calls)) return 1;
    StageFrameHook = CallRoles;
  }

  if (!options.shots.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(options.out, ec);
    if (ec) {
      std::fprintf(stderr, "vantris_runner: cannot make %s: %s\n", options.out.c_str(),
                   ec.message().c_str());
      return 1;
    }
  }

  os::StartOptions start;
  start.backend = os::Backend::Headless;
  if (!os::Start(start)) return 1;
  os::headless::SetQuiet(false);
  os::SetExeDir(options.assets + "/");
  // No window on a display and no audio device: the game's single-instance
  // lock is not this run's to take, so it runs beside the game or another run.
  SingleInstanceLock = 0;
  if (!StartUp(0, "", 1)) {
    std::fprintf(stderr, "vantris_runner: start-up failed\n");
    os::Stop();
    return 1;
  }
  os::SeedRandom(options.seed);
  if (options.fps > 0) elSystem::SetFrameRate(options.fps);
  if (options.exact) {
    g_exact_frame_time = 1.0f / static_cast<float>(options.fps);
    SceneFrameHook = SetExactFrameTime;
  }

  size_t next_event = 0;
  long frame = 0;
  int status = 0;
  while (frame < options.frames && !LoopEnded()) {
    g_frame = frame;
    for (; next_event < events.size() && events[next_event].frame <= frame; ++next_event) {
      const runner::KeyEvent& event = events[next_event];
      if (event.down) {
        os::headless::KeyDown(event.key);
      } else {
        os::headless::KeyUp(event.key);
      }
      Pump();
    }
    if (frame == options.defeat) EndSceneInto(SceneEnding);
    if (frame == options.enter) EndSceneInto(options.enter_scene);
    LoopPass pass = LoopPass::Idle;
    while (pass != LoopPass::Frame && pass != LoopPass::Quit) pass = RunLoopPass();
    if (pass == LoopPass::Quit) break;
    if (options.shots.count(frame) != 0) {
      char name[64];
      std::snprintf(name, sizeof name, "/frame_%06ld.bmp", frame);
      const std::string path = options.out + name;
      if (os::headless::WriteFrameBmp(os::headless::LastPresented(), path)) {
        std::printf("frame %ld scene %d -> %s\n", frame, SceneNumber, path.c_str());
      } else {
        std::fprintf(stderr, "vantris_runner: cannot write %s\n", path.c_str());
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
    std::fprintf(stderr,
                 "vantris_runner: %s: %s\n  (screenshots of it: vantris_runner --replay %s "
                 "--shot FRAME --out DIR)\n",
                 options.replay.c_str(), replay->Error().c_str(), options.replay.c_str());
    status = 1;
  } else if (replay && recording_anew && !WriteFile(options.replay, FormatRecording(recording))) {
    std::fprintf(stderr, "vantris_runner: cannot write %s\n", options.replay.c_str());
    status = 1;
  }
  std::printf("ran %ld frames, scene %d%s\n", frame, SceneNumber,
              LoopEnded() ? ", loop ended" : "");
  FinishWinMain();
  os::Stop();
  return status;
}
