#include "tests/el/sound/sound_fixture.h"

namespace {

using sound_test::SoundTest;
using Log = std::vector<std::string>;

std::vector<uint64_t> g_notices;

int64_t TestWindowProc(os::Window window, uint32_t msg, uint64_t wparam, int64_t lparam) {
  if (msg == os::MsgMidiNotify) {
    g_notices.push_back(wparam);
    elSound::OnMidiNotify(wparam);
    return 0;
  }
  return os::DefaultWindowProc(window, msg, wparam, lparam);
}

class MidiMusicTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    g_notices.clear();
    std::filesystem::create_directories(Path("MIDI"));
    sound_test::WriteFile(Path("MIDI/BGM1.MID"), sound_test::TinyMidi());
    sound_test::WriteFile(Path("MIDI/BGM2.MID"), sound_test::TinyMidi(960));
    ASSERT_NE(os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, &TestWindowProc), 0u);
  }
  static void Pump() {
    os::Message m;
    while (os::PeekMessage(&m)) os::DispatchMessage(m);
  }
  std::string OpenCommand(const std::string& file) const {
    return "open \"" + Path(file) + "\" type sequencer alias midi";
  }
  static Log TakeLog() {
    Log log = os::headless::MidiLog();
    os::headless::ClearMidiLog();
    return log;
  }
};

TEST_F(MidiMusicTest, PlayStopAndChangeSendTheExactCommands) {
  elSound::StopMidi();  // nothing open: nothing sent
  EXPECT_TRUE(TakeLog().empty());
  elSound::PlayMidi("MIDI/BGM1.MID", 1);
  EXPECT_EQ(TakeLog(), (Log{OpenCommand("MIDI/BGM1.MID"), "seek midi to start", "play midi notify"}));
  elSound::PlayMidi("MIDI/BGM2.MID", 1);
  EXPECT_EQ(TakeLog(), (Log{"stop midi", "close midi", OpenCommand("MIDI/BGM2.MID"),
                            "seek midi to start", "play midi notify"}));
  Pump();
  // The play cut short by the stop is answered "aborted", which replays nothing.
  EXPECT_EQ(g_notices, (std::vector<uint64_t>{os::MidiNotifyAborted}));
  EXPECT_TRUE(TakeLog().empty());
  elSound::StopMidi();
  EXPECT_EQ(TakeLog(), (Log{"stop midi", "close midi"}));
}

TEST_F(MidiMusicTest, ASuccessfulEndReplaysOrClosesWithoutTheLoopFlag) {
  elSound::PlayMidi("MIDI/BGM1.MID", 1);
  TakeLog();
  os::headless::EndMidiPiece();
  Pump();
  EXPECT_EQ(TakeLog(), (Log{"status midi mode", "seek midi to start", "play midi notify"}));
  EXPECT_TRUE(os::headless::MidiPiecePlaying());
  elSound::ClearMidiLoop();
  os::headless::EndMidiPiece();
  Pump();
  EXPECT_EQ(TakeLog(), (Log{"status midi mode", "stop midi", "close midi"}));
  EXPECT_EQ(MidiOpen, 0u);
  elSound::OnMidiNotify(os::MidiNotifySuccessful);  // closed: nothing
  EXPECT_TRUE(TakeLog().empty());
}

TEST_F(MidiMusicTest, UnopenablePiecesLeaveTheGameSilent) {
  elSound::PlayMidi("MIDI/NONE.MID", 1);
  EXPECT_FALSE(os::headless::MidiPiecePlaying());
  const std::string part(120, 'd');  // a long path is no trouble
  const std::string deep = "MIDI/" + part + "/" + part + "/" + part;
  std::filesystem::create_directories(Path(deep));
  sound_test::WriteFile(Path(deep + "/BGM1.MID"), sound_test::TinyMidi());
  elSound::PlayMidi((deep + "/BGM1.MID").c_str(), 1);
  EXPECT_TRUE(os::headless::MidiPiecePlaying());
  Pump();
  EXPECT_TRUE(g_notices.empty());
  EXPECT_EQ(BoxCount(), 0u);
}

// A piece plays from a folder of any name the file system allows: its
// double quotes are written twice in the open command, which reads them back.
TEST_F(MidiMusicTest, APiecePlaysFromAFolderOfAnyName) {
  for (const std::string folder : {"MIDI/A\" alias x \"B", "MIDI/\"", "MIDI/sp ace",
                                   "MIDI/\xe6\x9b\xb2 \\ \x01\nz", "MIDI/\"\"\" type"}) {
    std::filesystem::create_directories(Path(folder));
    sound_test::WriteFile(Path(folder + "/BGM1.MID"), sound_test::TinyMidi());
    elSound::PlayMidi((folder + "/BGM1.MID").c_str(), 1);
    EXPECT_TRUE(os::headless::MidiPiecePlaying()) << folder;
    std::string quoted = Path(folder + "/BGM1.MID");
    for (size_t at = 0; (at = quoted.find('"', at)) != std::string::npos; at += 2)
      quoted.insert(at, 1, '"');
    const Log log = TakeLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[log.size() - 3], "open \"" + quoted + "\" type sequencer alias midi");
    elSound::StopMidi();
  }
  EXPECT_EQ(BoxCount(), 0u);
}

}  // namespace
