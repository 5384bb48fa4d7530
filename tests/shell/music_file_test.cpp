// A stage whose music file is damaged goes on silent, with one line that
// names the file and what is wrong with it.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "shell/scene.h"
#include "tests/support/game_harness.h"
#include "tests/support/stderr_capture.h"

namespace {

namespace fs = std::filesystem;
using namespace vantris_test;

// How stage 1's piece (one track from byte 14 to the file's end) is damaged.
struct Damage {
  const char* name;
  size_t keep;    // bytes kept, 0: half the file
  uint32_t grow;  // added to the track's length
};
const Damage kDamages[] = {
    {"CutToHalf", 0, 0}, {"CutTo30Bytes", 30, 0}, {"TrackPastTheEnd", 0, 256}};

class DamagedMusicTest : public GameTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedMusicTest, IsSaidOnceAndTheStageGoesOnSilent) {
  // The program folder: the stand-in assets, with a copy of the music to damage.
  const std::string dir = MakeTempDir("game");
  for (const char* name : {"IMAGE", "SOUND", "MYME1.BMP", "MYME2.BMP"})
    fs::create_symlink(AssetDir() + "/" + name, dir + name);
  fs::copy(AssetDir() + "/MIDI", dir + "MIDI");
  const std::string music = dir + "MIDI/BGM1.MID";
  std::ifstream in(music, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), {});
  in.close();
  const size_t whole = bytes.size();
  ASSERT_GT(whole, 100u);
  const uint32_t length = (uint32_t(uint8_t(bytes[20])) << 8) | uint8_t(bytes[21]);
  ASSERT_EQ(bytes.substr(14, 6), std::string("MTrk\0\0", 6));
  ASSERT_EQ(22 + length, whole);
  const size_t size = GetParam().keep ? GetParam().keep : GetParam().grow ? whole : whole / 2;
  bytes.resize(size);
  bytes[20] = static_cast<char>((length + GetParam().grow) >> 8);
  std::ofstream(music, std::ios::binary | std::ios::trunc) << bytes;
  const std::string why = "cut short in track 1 at byte " + std::to_string(size) +
                          " (the track runs to byte " + std::to_string(whole + GetParam().grow) +
                          ")";
  os::SetExeDir(dir);
  os::headless::ClearMidiLog();

  StderrCapture start_text;
  ASSERT_TRUE(StartGame());
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
  ASSERT_TRUE(TitleToModeScreen());
  ASSERT_TRUE(ModeScreenToStage({'O'}));  // the ship cannot die
  ASSERT_EQ(RunFrames(2), 2);
  EXPECT_EQ(start_text.Finish(), "vantris: the music is silent: " + music + ": " + why + "\n");
  StderrCapture stage_text;
  ASSERT_EQ(RunFrames(600), 600);
  EXPECT_EQ(SceneNumber, SceneStage1);
  EXPECT_EQ(stage_text.Finish(), "");
  // The stage asked for its piece once, and nothing asked again.
  const auto& log = os::headless::MidiLog();
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& c) { return c.rfind("open", 0) == 0; }),
            1);
  EXPECT_EQ(log.back(), "play midi notify");
  EXPECT_FALSE(os::headless::MidiPiecePlaying());
}

INSTANTIATE_TEST_SUITE_P(Stage1, DamagedMusicTest, ::testing::ValuesIn(kDamages),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
