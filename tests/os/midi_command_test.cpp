#include <cmath>
#include <cstdio>
#include <cstring>

#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "tests/support/test_support.h"

namespace {

using os::MidiCommand;

// One note of `ticks` ticks at 480 per quarter note, 120 beats a minute.
std::vector<uint8_t> SmallMidi(uint8_t ticks_hi, uint8_t ticks_lo) {
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64,
                                static_cast<uint8_t>(0x80 | ticks_hi), ticks_lo,
                                0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};
  const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                            'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
  std::vector<uint8_t> smf(header, header + sizeof header);
  smf.resize(sizeof header + track.size());
  std::memcpy(smf.data() + sizeof header, track.data(), track.size());
  return smf;
}

class MidiCommandTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    os::audio::ResetMidi();
    os::headless::ClearMidiLog();
    dir_ = vantris_test::MakeTempDir("midi");
    path_ = dir_ + "Piece One.mid";
    FILE* f = std::fopen(path_.c_str(), "wb");
    const auto smf = SmallMidi(3, 0x60);  // 480 ticks
    std::fwrite(smf.data(), 1, smf.size(), f);
    std::fclose(f);
    window_ = os::CreateMainWindow("DEFAULT", "VANTRIS", false, 800, 600, &os::DefaultWindowProc);
  }
  void TearDown() override {
    os::audio::ResetMidi();
    HeadlessTest::TearDown();
  }
  uint32_t Open() {
    return MidiCommand("open \"" + path_ + "\" type sequencer alias midi");
  }
  // The notices queued for the window, in order.
  std::vector<uint64_t> Notices() {
    std::vector<uint64_t> codes;
    os::Message m;
    while (os::PeekMessage(&m)) {
      if (m.msg == os::MsgMidiNotify) {
        EXPECT_EQ(m.window, window_);
        EXPECT_EQ(m.lparam, os::MidiDeviceId);
        codes.push_back(m.wparam);
      }
    }
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
  EXPECT_EQ(os::headless::MidiPieceBytes(), SmallMidi(3, 0x60).size());
  EXPECT_EQ(Mode(), "stopped");
  EXPECT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(Mode(), "playing");
  EXPECT_TRUE(os::headless::MidiPiecePlaying());
  // Keywords and the alias in any case.
  EXPECT_EQ(MidiCommand("STOP Midi"), os::MidiOk);
  EXPECT_EQ(Mode(), "stopped");
  char tiny[4] = "xyz";
  EXPECT_EQ(MidiCommand("status midi mode", tiny, sizeof tiny), os::MidiOk);
  EXPECT_STREQ(tiny, "sto");
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  EXPECT_EQ(MidiCommand("status midi mode", tiny, sizeof tiny), os::MidiErrNotOpen);
  EXPECT_STREQ(tiny, "");
  EXPECT_EQ(os::headless::MidiLog().size(), 10u);
  EXPECT_EQ(os::headless::MidiLog()[5], "STOP Midi");
}

TEST_F(MidiCommandTest, RefusesWhatItDoesNotKnow) {
  EXPECT_EQ(MidiCommand("play midi"), os::MidiErrNotOpen);
  EXPECT_EQ(MidiCommand(""), os::MidiErrUnknownCommand);
  EXPECT_EQ(MidiCommand("pause midi"), os::MidiErrUnknownCommand);
  EXPECT_EQ(MidiCommand("open \"" + dir_ + "none.mid\" type sequencer alias midi"),
            os::MidiErrCannotOpen);
  EXPECT_EQ(MidiCommand("open \"" + dir_ + "\" type sequencer alias midi"), os::MidiErrCannotOpen);
  EXPECT_EQ(MidiCommand("open \"" + path_ + "\" type waveaudio alias midi"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("open \"" + path_ + " type sequencer alias midi"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("open \"" + path_ + "\"x type sequencer alias midi"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("open a\"b type sequencer alias midi"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("open \"" + path_ + "\" type sequencer alias midi extra"), os::MidiErrSyntax);
  // Not a MIDI file.
  const std::string text = dir_ + "notes.txt";
  FILE* f = std::fopen(text.c_str(), "wb");
  std::fputs("MThd but not really", f);
  std::fclose(f);
  EXPECT_EQ(MidiCommand("open " + dir_ + "notes.txt type sequencer alias midi"), os::MidiErrCannotOpen);
  EXPECT_FALSE(os::audio::DeviceRunning());

  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(Open(), os::MidiErrAliasInUse);
  EXPECT_EQ(MidiCommand("play other"), os::MidiErrNotOpen);
  EXPECT_EQ(MidiCommand("seek midi to end"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("play midi loudly"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("status midi position"), os::MidiErrSyntax);
  EXPECT_EQ(MidiCommand("stop midi now"), os::MidiErrSyntax);
  EXPECT_EQ(Mode(), "stopped");
}

TEST_F(MidiCommandTest, TheEndPostsSuccessfulFromThePumpAndInterruptionsAreAnswered) {
  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_TRUE(Notices().empty());
  os::headless::EndMidiPiece();
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifySuccessful}));
  EXPECT_EQ(Mode(), "stopped");
  // At its end a play has nothing left: it is over at once.
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifySuccessful}));
  EXPECT_FALSE(os::headless::MidiPiecePlaying());

  EXPECT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifySuperseded}));
  EXPECT_EQ(MidiCommand("stop midi"), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyAborted}));
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(MidiCommand("seek midi to start"), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi notify", nullptr, 0, window_), os::MidiOk);
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  EXPECT_EQ(Notices(), (std::vector<uint64_t>{os::MidiNotifyAborted, os::MidiNotifyAborted}));
  // A play without notify ends silently.
  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_EQ(MidiCommand("play midi"), os::MidiOk);
  os::headless::EndMidiPiece();
  EXPECT_TRUE(Notices().empty());
  EXPECT_EQ(Mode(), "stopped");
}

TEST_F(MidiCommandTest, MusicKeepsTheDeviceRunningOnlyWhileOpen) {
  EXPECT_FALSE(os::audio::DeviceRunning());
  ASSERT_EQ(Open(), os::MidiOk);
  EXPECT_TRUE(os::audio::DeviceRunning());
  EXPECT_EQ(os::audio::MainMixer().Music(), os::audio::HeadlessSequencer());
  EXPECT_EQ(MidiCommand("close midi"), os::MidiOk);
  EXPECT_FALSE(os::audio::DeviceRunning());
  EXPECT_EQ(os::audio::MainMixer().Music(), nullptr);
}

// The FluidSynth sequencer, rendered offline: the piece sounds and ends on
// the sample clock.
TEST(FluidSequencer, RendersANonSilentPieceAndReportsItsEnd) {
  if (os::audio::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont here";
  auto seq = os::audio::MakeFluidSequencer(22050);
  ASSERT_NE(seq, nullptr);
  ASSERT_TRUE(seq->Load(SmallMidi(3, 0x60)));  // half a second
  seq->Start();
  std::vector<float> mix(2 * 512);
  double energy = 0;
  int blocks = 0;
  while (!seq->Ended() && blocks < 200) {
    std::fill(mix.begin(), mix.end(), 0.0f);
    seq->Render(mix.data(), 512, 22050);
    for (float v : mix) energy += double{v} * v;
    ++blocks;
  }
  EXPECT_TRUE(seq->Ended());
  EXPECT_GT(energy, 1.0);
  // Half a second of music at 22050 Hz is about 22 blocks of 512 frames.
  EXPECT_GE(blocks, 18);
  EXPECT_LE(blocks, 40);
  // Rewound, it plays again; halted, it does not end.
  seq->Rewind();
  EXPECT_FALSE(seq->Ended());
  seq->Start();
  seq->Render(mix.data(), 512, 22050);
  seq->Halt();
  for (int i = 0; i < 60; ++i) seq->Render(mix.data(), 512, 22050);
  EXPECT_FALSE(seq->Ended());
  seq->Start();
  for (int i = 0; i < 60 && !seq->Ended(); ++i) seq->Render(mix.data(), 512, 22050);
  EXPECT_TRUE(seq->Ended());
  seq->Unload();
}

}  // namespace
