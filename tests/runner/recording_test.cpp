// The recorded runs: a replay names the frame and the parts that differ, a
// recording written anew keeps its lines up to the first difference, the
// walk holds every global of the game, and the recordings together fly
// every enemy kind and bullet family and play the game as a player does.
#include "recording.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/headless/headless_audio.h"
#include "os/keys.h"
#include "os/path.h"
#include "player/ship.h"
#include "shell/game_state.h"
#include "shell/scene.h"

namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// Three samples of the (never started) game with Score 0, 7, 9 recorded,
// then played again with `scores`; the replay's error, empty when it held.
std::string Replayed(std::vector<int32_t> scores, runner::Recording* recording) {
  runner::Replay replay(recording, recording->samples.empty());
  for (size_t i = 0; i < scores.size(); ++i) {
    Score = scores[i];
    if (!replay.AfterFrame(static_cast<long>(4 * i))) break;
  }
  if (replay.Error().empty()) replay.Finish(static_cast<long>(4 * scores.size()));
  Score = 0;
  return replay.Error();
}

TEST(Recording, AReplayStopsAtTheFirstFrameThatDiffersAndNamesWhatMoved) {
  runner::Recording recorded;
  ASSERT_EQ(Replayed({0, 7, 9}, &recorded), "");
  ASSERT_EQ(recorded.names, runner::PartNames());  // every part, in the order declared
  // Written and read back, it is the same recording.
  runner::Recording read;
  std::string error;
  ASSERT_TRUE(runner::ParseRecording(runner::FormatRecording(recorded), &read, &error)) << error;
  EXPECT_EQ(runner::FormatRecording(read), runner::FormatRecording(recorded));

  EXPECT_EQ(Replayed({0, 7, 9}, &read), "");
  EXPECT_EQ(Replayed({0, 8, 9}, &read), "frame 4 (scene 0): differs in Score");
  HighScore = 1;
  EXPECT_EQ(Replayed({0, 7, 9}, &read), "frame 0 (scene 0): differs in HighScore");
  HighScore = 0;
  EXPECT_EQ(Replayed({0, 7}, &read),
            "the run ended after 8 frames; the recording goes on to frame 8");
  EXPECT_EQ(Replayed({0, 7, 9, 9}, &read), "frame 12 (scene 0): past the end of the recording");
}

// The frame that differs is named with its scene, by name where it has one.
TEST(Recording, AReplayNamesTheSceneOfTheFrameThatDiffers) {
  runner::Recording recorded;
  ASSERT_EQ(Replayed({0, 7, 9}, &recorded), "");
  const std::pair<int32_t, const char*> scenes[] = {
      {SceneTitle, "scene 1, title"},
      {SceneStage1, "scene 2, stage 1"},
      {SceneStage8, "scene 9, stage 8"},
      {SceneEnding, "scene 10, ending"},
      {SceneModeSelect, "scene 11, mode screen"},
      {SceneShipSelect, "scene 12, ship select"},
      {13, "scene 13"},
  };
  for (const auto& [scene, text] : scenes) {
    SceneNumber = scene;
    EXPECT_EQ(Replayed({0, 7, 9}, &recorded),
              std::string("frame 0 (") + text + "): differs in SceneNumber; recorded in scene 0");
  }
  SceneNumber = 0;
}

// A sample holds what was heard since the sample before: the music by the
// file a piece is opened from (named from the program's folder, wherever that
// is), the sounds with their volume and pan.  A difference is named with what
// is heard now.
TEST(Recording, ASampleHoldsWhatWasHeardSinceTheSampleBefore) {
  os::audio::Mixer& mixer = os::audio::MainMixer();
  os::audio::Buffer* bom = nullptr;
  ASSERT_EQ(mixer.CreateBuffer(os::audio::PcmFormat(1, 22050, 16), 400, &bom, "SOUND/BOM.WAV"),
            os::audio::AudioOk);
  const std::string folder = os::ExeDir();
  // Frames 0 to 8, sampled every 4th; before frame 5, a piece named (a
  // command the interpreter refuses, but heard as given) and the sound
  // played at `pan`.
  auto run = [&](runner::Recording* recording, const char* piece, int32_t pan) {
    runner::Replay replay(recording, recording->samples.empty());
    for (long frame = 0; frame <= 8; ++frame) {
      if (frame == 5) {
        os::MidiCommand("open \"" + os::ExeDir() + piece + "\" type sequencer");
        os::MidiCommand("status midi mode");
        mixer.SetPan(bom, pan);
        mixer.Play(bom, false);
        mixer.Stop(bom);
      }
      if (!replay.AfterFrame(frame)) break;
    }
    if (replay.Error().empty()) replay.Finish(9);
    return replay.Error();
  };
  runner::Recording recording;
  ASSERT_EQ(run(&recording, "MIDI/BGM4.MID", 0), "");
  EXPECT_EQ(run(&recording, "MIDI/BGM4.MID", 0), "");
  os::SetExeDir("/elsewhere/");
  EXPECT_EQ(run(&recording, "MIDI/BGM4.MID", 0), "");
  os::SetExeDir(folder);
  EXPECT_EQ(run(&recording, "MIDI/BGM4.MID", 100),
            "frame 8 (scene 0): differs in Sounds; Sounds heard now: 5 play SOUND/BOM.WAV "
            "volume 0 pan 100, 5 stop SOUND/BOM.WAV");
  EXPECT_EQ(run(&recording, "MIDI/BGM5.MID", 0),
            "frame 8 (scene 0): differs in Music; Music heard now: 5 open \"MIDI/BGM5.MID\" "
            "type sequencer");
  os::headless::LogSounds(false);
  os::headless::ClearSoundLog();
  mixer.ReleaseBuffer(bom);
}

// A key counts as used where it did something, as the state before and after
// the frame tells: K where key steering was off, S under the continue prompt
// whatever it did there, T where it led to the title; a key held where it
// changed nothing counts not.
TEST(Recording, AKeyIsSeenWhereItDidSomething) {
  const auto facts = [](auto&& frames) {
    runner::Observer observer;
    frames(observer);
    const std::set<std::string>& seen = observer.Facts();
    return std::vector<std::string>(seen.begin(), seen.end());
  };
  SceneNumber = SceneModeSelect;
  KeyboardControl = 1;
  EXPECT_EQ(facts([](runner::Observer& o) {
              o.Key('K', true);
              o.AfterFrame();  // already on
              KeyboardControl = 0;
              o.AfterFrame();
              KeyboardControl = 1;  // as K does
              o.AfterFrame();
              o.Key('K', false);
            }),
            std::vector<std::string>{"key-K@11"});
  SceneNumber = SceneStage2;
  BackgroundOff = 1;  // (a stage frame with its backgrounds on is a fact of its own)
  ContinuePrompt = 1;
  PauseFlag = 1;
  EXPECT_EQ(facts([](runner::Observer& o) {
              o.AfterFrame();
              o.Key('S', true);
              o.AfterFrame();
              o.AfterFrame();  // held: pressed once
              o.Key('S', false);
              o.Key('T', true);
              SceneNumber = SceneTitle;
              o.AfterFrame();
            }),
            (std::vector<std::string>{"key-S-prompt@3", "key-T-prompt@3"}));
  ContinuePrompt = 0;
  PauseFlag = 0;
  SceneNumber = SceneStage2;
  EXPECT_EQ(facts([](runner::Observer& o) {
              o.AfterFrame();
              o.Key(os::KeyLeft, true);
              o.AfterFrame();  // the ship did not move
              o.Key('S', true);
              PauseFlag = 1;
              o.AfterFrame();
              o.Key('S', false);
              o.Key('S', true);
              PauseFlag = 0;
              o.AfterFrame();
            }),
            (std::vector<std::string>{"key-S-pause@3", "key-S-resume@3"}));
  SceneNumber = 0;
  KeyboardControl = 0;
  BackgroundOff = 0;
}

TEST(Recording, ABadLineIsReportedWithItsNumber) {
  for (const char* text : {"every 0\n", "4 2\n", "4 2 zz\n", "4 2 1f 3:1\n", "4 2 1f x:12\n",
                           "parts Score - HighScore - Score\n"}) {
    runner::Recording recording;
    std::string error;
    EXPECT_FALSE(
        runner::ParseRecording(std::string("# head\nrun --frames 9\n") + text, &recording, &error))
        << text;
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
  }
  runner::Recording recording;
  std::string error;
  EXPECT_FALSE(runner::ParseRecording("4 2 1f 0:12\n", &recording, &error));
  EXPECT_EQ(error, "frame 4: part 0 has no name");
  // Nor has a retired index.
  recording = {};
  EXPECT_FALSE(runner::ParseRecording("4 2 1f 0:12 1:34\nparts Score -\n", &recording, &error));
  EXPECT_EQ(error, "frame 4: part 1 has no name");
}

// Its numbers are decimal within their range, its hashes hex of their
// size, and a run or every line comes once.
TEST(Recording, ItsNumbersAreReadWithinTheirRange) {
  const auto refusal = [](const std::string& line) {
    runner::Recording recording;
    std::string error;
    EXPECT_FALSE(
        runner::ParseRecording("run --frames 9\nevery 4\n" + line + "\n", &recording, &error))
        << line;
    return error;
  };
  EXPECT_EQ(refusal("every 8"), "line 3: a second every line");
  EXPECT_EQ(refusal("run --frames 8"), "line 3: a second run line");
  EXPECT_EQ(refusal("99999999999999999999 2 1f"),
            "line 3: '99999999999999999999' is not a frame from 0 to 999999");
  EXPECT_EQ(refusal("4 9999999999 1f"),
            "line 3: '9999999999' is not a scene from -2147483648 to 2147483647");
  EXPECT_EQ(refusal("4 2 123456789"), "line 3: '123456789' is not a hash of 1 to 8 hex digits");
  EXPECT_EQ(refusal("4 2 -1f"), "line 3: '-1f' is not a hash of 1 to 8 hex digits");
  EXPECT_EQ(refusal("4 2 1f 18446744073709551617:12"),
            "line 3: '18446744073709551617:12' is not INDEX:HASHES, an index from 0 to 99999 and "
            "two hex digits a part");
  EXPECT_EQ(refusal("4 2 1f +1:12").rfind("line 3: '+1:12' is not INDEX:HASHES", 0), 0u);
  EXPECT_EQ(refusal("4 2 1f 99999:1234").rfind("line 3: '99999:1234' is not INDEX:HASHES", 0), 0u);
  EXPECT_EQ(refusal("4 2 1f 1:+2"), "line 3: '1:+2' holds a hash that is not two hex digits");
  EXPECT_EQ(refusal("frame 4"), "line 3: 'frame' begins no recording line");
  runner::Recording recording;
  std::string error;
  ASSERT_TRUE(runner::ParseRecording("every 010\n08 2 1F 0:0a\nparts Score\n", &recording, &error))
      << error;
  EXPECT_EQ(recording.every, 10);
  EXPECT_EQ(recording.samples[0].frame, 8);
  EXPECT_EQ(recording.samples[0].all, 0x1Fu);
}

// The recording of `recorded` written anew (from its head alone, as the
// runner does) over the run `scores`.
runner::Recording WrittenAnew(const runner::Recording& recorded, std::vector<int32_t> scores) {
  runner::Recording anew;
  std::string error;
  EXPECT_TRUE(runner::ParseRecording(runner::FormatRecording(recorded), &anew, &error, true))
      << error;
  EXPECT_EQ(Replayed(scores, &anew), "");
  return anew;
}

// The sample lines of a recording, "frame ..." each.
std::vector<std::string> SampleLines(const runner::Recording& recording) {
  std::istringstream lines(runner::FormatRecording(recording));
  std::vector<std::string> samples;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && std::isdigit(static_cast<unsigned char>(line[0]))) samples.push_back(line);
  }
  return samples;
}

// A run that changes at one sample, written anew, keeps every line before
// it, and every line after it where the state is again the recorded one.
TEST(Recording, ARecordingWrittenAnewKeepsTheLinesBeforeTheFirstDifference) {
  runner::Recording recorded;
  ASSERT_EQ(Replayed({0, 7, 9, 9, 9}, &recorded), "");
  const runner::Recording anew = WrittenAnew(recorded, {0, 7, 5, 9, 9});
  const std::vector<std::string> before = SampleLines(recorded), after = SampleLines(anew);
  ASSERT_EQ(after.size(), 5u);
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], before[1]);
  EXPECT_NE(after[2], before[2]);
  EXPECT_NE(after[3], before[3]);  // Score came back: listed as changed
  EXPECT_EQ(after[4], before[4]);
  EXPECT_EQ(anew.names, recorded.names);
  // The old recording fails where the new one begins to differ.
  EXPECT_EQ(Replayed({0, 7, 5, 9, 9}, &recorded), "frame 8 (scene 0): differs in Score");
}

// Written anew, a recording keeps its part order: a part the game no longer
// has leaves its index unused ("-"), one the game has gained goes at the
// end.  Played as it was, such a recording fails at its first sample.
TEST(Recording, ARecordingWrittenAnewKeepsItsPartOrder) {
  runner::Recording recorded;
  ASSERT_EQ(Replayed({0, 7, 9}, &recorded), "");
  std::vector<std::string>& names = recorded.names;
  names.erase(std::find(names.begin(), names.end(), "HighScore"));
  names.erase(std::find(names.begin(), names.end(), "Score"));
  names.insert(names.begin(), {"Score", "GoneTable"});
  recorded.samples.clear();
  const runner::Recording anew = WrittenAnew(recorded, {0, 7, 9});
  ASSERT_EQ(anew.names.size(), runner::PartNames().size() + 1);
  EXPECT_EQ(anew.names[0], "Score");
  EXPECT_EQ(anew.names[1], "-");
  EXPECT_EQ(anew.names.back(), "HighScore");
  const std::vector<std::string> lines = SampleLines(anew);
  // Score first, then a new run past the unused index; Score alone changes.
  EXPECT_TRUE(std::regex_search(lines[0], std::regex("^0 0 [0-9a-f]{8} 0:[0-9a-f]{2} 2:")))
      << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex("4 0 [0-9a-f]{8} 0:[0-9a-f]{2}"))) << lines[1];
  runner::Recording read;
  std::string error;
  ASSERT_TRUE(runner::ParseRecording(runner::FormatRecording(anew), &read, &error)) << error;
  EXPECT_EQ(Replayed({0, 7, 9}, &read), "");
  EXPECT_EQ(Replayed({0, 8, 9}, &read), "frame 4 (scene 0): differs in Score");

  read.names[1] = "GoneTable";
  read.names.back() = "GoneToo";
  EXPECT_EQ(Replayed({0, 7, 9}, &read),
            "frame 0 (scene 0); the game has no part GoneTable, GoneToo; the recording has no "
            "part HighScore");
}

// Every global that a header of the game declares (extern, not const), every
// table of the table lists and every boss record is a part of the digest.
TEST(Recording, TheDigestHoldsEveryGlobalOfTheGame) {
  const std::vector<std::string>& parts = runner::PartNames();
  const std::set<std::string> walked(parts.begin(), parts.end());
  EXPECT_EQ(walked.size(), parts.size()) << "a part is walked twice";
  const std::regex declaration(R"(^extern\s+(?!const)[\w:]+\s+([^;(]+);)");
  const std::regex listed(R"(\b(?:TABLE|LOCKS|X|DECLARE_BOSS)\((\w+),)");
  std::set<std::string> missing;
  const std::filesystem::path source = VANTRIS_SOURCE_DIR;
  std::vector<std::filesystem::path> files = {source / "el/draw/transition_state.h"};
  for (const char* folder : {"shell", "player", "enemies", "stages"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(source / folder)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".h" || ext == ".inc") files.push_back(entry.path());
    }
  }
  for (const auto& file : files) {
    std::istringstream lines(ReadText(file));
    for (std::string line; std::getline(lines, line);) {
      line = line.substr(0, line.find("//"));  // comments and macro definitions name none
      if (line.find("#define") != std::string::npos) continue;
      std::vector<std::string> names;
      std::smatch match;
      if (std::regex_search(line, match, declaration)) {
        std::istringstream list(
            std::regex_replace(match[1].str(), std::regex(R"(\[[^\]]*\]|\*)"), ""));
        for (std::string name; std::getline(list, name, ',');)
          names.push_back(std::regex_replace(name, std::regex(R"(\s)"), ""));
      }
      for (auto at = std::sregex_iterator(line.begin(), line.end(), listed);
           at != std::sregex_iterator(); ++at) {
        const std::string name = (*at)[1].str();
        // DECLARE_BOSS(Boss1, ...): the record and its lock points; X(FIRED,
        // ...) of a role list names no table.
        if (line.find("DECLARE_BOSS(" + name) != std::string::npos) {
          names.push_back(name + "State");
          names.push_back(name + "LockPoints.A");
        } else if (!std::regex_match(name, std::regex("[A-Z0-9]+"))) {
          names.push_back(name);
        }
      }
      for (const std::string& name : names) {
        // The process's handle and the start-up's lock setting are no state
        // of a run.
        if (walked.count(name) == 0 && name != "AppInstance" && name != "SingleInstanceLock")
          missing.insert(file.filename().string() + ": " + name);
      }
    }
  }
  EXPECT_EQ(missing, std::set<std::string>{})
      << "add them to ForEachStatePart (tools/runner/state_walk.h)";
}

// Every recording of tests/data/recordings, parsed.
std::vector<runner::Recording> AllRecordings() {
  std::vector<runner::Recording> recordings;
  const std::filesystem::path folder =
      std::filesystem::path(VANTRIS_SOURCE_DIR) / "tests/data/recordings";
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    runner::Recording recording;
    std::string error;
    EXPECT_TRUE(runner::ParseRecording(ReadText(entry.path()), &recording, &error))
        << entry.path() << ": " << error;
    recordings.push_back(std::move(recording));
  }
  return recordings;
}

// The value of option `name` on a recording's run line ("" when none).
std::string Option(const runner::Recording& recording, const std::string& name) {
  for (size_t i = 0; i + 1 < recording.args.size(); ++i)
    if (recording.args[i] == name) return recording.args[i + 1];
  return "";
}

// The recordings play the game as a player does: every stage at the game's
// own 60 frames a second with its backgrounds on and each weapon fired (but
// the ray salvo where the stage moves none: stage 3), the ship's death, the
// continue prompt left up and a continue taken, the title's picture cycle
// run through twice, a run in frames of exactly 1/64 s, and every key a
// player has where it does something (seen.h names the facts).
TEST(Recording, TheRecordingsPlayTheGameAsAPlayerDoes) {
  std::set<std::string> seen, seen_at_60;
  bool exact_64 = false;
  for (const runner::Recording& recording : AllRecordings()) {
    std::string fps = Option(recording, "--fps") + Option(recording, "--exact-fps");
    if (fps.empty()) fps = "60";
    exact_64 = exact_64 || Option(recording, "--exact-fps") == "64";
    for (const std::string& fact : recording.seen) {
      const std::string name = fact.substr(0, fact.find('@'));
      const int32_t scene = std::stoi(fact.substr(fact.find('@') + 1));
      seen.insert(name);
      seen.insert(fact);
      if (scene >= SceneStage1 && scene <= SceneStage8) seen.insert(name + "@stage");
      if (fps == "60") seen_at_60.insert(fact);
    }
  }
  std::set<std::string> missing;
  for (int32_t scene = SceneStage1; scene <= SceneStage8; ++scene) {
    for (const char* fact : {"backgrounds", "C", "V", "B"}) {
      const std::string at = std::string(fact) + "@" + std::to_string(scene);
      if (seen_at_60.count(at) == 0 && (at != "B@" + std::to_string(SceneStage3)))
        missing.insert(at + " at 60 frames a second");
    }
  }
  for (const char* fact : {"death", "prompt", "continue", "title-cycles@1"}) {
    if (seen.count(fact) == 0) missing.insert(fact);
  }
  if (!exact_64) missing.insert("a run with --exact-fps 64");
  // Each key where it does something: on the title (1), the mode screen
  // (11), in a stage, in the ending (10), anywhere.
  for (const char* fact :
       {"key-Return@1", "key-F1@11", "key-F2@11", "key-Space@11", "key-M@11", "key-K@11",
        "key-O@11", "key-T@11", "key-Left@stage", "key-Right@stage", "key-Up@stage",
        "key-Down@stage", "mouse@stage", "double-click@stage", "key-B@stage", "key-C@stage",
        "key-V@stage", "key-S-pause@stage", "key-S-resume@stage", "key-S-prompt@stage",
        "key-Y@stage", "key-T@stage", "key-T-prompt@stage", "key-Space@10", "key-T@10",
        "key-Escape"}) {
    if (seen.count(fact) == 0) missing.insert(fact);
  }
  EXPECT_EQ(missing, std::set<std::string>{})
      << "record runs that show them (tools/runner/seen.h names the facts)";
}

// Every stage entered directly is also played in frames of exactly 1/64 s,
// through a whole attack cycle of its boss and the boss's defeat, so that a
// bound written < for <= shows in what flies only there.
TEST(Recording, EveryStageEnteredDirectlyIsPlayedInFramesOfExactly1Over64s) {
  const std::vector<runner::Recording> recordings = AllRecordings();
  std::set<std::string> missing;
  for (int32_t scene = SceneStage1; scene <= SceneStage8; ++scene) {
    const std::string at = "@" + std::to_string(scene);
    bool played = false;
    for (const runner::Recording& recording : recordings) {
      const std::set<std::string> seen(recording.seen.begin(), recording.seen.end());
      played = played || (Option(recording, "--exact-fps") == "64" &&
                          Option(recording, "--enter").rfind(std::to_string(scene) + "@", 0) == 0 &&
                          seen.count("cycle" + at) != 0 && seen.count("defeat" + at) != 0);
    }
    if (!played) missing.insert("stage scene " + std::to_string(scene));
  }
  EXPECT_EQ(missing, std::set<std::string>{})
      << "record each with --enter SCENE@FRAME --exact-fps 64 (stageN_64fps_level3.txt)";
}

// The tables whose records fly: each has a record in flight at some sample
// of some recording, but the spare tables that nothing uses and the homing
// missiles that nothing in play launches.
TEST(Recording, TheRecordingsFlyEveryEnemyKindAndBulletFamily) {
  std::set<std::string> flown;
  for (const runner::Recording& recording : AllRecordings())
    flown.insert(recording.active.begin(), recording.active.end());
  std::set<std::string> never;
  for (const std::string& name : runner::FlyingTables(false)) {
    if (flown.count(name) == 0 && name.find("Spare") == std::string::npos &&
        name.rfind("HomingMissile", 0) != 0)
      never.insert(name);
  }
  EXPECT_EQ(never, std::set<std::string>{})
      << "fly them in a call list of tests/runner and record it";
}

}  // namespace
