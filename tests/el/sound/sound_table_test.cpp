#include <cstring>

#include "el/system/elSystem.h"
#include "os/resources.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;

constexpr const char* kBoxMix = "elSound::LoadObject : ミックス数が多過ぎます";
constexpr const char* kBoxName = "elSound::LoadObject : ファイル名またはリソース名が長すぎます";
constexpr const char* kBoxFull = "elSound::LoadObject : オブジェクト数が多過ぎます";
constexpr const char* kBoxNoWave = "elSound::LoadObject : WAVEリソースが見つかりません";
constexpr const char* kBoxNoBuffer = "elSound::LoadObject : サウンドバッファが生成できません";

bool Playing(int32_t handle, int dup) {
  os::audio::Buffer* b = SoundBufferTable[handle].Buffers[dup];
  return b && (MainMixer().Status(b) & os::audio::StatusPlaying);
}

class SoundTableTest : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    std::filesystem::create_directories(Path("SOUND"));
    MakeSound("SOUND/SHOT.WAV", 2205);
    MakeSound("SOUND/BOM.WAV", 4410);
  }
};

TEST_F(SoundTableTest, GameLoadsTakeTheFirstEntriesWithOneBufferAndNoEcho) {
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), 0);
  EXPECT_EQ(elSound::LoadObject("SOUND/BOM.WAV", 1), 1);
  for (int h : {0, 1}) {
    const SoundEntry& e = SoundBufferTable[h];
    EXPECT_EQ(e.InUse, 1u);
    EXPECT_EQ(e.MixCount, 1);
    EXPECT_EQ(e.EchoCount, -1);
    EXPECT_NE(e.Buffers[0], nullptr);
    EXPECT_EQ(e.Buffers[1], nullptr);
    EXPECT_EQ(e.BaseFrequency, 22050u);
    EXPECT_EQ(e.Frequency[0], 22050u);
    EXPECT_EQ(e.FromPack, 0u);
  }
  EXPECT_EQ(SoundBufferTable[0].Name, "SOUND/SHOT.WAV");
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundTableTest, MixCountsGiveDuplicatesAndEchoByTheirSign) {
  struct Case {
    int32_t mix;
    int32_t count;
    int32_t echo;
  } cases[] = {{1, 1, -1}, {2, 2, 0}, {-3, 3, -1}, {10, 10, 0}, {-10, 10, -1}, {0, 1, -1}};
  for (const Case& c : cases) {
    const int32_t h = elSound::LoadObject("SOUND/SHOT.WAV", c.mix);
    ASSERT_GE(h, 0) << c.mix;
    EXPECT_EQ(SoundBufferTable[h].MixCount, c.count) << c.mix;
    EXPECT_EQ(SoundBufferTable[h].EchoCount, c.echo) << c.mix;
    for (int d = 0; d < 10; ++d)
      EXPECT_EQ(SoundBufferTable[h].Buffers[d] != nullptr, d < c.count) << c.mix << " dup " << d;
  }
  EXPECT_EQ(BoxCount(), 0u);
  // A mix count of 0 plays like 1.
  const int32_t zero = 5;
  elSound::Play(zero, -1);
  EXPECT_TRUE(Playing(zero, 0));
  for (int32_t bad : {11, -11}) {
    os::headless::ClearBoxes();
    EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", bad), -1);
    EXPECT_EQ(LastBox(), kBoxMix);
  }
}

TEST_F(SoundTableTest, NamesOfThirtyCharactersLoadAndThirtyOneAreRefusedBeforeAnEntryIsTaken) {
  const std::string name30 = "SOUND/ABCDEFGHIJKLMNOPQRST.WAV";
  ASSERT_EQ(name30.size(), 30u);
  MakeSound(name30);
  EXPECT_EQ(elSound::LoadObject(name30.c_str(), 1), 0);
  const std::string name31 = "SOUND/ABCDEFGHIJKLMNOPQRSTU.WAV";
  ASSERT_EQ(name31.size(), 31u);
  MakeSound(name31);
  EXPECT_EQ(elSound::LoadObject(name31.c_str(), 1), -1);
  EXPECT_EQ(LastBox(), kBoxName);
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), 1);
}

TEST_F(SoundTableTest, TheSeventyFirstLoadIsRefusedAndAReleasedEntryIsReused) {
  for (int i = 0; i < 70; ++i) ASSERT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), i);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), -1);
  EXPECT_EQ(LastBox(), kBoxFull);
  elSound::ReleaseObject(5);
  EXPECT_EQ(SoundBufferTable[5].InUse, 0u);
  EXPECT_EQ(SoundBufferTable[5].Buffers[0], nullptr);
  EXPECT_EQ(SoundBufferTable[5].Name, "");
  EXPECT_EQ(elSound::LoadObject("SOUND/BOM.WAV", 1), 5);
}

TEST_F(SoundTableTest, MissingOrBrokenFilesFallBackToResourcesAndReportTheMissingResource) {
  EXPECT_EQ(elSound::LoadObject("SOUND/NONE.WAV", 1), -1);
  EXPECT_EQ(LastBox(), kBoxNoWave);
  sound_test::WriteFile(Path("SOUND/BROKEN.WAV"), {'R', 'I', 'F', 'F', 1, 2});
  EXPECT_EQ(elSound::LoadObject("SOUND/BROKEN.WAV", 1), -1);
  EXPECT_EQ(LastBox(), kBoxNoWave);

  // A resource image with the plain 44-byte header; one whose data size runs
  // past its end is refused.
  const auto image = os::audio::EncodeWave(os::audio::PcmFormat(1, 11025, 8),
                                           std::vector<uint8_t>(400, 0x80));
  os::AddResource("WAVE", "CHIME", image);
  const int32_t h = elSound::LoadObject("chime", 1);
  ASSERT_EQ(h, 0);
  EXPECT_EQ(SoundBufferTable[h].BaseFrequency, 11025u);
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[h].Buffers[0]), 400u);
  auto cut = image;
  cut.resize(100);
  os::AddResource("RCDATA", "CUT", cut);
  EXPECT_EQ(elSound::LoadObject("CUT", 1), -1);
  EXPECT_EQ(LastBox(), kBoxNoWave);
  os::ClearResources();
}

TEST_F(SoundTableTest, AFormatNoBufferTakesLeavesTheEntryFreeAndNothingBehind) {
  // 24-bit samples read fine but no buffer holds them.
  os::audio::WaveFormat f = os::audio::PcmFormat(1, 22050, 16);
  f.bits_per_sample = 24;
  f.block_align = 3;
  f.avg_bytes_per_sec = 3 * 22050;
  sound_test::WriteWav(Path("SOUND/WIDE.WAV"), f, std::vector<uint8_t>(300, 0));
  const size_t before = MainMixer().BufferCount();
  EXPECT_EQ(elSound::LoadObject("SOUND/WIDE.WAV", 3), -1);
  EXPECT_EQ(LastBox(), kBoxNoBuffer);
  EXPECT_EQ(os::headless::Boxes().size(), 1u);
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  EXPECT_EQ(SoundBufferTable[0].Buffers[0], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), before);
  EXPECT_EQ(elSound::LoadObject("SOUND/SHOT.WAV", 1), 0);
}

TEST_F(SoundTableTest, OneBufferRestartsFromItsStartAndRoundRobinSkipsFixedPlays) {
  const int32_t one = elSound::LoadObject("SOUND/BOM.WAV", 1);
  elSound::Play(one, -1);
  os::headless::AdvanceMs(50);
  EXPECT_GT(elSound::GetPlayPosition(one), 0u);
  elSound::Play(one, -1);
  EXPECT_EQ(elSound::GetPlayPosition(one), 0u);
  EXPECT_TRUE(Playing(one, 0));

  const int32_t three = elSound::LoadObject("SOUND/BOM.WAV", 3);
  std::vector<int32_t> used;
  for (int i = 0; i < 5; ++i) {
    used.push_back(SoundBufferTable[three].NextDuplicate);
    elSound::Play(three, -1);
    if (i == 2) elSound::Play(three, 2);
  }
  EXPECT_EQ(used, (std::vector<int32_t>{0, 1, 2, 0, 1}));
  EXPECT_TRUE(Playing(three, 0) && Playing(three, 1) && Playing(three, 2));
  EXPECT_EQ(SoundBufferTable[three].Looping, 0u);
  elSound::PlayLoop(three, 0);
  EXPECT_EQ(SoundBufferTable[three].Looping, 1u);
  EXPECT_TRUE(MainMixer().Status(SoundBufferTable[three].Buffers[0]) & os::audio::StatusLooping);
}

TEST_F(SoundTableTest, ModeMinusTwoArmsTheEchoOnlyForSoundsWithEcho) {
  const int32_t plain = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  elSound::Play(plain, -2);
  EXPECT_EQ(SoundBufferTable[plain].EchoCount, -1);
  EXPECT_TRUE(Playing(plain, 0));

  const int32_t echo = elSound::LoadObject("SOUND/SHOT.WAV", 4);
  elSound::SetVolume(echo, -20, -1);
  elSound::SetPan(echo, 10, -1);
  elSound::PlayLoop(echo, -2);
  const SoundEntry& e = SoundBufferTable[echo];
  EXPECT_EQ(e.EchoCount, 1);
  EXPECT_EQ(e.EchoLooping, 1u);
  EXPECT_EQ(e.EchoTimer, 0.0f);
  EXPECT_TRUE(e.EchoPanDirection == 1 || e.EchoPanDirection == -1);
  for (int d = 0; d < 4; ++d) {
    EXPECT_EQ(e.Volume[d], 0);
    EXPECT_EQ(e.Pan[d], 0);
  }
  EXPECT_EQ(e.NextDuplicate, 1);
}

TEST_F(SoundTableTest, SettersClampInTheirUnits) {
  const int32_t h = elSound::LoadObject("SOUND/SHOT.WAV", 3);
  const SoundEntry& e = SoundBufferTable[h];
  elSound::SetVolume(h, 5, -1);
  for (int d = 0; d < 3; ++d) EXPECT_EQ(e.Volume[d], 0);
  elSound::SetVolume(h, -150, -1);
  for (int d = 0; d < 3; ++d) EXPECT_EQ(e.Volume[d], -10000);
  EXPECT_EQ(MainMixer().Volume(e.Buffers[2]), -10000);
  elSound::AddVolume(h, 40, 1);
  EXPECT_EQ(e.Volume[1], -6000);
  elSound::AddVolume(h, 61, 1);
  EXPECT_EQ(e.Volume[1], 0);
  elSound::SetPan(h, -200, 0);
  EXPECT_EQ(e.Pan[0], -10000);
  EXPECT_EQ(e.Pan[1], 0);
  elSound::AddPan(h, 250, 0);
  EXPECT_EQ(e.Pan[0], 10000);
  elSound::PanLeft(h, 1);
  EXPECT_EQ(e.Pan[1], -10000);
  elSound::PanRight(h, 2);
  EXPECT_EQ(MainMixer().Pan(e.Buffers[2]), 10000);
  elSound::ResetPan(h, -1);
  EXPECT_EQ(e.Pan[0] | e.Pan[1] | e.Pan[2], 0);

  elSound::SetFrequency(h, 30, -1);
  for (int d = 0; d < 3; ++d) EXPECT_EQ(e.Frequency[d], 25050u);
  elSound::SetFrequency(h, 0, -2);  // only the next duplicate (0)
  EXPECT_EQ(e.Frequency[0], 22050u);
  EXPECT_EQ(e.Frequency[1], 25050u);
  elSound::AddFrequency(h, -1000, 1);
  EXPECT_EQ(e.Frequency[1], 100u);
  EXPECT_EQ(MainMixer().Frequency(e.Buffers[1]), 100u);
  elSound::AddFrequency(h, 2000000000, 2);  // no overflow on the way
  EXPECT_EQ(e.Frequency[2], 100000u);
  elSound::ResetFrequency(h, -1);
  EXPECT_EQ(e.Frequency[2], 22050u);
  elSound::SetVolume(h, -2000000000, 0);
  EXPECT_EQ(e.Volume[0], -10000);
}

TEST_F(SoundTableTest, EchoRepeatsQuieterOnTheRoundRobinAndThenIdles) {
  const int32_t h = elSound::LoadObject("SOUND/BOM.WAV", 4);
  const SoundEntry& e = SoundBufferTable[h];
  // Nothing before an arming play, and nothing with repeats 0.
  FrameTime = 0.05f;
  elSound::PlayEcho(h, 100, 3, 6);
  EXPECT_EQ(e.EchoTimer, 0.0f);
  elSound::Play(h, -2);
  elSound::PlayEcho(h, 100, 0, 6);
  EXPECT_EQ(e.EchoTimer, 0.0f);

  std::vector<int32_t> volumes;
  for (int frame = 0; frame < 8; ++frame) {
    const int32_t next = e.NextDuplicate;
    const int32_t count = e.EchoCount;
    elSound::PlayEcho(h, 100, 3, 6);
    if (e.EchoCount != count) volumes.push_back(e.Volume[next]);
  }
  EXPECT_EQ(volumes, (std::vector<int32_t>{-600, -1200, -1800}));
  EXPECT_EQ(e.EchoCount, 0);
  EXPECT_TRUE(Playing(h, 0) && Playing(h, 1) && Playing(h, 2) && Playing(h, 3));
}

TEST_F(SoundTableTest, PanningEchoMovesThePanOnlyOnRepeatFrames) {
  const int32_t h = elSound::LoadObject("SOUND/BOM.WAV", 3);
  const SoundEntry& e = SoundBufferTable[h];
  FrameTime = 0.1f;
  elSound::Play(h, -2);
  const int32_t dir = e.EchoPanDirection;
  elSound::PlayEchoPan(h, 150, 2, 3, 2);  // 100 ms: no repeat yet
  EXPECT_EQ(e.EchoPan, 0.0f);
  const int32_t next = e.NextDuplicate;
  elSound::PlayEchoPan(h, 150, 2, 3, 2);  // 200 ms: a repeat, pan += dir x 0.1 x 100 x 2
  EXPECT_FLOAT_EQ(e.EchoPan, 20.0f * dir);
  EXPECT_EQ(e.Pan[next], 2000 * dir);
  elSound::PlayEchoPan(h, 150, 2, 3, 2);
  elSound::PlayEchoPan(h, 150, 2, 3, 2);  // second repeat: 40 clamps to 30 and turns
  EXPECT_FLOAT_EQ(e.EchoPan, 30.0f * dir);
  EXPECT_EQ(e.EchoPanDirection, -dir);
  EXPECT_EQ(e.EchoCount, 0);
}

TEST_F(SoundTableTest, StopRewindsAndEndsTheEchoPauseToggleResumes) {
  const int32_t h = elSound::LoadObject("SOUND/BOM.WAV", 2);
  // Never paused and not playing: plays from 0.
  elSound::TogglePause(h, 0);
  EXPECT_TRUE(Playing(h, 0));
  EXPECT_EQ(elSound::GetPlayPosition(h), 0u);
  os::headless::AdvanceMs(40);
  const uint32_t pos = elSound::GetPlayPosition(h);
  EXPECT_GT(pos, 0u);
  elSound::TogglePause(h, -1);  // 0 pauses, 1 (stopped) starts
  EXPECT_FALSE(Playing(h, 0));
  EXPECT_TRUE(Playing(h, 1));
  EXPECT_EQ(SoundBufferTable[h].PausePosition[0], pos);
  os::headless::AdvanceMs(20);
  EXPECT_EQ(elSound::GetPlayPosition(h), pos);
  elSound::TogglePause(h, 0);
  EXPECT_TRUE(Playing(h, 0));
  EXPECT_EQ(elSound::GetPlayPosition(h), pos);

  elSound::Play(h, -2);
  EXPECT_EQ(SoundBufferTable[h].EchoCount, 1);
  elSound::Stop(h, 1);
  EXPECT_EQ(SoundBufferTable[h].EchoCount, 1);  // a single duplicate keeps the echo
  elSound::Stop(h, -2);
  EXPECT_EQ(SoundBufferTable[h].EchoCount, 0);
  EXPECT_FALSE(Playing(h, 0) || Playing(h, 1));
  EXPECT_EQ(elSound::GetPlayPosition(h), 0u);
}

TEST_F(SoundTableTest, BadHandlesDuplicatesAndReleasedEntriesDoNothing) {
  const int32_t h = elSound::LoadObject("SOUND/SHOT.WAV", 2);
  elSound::ReleaseObject(h);
  const int32_t other = elSound::LoadObject("SOUND/BOM.WAV", 1);  // takes entry 0 again
  ASSERT_EQ(other, 0);
  elSound::ReleaseObject(other);
  for (int32_t bad : {-1, -2, 0, 1, 69, 70, 1000, INT32_MIN}) {
    elSound::Play(bad, -1);
    elSound::PlayLoop(bad, 3);
    elSound::Stop(bad, -1);
    elSound::TogglePause(bad, 9);
    elSound::SetFrequency(bad, 3, -1);
    elSound::AddFrequency(bad, 3, 0);
    elSound::ResetFrequency(bad, -1);
    elSound::SetPan(bad, 3, -2);
    elSound::AddPan(bad, 3, -1);
    elSound::ResetPan(bad, -1);
    elSound::PanLeft(bad, -1);
    elSound::PanRight(bad, -1);
    elSound::SetVolume(bad, -3, -1);
    elSound::AddVolume(bad, -3, -1);
    elSound::ResetVolume(bad, -1);
    elSound::PlayEcho(bad, 10, 3, 3);
    elSound::PlayEchoPan(bad, 10, 3, 3, 3);
    elSound::ResetStream(bad);
    elSound::ReleaseObject(bad);
    EXPECT_EQ(elSound::GetPlayPosition(bad), 0u);
  }
  EXPECT_EQ(SoundBufferTable[0].Pan[0], 0);
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  // Duplicates beyond the mix count.
  const int32_t one = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  elSound::Play(one, 5);
  elSound::SetPan(one, 10, 7);
  elSound::TogglePause(one, 1);
  EXPECT_FALSE(Playing(one, 0));
  EXPECT_EQ(SoundBufferTable[one].Pan[7], 0);
  // After Release every buffer is gone and playing does nothing.
  elSound::Release();
  EXPECT_EQ(SoundBufferTable[one].Buffers[0], nullptr);
  EXPECT_EQ(SoundBufferTable[one].InUse, 1u);
  elSound::Play(one, -1);
  elSound::SetVolume(one, -10, -1);
  elSound::TogglePause(one, -1);
  EXPECT_EQ(elSound::GetPlayPosition(one), 0u);
  EXPECT_EQ(SoundBufferTable[one].Volume[0], -1000);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundTableTest, ReleaseAndReloadKeepHandlesNamesAndSettings) {
  const int32_t a = elSound::LoadObject("SOUND/SHOT.WAV", 3);
  const int32_t b = elSound::LoadObject("SOUND/BOM.WAV", -2);
  elSound::SetVolume(a, -12, 1);
  elSound::SetPan(a, 7, 2);
  elSound::SetFrequency(a, 5, 0);
  elSound::Play(a, -1);
  elSound::Play(b, -2);
  elSound::Release();
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
  EXPECT_FALSE(os::headless::AudioDeviceOpen());
  elSound::ReloadAll();
  EXPECT_TRUE(os::headless::AudioDeviceOpen());
  const SoundEntry& ea = SoundBufferTable[a];
  EXPECT_EQ(ea.NextDuplicate, 1);
  EXPECT_EQ(ea.EchoCount, 0);
  EXPECT_EQ(ea.Name, "SOUND/SHOT.WAV");
  EXPECT_EQ(MainMixer().Volume(ea.Buffers[1]), -1200);
  EXPECT_EQ(MainMixer().Pan(ea.Buffers[2]), 700);
  EXPECT_EQ(MainMixer().Frequency(ea.Buffers[0]), 22550u);
  EXPECT_EQ(ea.BaseFrequency, 22050u);
  EXPECT_EQ(SoundBufferTable[b].MixCount, 2);
  EXPECT_NE(SoundBufferTable[b].Buffers[1], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), 5u);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundTableTest, PlayWaveFilePlaysOnATemporaryDeviceAndRebuildsTheSounds) {
  const int32_t h = elSound::LoadObject("SOUND/SHOT.WAV", 1);
  const uint64_t before = os::headless::NowMicros();
  // 4410 frames at 22050 Hz: a fifth of a second of virtual time.
  elSound::PlayWaveFile(Path("SOUND/BOM.WAV").c_str());
  const uint64_t waited = os::headless::NowMicros() - before;
  EXPECT_GE(waited, 200000u);
  EXPECT_LT(waited, 400000u);
  EXPECT_NE(SoundBufferTable[h].Buffers[0], nullptr);
  EXPECT_TRUE(os::headless::AudioDeviceOpen());
  elSound::PlayWaveFile(Path("SOUND/NONE.WAV").c_str());  // nothing to play
  EXPECT_NE(SoundBufferTable[h].Buffers[0], nullptr);
  EXPECT_EQ(BoxCount(), 0u);
}

class NoDeviceTest : public SoundTest {
 protected:
  void SetUp() override {
    start_sound_ = false;
    SoundTest::SetUp();
    os::Stop();
    os::StartOptions options;
    options.no_audio_device = true;
    ASSERT_TRUE(os::Start(options));
    MakeSound("SHOT.WAV");
  }
};

TEST_F(NoDeviceTest, EverythingIsSilentAndLoadsFailWithoutAMessage) {
  EXPECT_EQ(elSound::Init(), 0);
  EXPECT_EQ(SoundAvailable, 0u);
  elSound::ClearSoundTable();
  EXPECT_EQ(elSound::LoadObject("SHOT.WAV", 1), -1);
  elSound::Play(-1, -1);
  elSound::Play(0, -1);
  EXPECT_EQ(elSound::LoadPack("SHOT.WAV", 1), -1);
  EXPECT_EQ(elSound::LoadStream("SHOT.WAV", 0), -1);
  EXPECT_EQ(elSound::Streaming(), 0);
  EXPECT_EQ(elSound::SelectFormat(2, 22, 16), 1);
  elSound::Release();
  elSound::ReloadAll();
  EXPECT_EQ(BoxCount(), 0u);
  // The reader and the beep do not need the device.
  os::audio::WaveFormat format;
  uint32_t format_size = 0, data_size = 0;
  std::vector<uint8_t> data;
  EXPECT_EQ(elSound::ReadWaveFile(Path("SHOT.WAV").c_str(), &format, &format_size, &data, &data_size), 0);
  EXPECT_EQ(format_size, 18u);
  EXPECT_EQ(data_size, 2000u);
  EXPECT_EQ(elSound::ReadWaveFile(Path("NONE.WAV").c_str(), &format, &format_size, &data, &data_size), 1);
  EXPECT_EQ(data_size, 0u);
  EXPECT_TRUE(data.empty());
  const int beeps = os::headless::BeepCount();
  elSound::Beep();
  EXPECT_EQ(os::headless::BeepCount(), beeps + 1);
}

}  // namespace
