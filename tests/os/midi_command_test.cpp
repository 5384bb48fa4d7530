#include <cstdio>
#include <filesystem>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/headless/headless_audio.h"
#include "tests/support/stderr_capture.h"
#include "tests/support/test_support.h"

namespace {

using os::MidiCommand;

// One note of 480 ticks at 480 per quarter note, 120 beats a minute.
const uint8_t kSmallMidi[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                              'M', 'T', 'r', 'k', 0, 0, 0, 16,
                              0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60,
                              0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};

class MidiCommandTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::audio::ResetMidi();
    os::headless::ClearMidiLog();
    dir_ = vantris_test::MakeTempDir("midi");
    path_ = dir_ + "Piece One.mid";
    FILE* f = std::fopen(path_.c_str(), "wb");
    std::fwrite(kSmallMidi, 1, sizeof kSmallMidi, f);
    std::fclose(f);
    window_ = os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, &os::DefaultWindowProc);
  }
  void TearDown() override {
    os::headless::TimeMidiPieces(false);
    os::audio::ResetMidi();
    HeadlessTest::TearDown();
  }
  uint32_t Open() { return MidiCommand("open \"" + path_ + "\" type sequencer alias midi"); }
  // The notices queued for the window, in order.
  std::vector<uint64_t> Notices() {
    std::vector<uint64_t> codes;
    os::Message m;
    while (os::PeekMessage(&m))
      if (m.msg == os::MsgMidiNotify && m.window == window_ && m.lparam == os::MidiDeviceId)
        codes.push_back(m.wparam);
    return codes;
  }
  std::string Mode() {
    char answer[32];
    EXPECT_EQ(MidiCommand("status midi mode", answer, sizeof answer), os::MidiOk);
    return answer;
  }

  std::string dir_, path_;
  os::Window window_ = 0;
};

TEST_F(MidiCommandTest, OpensPlaysAndReportsItsMode) {
  EXPECT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(Mode(), "playing");
  EXPECT_EQ(MidiCommand("STOP Midi"), os::MidiOk);  // any case
  char tiny[4] = "xyz";
  EXPECT_EQ(MidiCommand("status midi mode", tiny, sizeof tiny), os::MidiOk);
  EXPECT_STREQ(tiny, "sto");
  EXPECT_TRUE(os::audio::DeviceRunning());
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  EXPECT_FALSE(os::audio::DeviceRunning());
  EXPECT_EQ(MidiCommand("status midi mode", tiny, sizeof tiny), os::MidiErrNotOpen);
  EXPECT_STREQ(tiny, "");
}

TEST_F(MidiCommandTest, RefusesWhatItDoesNotKnow) {
  EXPECT_EQ(MidiCommand("play midi"), os::MidiErrNotOpen);
  EXPECT_EQ(MidiCommand("open \"" + dir_ + "none.mid\" type sequencer alias midi"),
            os::MidiErrCannotOpen);
  EXPECT_EQ(MidiCommand("open \"" + path_ + " type sequencer alias midi"), os::MidiErrSyntax);
  // Not a MIDI file.
  const std::string text = dir_ + "notes.txt";
  FILE* f = std::fopen(text.c_str(), "wb");
  std::fputs("MThd but not really", f);
  std::fclose(f);
  EXPECT_EQ(MidiCommand("open " + dir_ + "notes.txt type sequencer alias midi"), os::MidiErrCannotOpen);
  EXPECT_FALSE(os::audio::DeviceRunning());

  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(Open(), os::MidiErrAliasInUse);
}

// A path in double quotes holds any byte, its own double quotes written
// twice as MidiQuoted writes them; a quote left open, or one that a word
// follows at once, is a malformed command.
TEST_F(MidiCommandTest, AQuotedPathHoldsAnyByteItsQuotesWrittenTwice) {
  EXPECT_EQ(os::MidiQuoted("a\"b\"\"c d"), "\"a\"\"b\"\"\"\"c d\"");
  const std::string folder = dir_ + "\"q\" \xe6\x9b\xb2\t\n\\ alias x\"/";
  std::filesystem::create_directories(folder);
  std::filesystem::copy_file(path_, folder + "piece.mid");
  EXPECT_EQ(
      MidiCommand("open " + os::MidiQuoted(folder + "piece.mid") + " type sequencer alias midi"),
      os::MidiOk);
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  // The line that says a piece is missing keeps to one line.
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(MidiCommand("open " + os::MidiQuoted(folder + "none\x7f.mid") +
                        " type sequencer alias midi"),
            os::MidiErrCannotOpen);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "vantris: the music is silent: " + dir_ +
                "\"q\" \xe6\x9b\xb2\\x09\\x0a\\ alias x\"/none\\x7f.mid: No such file or directory\n");
  for (const std::string& bad :
       {"open \"" + path_ + "\"\" type sequencer alias midi",   // "" then no close
        "open \"" + path_ + "\"x type sequencer alias midi",     // a word after the quote
        std::string("open a\"b type sequencer alias midi")}) {
    EXPECT_EQ(MidiCommand(bad), os::MidiErrSyntax) << bad;
  }
  EXPECT_FALSE(os::audio::DeviceRunning());
}

TEST_F(MidiCommandTest, AMissingForeignOrDamagedPieceIsSaidOnceOnStderr) {
  const std::string text = dir_ + "notes.txt";
  FILE* f = std::fopen(text.c_str(), "wb");
  std::fputs("not a piece", f);
  std::fclose(f);
  const std::string cut = dir_ + "cut.mid";  // the header whole, the track not
  f = std::fopen(cut.c_str(), "wb");
  std::fwrite(kSmallMidi, 1, 30, f);
  std::fclose(f);
  const struct {
    std::string path, why;
  } pieces[] = {{dir_ + "none.mid", "No such file or directory"},
                {text, "not a standard MIDI file"},
                {cut, "cut short in track 1 at byte 30 (the track runs to byte 38)"}};
  for (const auto& piece : pieces) {
    ::testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i)  // every stage start plays it again
      EXPECT_EQ(MidiCommand("open \"" + piece.path + "\" type sequencer alias midi"),
                os::MidiErrCannotOpen);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "vantris: the music is silent: " + piece.path + ": " + piece.why + "\n");
  }
}

TEST_F(MidiCommandTest, TheEndPostsSuccessfulFromThePumpAndInterruptionsAreAnswered) {
  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_TRUE(Notices().empty());
  os::headless::EndMidiPiece();
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifySuccessful}));
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifySuperseded}));
  EXPECT_EQ(MidiCommand("stop midi"), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyAborted}));
}

// A piece that opened but that the synthesiser cannot read: said once, its
// notices answered "failure" (which replays nothing) until it is closed.
// Timed, a piece ends by itself once its length (here 0.5 s) has played on
// the virtual clock, stopped time not counted, and its notice follows;
// rewound, it plays its whole length again; untimed, it plays on.
TEST_F(MidiCommandTest, ATimedPieceEndsOnceItsLengthHasPlayedOnTheVirtualClock) {
  os::headless::TimeMidiPieces(true);
  ASSERT_EQ(Open(), os::MidiOk);
  ASSERT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  os::headless::AdvanceMs(300);
  ASSERT_EQ(MidiCommand("stop midi"), os::MidiOk);
  os::headless::AdvanceMs(1000);
  ASSERT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  os::headless::AdvanceMs(190);
  EXPECT_EQ(Mode(), "playing");
  os::headless::AdvanceMs(20);
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyAborted, os::MidiNotifySuccessful}));
  ASSERT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  ASSERT_EQ(MidiCommand("play midi"), os::MidiOk);
  os::headless::AdvanceMs(490);
  EXPECT_EQ(Mode(), "playing");
  os::headless::AdvanceMs(20);
  EXPECT_EQ(Mode(), "stopped");
  os::headless::TimeMidiPieces(false);
  ASSERT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  ASSERT_EQ(MidiCommand("play midi"), os::MidiOk);
  os::headless::AdvanceMs(5000);
  EXPECT_EQ(Mode(), "playing");
}

TEST_F(MidiCommandTest, APieceTheSynthesiserCannotReadAnswersFailure) {
  vantris_test::StderrCapture stderr_text;
  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  os::headless::FailMidiPiece("the synthesiser cannot read it");
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyFailure}));
  EXPECT_EQ(Mode(), "stopped");
  for (int i = 0; i < 3; ++i) {  // as a replay would try it
    EXPECT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
    EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
    EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyFailure}));
    EXPECT_FALSE(os::headless::MidiPiecePlaying());
  }
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  ASSERT_EQ(Open(), os::MidiOk);  // opened again, it is tried again
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_TRUE(os::headless::MidiPiecePlaying());
  EXPECT_EQ(stderr_text.Finish(),
            "vantris: the music is silent: " + path_ + ": the synthesiser cannot read it\n");
}

}  // namespace
