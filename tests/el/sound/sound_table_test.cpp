// The sound table: loads, duplicates, echo, the play modes, the setters and
// the handles that do nothing.
#include "el/system/elSystem.h"
#include "os/resources.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;
using V = std::vector<int32_t>;

const std::string kMix = "-1 elSound::LoadObject : ミックス数が多過ぎます";
const std::string kName = "-1 elSound::LoadObject : ファイル名またはリソース名が長すぎます";
const std::string kFull = "-1 elSound::LoadObject : オブジェクト数が多過ぎます";
const std::string kNoWave = "-1 elSound::LoadObject : WAVEリソースが見つかりません";

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
  int32_t Load(const char* name, int32_t mix) { return elSound::LoadObject(name, mix); }
  // A setting of the first `n` duplicates.
  static V Volumes(const SoundEntry& e, int n = 3) { return V(e.Volume, e.Volume + n); }
  static V Pans(const SoundEntry& e, int n = 3) { return V(e.Pan, e.Pan + n); }
  static std::vector<uint32_t> Frequencies(const SoundEntry& e) {
    return {e.Frequency[0], e.Frequency[1], e.Frequency[2]};
  }
};

TEST_F(SoundTableTest, MixCountsGiveDuplicatesAndEchoByTheirSign) {
  // Mix count, duplicates, echo count (-1: none).
  const std::array<int32_t, 3> cases[] = {{1, 1, -1}, {2, 2, 0},   {-3, 3, -1},
                                          {10, 10, 0}, {-10, 10, -1}, {0, 1, -1}};
  for (int32_t h = 0; h < 6; ++h) {
    const auto [mix, count, echo] = cases[h];
    ASSERT_EQ(Load("SOUND/SHOT.WAV", mix), h);  // the first entries, in order
    EXPECT_EQ(Entry(h), "SOUND/SHOT.WAV: use 1 mix " + std::to_string(count) + " echo " +
                            std::to_string(echo) + " base 22050 freq 22050 pack 0");
    for (int d = 0; d < 10; ++d)
      EXPECT_EQ(SoundBufferTable[h].Buffers[d] != nullptr, d < count) << mix << " " << d;
  }
  EXPECT_EQ(BoxCount(), 0u);
  elSound::Play(5, -1);  // a mix count of 0 plays like 1
  EXPECT_TRUE(Playing(5, 0));
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", 11)), kMix);
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", -11)), kMix);
}

TEST_F(SoundTableTest, NamesOf30CharactersLoadAnd31AreRefusedBeforeAnEntryIsTaken) {
  const std::string name30 = "SOUND/" + std::string(20, 'A') + ".WAV";
  const std::string name31 = "SOUND/" + std::string(21, 'A') + ".WAV";
  MakeSound(name30);
  MakeSound(name31);
  EXPECT_EQ(Result(Load(name30.c_str(), 1)), "0");
  EXPECT_EQ(Result(Load(name31.c_str(), 1)), kName);
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
  EXPECT_EQ(Load("SOUND/SHOT.WAV", 1), 1);
}

TEST_F(SoundTableTest, The71stLoadIsRefusedAndAReleasedEntryIsReused) {
  for (int i = 0; i < 70; ++i) ASSERT_EQ(Load("SOUND/SHOT.WAV", 1), i);
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", 1)), kFull);
  elSound::ReleaseObject(5);
  EXPECT_EQ(SoundBufferTable[5].InUse, 0u);
  EXPECT_EQ(SoundBufferTable[5].Buffers[0], nullptr);
  EXPECT_EQ(SoundBufferTable[5].Name, "");
  EXPECT_EQ(Load("SOUND/BOM.WAV", 1), 5);
}

TEST_F(SoundTableTest, MissingOrBrokenFilesFallBackToResourcesAndReportTheMissingResource) {
  EXPECT_EQ(Result(Load("SOUND/NONE.WAV", 1)), kNoWave);
  sound_test::WriteFile(Path("SOUND/BROKEN.WAV"), {'R', 'I', 'F', 'F', 1, 2});
  EXPECT_EQ(Result(Load("SOUND/BROKEN.WAV", 1)), kNoWave);

  // A resource image with the plain 44-byte header; one whose data size runs
  // past its end is refused.
  const auto image = os::audio::EncodeWave(os::audio::PcmFormat(1, 11025, 8),
                                           std::vector<uint8_t>(400, 0x80));
  os::AddResource("WAVE", "CHIME", image);
  ASSERT_EQ(Result(Load("chime", 1)), "0");
  EXPECT_EQ(SoundBufferTable[0].BaseFrequency, 11025u);
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[0].Buffers[0]), 400u);
  os::AddResource("RCDATA", "CUT", std::vector<uint8_t>(image.begin(), image.begin() + 100));
  EXPECT_EQ(Result(Load("CUT", 1)), kNoWave);
  os::ClearResources();

  // 24-bit samples read fine but no buffer holds them: the entry stays free
  // and nothing is left behind.
  os::audio::WaveFormat f = os::audio::PcmFormat(1, 22050, 16);
  f.bits_per_sample = 24;
  f.block_align = 3;
  f.avg_bytes_per_sec = 3 * 22050;
  sound_test::WriteFile(Path("SOUND/WIDE.WAV"), os::audio::EncodeWave(f, std::vector<uint8_t>(300)));
  const size_t before = MainMixer().BufferCount();
  EXPECT_EQ(Result(Load("SOUND/WIDE.WAV", 3)),
            "-1 elSound::LoadObject : サウンドバッファが生成できません");
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
  EXPECT_EQ(SoundBufferTable[1].Buffers[0], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), before);
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", 1)), "1");
}

TEST_F(SoundTableTest, OneBufferRestartsFromItsStartAndRoundRobinSkipsFixedPlays) {
  const int32_t one = Load("SOUND/BOM.WAV", 1);
  elSound::Play(one, -1);
  os::headless::AdvanceMs(50);
  EXPECT_GT(elSound::GetPlayPosition(one), 0u);
  elSound::Play(one, -1);
  EXPECT_EQ(elSound::GetPlayPosition(one), 0u);
  EXPECT_TRUE(Playing(one, 0));

  const int32_t three = Load("SOUND/BOM.WAV", 3);
  V used;
  for (int i = 0; i < 5; ++i) {
    used.push_back(SoundBufferTable[three].NextDuplicate);
    elSound::Play(three, -1);
    if (i == 2) elSound::Play(three, 2);
  }
  EXPECT_EQ(used, (V{0, 1, 2, 0, 1}));
  EXPECT_TRUE(Playing(three, 0) && Playing(three, 1) && Playing(three, 2));
  EXPECT_EQ(SoundBufferTable[three].Looping, 0u);
  elSound::PlayLoop(three, 0);
  EXPECT_EQ(SoundBufferTable[three].Looping, 1u);
  EXPECT_TRUE(MainMixer().Status(SoundBufferTable[three].Buffers[0]) & os::audio::StatusLooping);
}

TEST_F(SoundTableTest, ModeMinusTwoArmsTheEchoOnlyForSoundsWithEcho) {
  const int32_t plain = Load("SOUND/SHOT.WAV", 1);
  elSound::Play(plain, -2);
  EXPECT_EQ(SoundBufferTable[plain].EchoCount, -1);
  EXPECT_TRUE(Playing(plain, 0));

  const int32_t echo = Load("SOUND/SHOT.WAV", 4);
  elSound::SetVolume(echo, -20, -1);
  elSound::SetPan(echo, 10, -1);
  elSound::PlayLoop(echo, -2);  // settings back to 0 on every duplicate
  const SoundEntry& e = SoundBufferTable[echo];
  EXPECT_EQ(e.EchoCount, 1);
  EXPECT_EQ(e.EchoLooping, 1u);
  EXPECT_EQ(e.EchoTimer, 0.0f);
  EXPECT_TRUE(e.EchoPanDirection == 1 || e.EchoPanDirection == -1);
  EXPECT_EQ(Volumes(e, 4), V(4, 0));
  EXPECT_EQ(Pans(e, 4), V(4, 0));
  EXPECT_EQ(e.NextDuplicate, 1);
}

TEST_F(SoundTableTest, SettersClampInTheirUnits) {
  const int32_t h = Load("SOUND/SHOT.WAV", 3);
  const SoundEntry& e = SoundBufferTable[h];
  elSound::SetVolume(h, 5, -1);
  EXPECT_EQ(Volumes(e), V(3, 0));
  elSound::SetVolume(h, -150, -1);
  EXPECT_EQ(Volumes(e), V(3, -10000));
  EXPECT_EQ(MainMixer().Volume(e.Buffers[2]), -10000);
  elSound::AddVolume(h, 40, 1);
  EXPECT_EQ(e.Volume[1], -6000);
  elSound::AddVolume(h, 61, 1);
  EXPECT_EQ(e.Volume[1], 0);
  elSound::SetVolume(h, -2000000000, 1);  // no overflow on the way
  EXPECT_EQ(e.Volume[1], -10000);

  elSound::SetPan(h, -200, 0);
  EXPECT_EQ(Pans(e), (V{-10000, 0, 0}));
  elSound::AddPan(h, 250, 0);
  elSound::PanLeft(h, 1);
  elSound::PanRight(h, 2);
  EXPECT_EQ(Pans(e), (V{10000, -10000, 10000}));
  EXPECT_EQ(MainMixer().Pan(e.Buffers[2]), 10000);
  elSound::ResetPan(h, -1);
  EXPECT_EQ(Pans(e), V(3, 0));

  elSound::SetFrequency(h, 30, -1);
  EXPECT_EQ(Frequencies(e), std::vector<uint32_t>(3, 25050));
  elSound::SetFrequency(h, 0, -2);  // only the next duplicate (0)
  EXPECT_EQ(Frequencies(e), (std::vector<uint32_t>{22050, 25050, 25050}));
  elSound::AddFrequency(h, -1000, 1);
  elSound::AddFrequency(h, 2000000000, 2);  // no overflow on the way
  EXPECT_EQ(Frequencies(e), (std::vector<uint32_t>{22050, 100, 100000}));
  EXPECT_EQ(MainMixer().Frequency(e.Buffers[1]), 100u);
  elSound::ResetFrequency(h, -1);
  EXPECT_EQ(Frequencies(e), std::vector<uint32_t>(3, 22050));
}

TEST_F(SoundTableTest, EchoRepeatsQuieterOnTheRoundRobinAndThenIdles) {
  const int32_t h = Load("SOUND/BOM.WAV", 4);
  const SoundEntry& e = SoundBufferTable[h];
  // Nothing before an arming play, and nothing with repeats 0.
  FrameTime = 0.05f;
  elSound::PlayEcho(h, 100, 3, 6);
  EXPECT_EQ(e.EchoTimer, 0.0f);
  elSound::Play(h, -2);
  elSound::PlayEcho(h, 100, 0, 6);
  EXPECT_EQ(e.EchoTimer, 0.0f);

  V volumes;
  for (int frame = 0; frame < 8; ++frame) {
    const int32_t next = e.NextDuplicate, count = e.EchoCount;
    elSound::PlayEcho(h, 100, 3, 6);
    if (e.EchoCount != count) volumes.push_back(e.Volume[next]);
  }
  EXPECT_EQ(volumes, (V{-600, -1200, -1800}));
  EXPECT_EQ(e.EchoCount, 0);
  EXPECT_TRUE(Playing(h, 0) && Playing(h, 1) && Playing(h, 2) && Playing(h, 3));
}

TEST_F(SoundTableTest, PanningEchoMovesThePanOnlyOnRepeatFrames) {
  const int32_t h = Load("SOUND/BOM.WAV", 3);
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
  const int32_t h = Load("SOUND/BOM.WAV", 2);
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
  const int32_t h = Load("SOUND/SHOT.WAV", 2);
  elSound::ReleaseObject(h);
  ASSERT_EQ(Load("SOUND/BOM.WAV", 1), 0);  // takes entry 0 again
  elSound::ReleaseObject(0);
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
  const int32_t one = Load("SOUND/SHOT.WAV", 1);
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
  const int32_t a = Load("SOUND/SHOT.WAV", 3);
  const int32_t b = Load("SOUND/BOM.WAV", -2);
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
  EXPECT_EQ(Entry(a), "SOUND/SHOT.WAV: use 1 mix 3 echo 0 base 22050 freq 22550 pack 0");
  EXPECT_EQ(ea.NextDuplicate, 1);
  EXPECT_EQ(MainMixer().Volume(ea.Buffers[1]), -1200);
  EXPECT_EQ(MainMixer().Pan(ea.Buffers[2]), 700);
  EXPECT_EQ(MainMixer().Frequency(ea.Buffers[0]), 22550u);
  EXPECT_EQ(SoundBufferTable[b].MixCount, 2);
  EXPECT_NE(SoundBufferTable[b].Buffers[1], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), 5u);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundTableTest, PlayWaveFilePlaysOnATemporaryDeviceAndRebuildsTheSounds) {
  const int32_t h = Load("SOUND/SHOT.WAV", 1);
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
