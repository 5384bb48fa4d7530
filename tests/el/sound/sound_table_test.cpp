#include "el/system/elSystem.h"
#include "os/resources.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;
using V = std::vector<int32_t>;

const std::string kMix = "-1 elSound::LoadObject : ミックス数が多過ぎます";
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
  int32_t Load(const std::string& name, int32_t mix) { return elSound::LoadObject(name.c_str(), mix); }
};

TEST_F(SoundTableTest, MixCountsGiveDuplicatesAndEchoByTheirSign) {
  ASSERT_EQ(Load("SOUND/SHOT.WAV", 2), 0);
  EXPECT_EQ(SoundBufferTable[0].EchoCount, 0);
  ASSERT_EQ(Load("SOUND/SHOT.WAV", -10), 1);
  EXPECT_EQ(Entry(1), "SOUND/SHOT.WAV: use 1 mix 10 echo -1 base 22050 freq 22050 pack 0");
  EXPECT_NE(SoundBufferTable[1].Buffers[9], nullptr);
  ASSERT_EQ(Load("SOUND/SHOT.WAV", 0), 2);
  elSound::Play(2, -1);  // a mix count of 0 plays like 1
  EXPECT_TRUE(Playing(2, 0));
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", 11)), kMix);
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", -11)), kMix);
}

TEST_F(SoundTableTest, LongNamesAndAFullTableAreRefusedBeforeAnEntryIsTaken) {
  const std::string name30 = "SOUND/" + std::string(20, 'A') + ".WAV";
  const std::string name31 = "SOUND/" + std::string(21, 'A') + ".WAV";
  MakeSound(name30);
  MakeSound(name31);
  EXPECT_EQ(Result(Load(name30, 1)), "0");
  EXPECT_EQ(Result(Load(name31, 1)), "-1 elSound::LoadObject : ファイル名またはリソース名が長すぎます");
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
  for (int i = 1; i < 70; ++i) ASSERT_EQ(Load("SOUND/SHOT.WAV", 1), i);
  EXPECT_EQ(Result(Load("SOUND/SHOT.WAV", 1)), "-1 elSound::LoadObject : オブジェクト数が多過ぎます");
  elSound::ReleaseObject(5);
  EXPECT_EQ(SoundBufferTable[5].Buffers[0], nullptr);
  EXPECT_EQ(Load("SOUND/BOM.WAV", 1), 5);
}

TEST_F(SoundTableTest, MissingOrBrokenFilesFallBackToResourcesAndLeaveNothingBehind) {
  EXPECT_EQ(Result(Load("SOUND/NONE.WAV", 1)), kNoWave);
  const auto image = os::audio::EncodeWave(os::audio::PcmFormat(1, 11025, 8),
                                           std::vector<uint8_t>(400, 0x80));
  os::AddResource("WAVE", "CHIME", image);
  ASSERT_EQ(Result(Load("chime", 1)), "0");
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[0].Buffers[0]), 400u);
  // A data size running past the image's end is refused.
  os::AddResource("RCDATA", "CUT", std::vector<uint8_t>(image.begin(), image.begin() + 100));
  EXPECT_EQ(Result(Load("CUT", 1)), kNoWave);
  os::ClearResources();

  const os::audio::WaveFormat f = os::audio::PcmFormat(3, 22050, 16);
  sound_test::WriteFile(Path("SOUND/WIDE.WAV"), os::audio::EncodeWave(f, std::vector<uint8_t>(300)));
  EXPECT_EQ(Result(Load("SOUND/WIDE.WAV", 3)),
            "-1 elSound::LoadObject : サウンドバッファが生成できません");
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
  EXPECT_EQ(MainMixer().BufferCount(), 1u);
}

// Each kind of file is the same tone; raised, panned, quieter and echoed, it
// mixes as the 16-bit file of as many channels does.
TEST_F(SoundTableTest, EveryKindOfSampleFormatPlaysLikeTheSixteenBitFile) {
  using vantris_test::WaveKind;
  auto mix_of = [&](const WaveKind& kind) {
    const std::string name = "SOUND/K" + std::to_string(kind.bits) + std::to_string(kind.code) +
                             std::to_string(kind.channels) + (kind.extensible ? "X" : "") + ".WAV";
    sound_test::WriteFile(Path(name), vantris_test::ToneWave(kind, 2205, 22050));
    const int32_t h = Load(name, 4);
    EXPECT_GE(h, 0) << kind.Name();
    FrameTime = 0.02f;
    const auto mix = sound_test::CaptureMix([&] {
      elSound::Play(h, -2);
      elSound::SetFrequency(h, 30, -1);
      elSound::SetPan(h, -6, -1);
      elSound::AddVolume(h, -3, -1);
      for (int frame = 0; frame < 30; ++frame) {
        os::headless::AdvanceMs(20);
        elSound::PlayEcho(h, 150, 3, 6);
      }
    });
    elSound::ReleaseObject(h);
    return mix;
  };
  const std::vector<int16_t> reference[2] = {mix_of({os::audio::FormatPcm, 16, 1, false}),
                                             mix_of({os::audio::FormatPcm, 16, 2, false})};
  for (const WaveKind& kind : vantris_test::AllWaveKinds()) {
    int peak = 0;
    const int differs =
        sound_test::MixDifference(reference[kind.channels - 1], mix_of(kind), &peak);
    EXPECT_LE(differs, vantris_test::ToneTolerance(kind)) << kind.Name();
    EXPECT_GT(peak, 10000) << kind.Name();
  }
  EXPECT_EQ(BoxCount(), 0u);
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

TEST_F(SoundTableTest, RefusedSoundsSayWhichFileAndWhatIsWrongWithIt) {
  using vantris_test::FormatOf;
  using vantris_test::WaveKind;
  const uint16_t pcm = os::audio::FormatPcm, flt = os::audio::FormatIeeeFloat;
  os::audio::WaveFormat adpcm = os::audio::PcmFormat(1, 22050, 4);
  adpcm.format_tag = 2;
  adpcm.extra = {0xF4, 0x01};
  os::audio::WaveFormat short_block = FormatOf(WaveKind{pcm, 24, 2, true}, 22050);
  short_block.extra.resize(10);
  os::audio::WaveFormat odd_guid = FormatOf(WaveKind{flt, 32, 1, true}, 22050);
  odd_guid.extra[15] = 1;  // the GUID's tenth byte
  const std::string kNoBuffer = "elSound::LoadObject : サウンドバッファが生成できません";
  const struct {
    os::audio::WaveFormat format;
    size_t bytes;
    std::string line;
  } cases[] = {
      {FormatOf(WaveKind{pcm, 16, 3, false}, 22050), 600, kNoBuffer + " (%: 3 channels)"},
      {FormatOf(WaveKind{flt, 64, 1, false}, 22050), 800, kNoBuffer + " (%: 64-bit float samples)"},
      {FormatOf(WaveKind{flt, 64, 2, true}, 22050), 800, kNoBuffer + " (%: 64-bit float samples)"},
      {adpcm, 256, kNoBuffer + " (%: format code 0x0002)"},
      {short_block, 600,
       kNoBuffer + " (%: an extensible format block with 10 extra bytes, not 22)"},
      {odd_guid, 400,
       kNoBuffer + " (%: extensible sub-format {00000003-0000-0010-8001-00AA00389B71})"},
      {FormatOf(WaveKind{pcm, 24, 1, false}, 0), 300,
       kNoBuffer + " (%: a sample rate of 0 Hz, outside 100 to 100000)"},
      {FormatOf(WaveKind{pcm, 24, 2, true}, 22050), 0, kNoBuffer + " (%: no samples)"},
      {FormatOf(WaveKind{pcm, 24, 2, true}, 22050), 5,
       kNoBuffer + " (%: 5 bytes of samples, less than one frame)"},
      {FormatOf(WaveKind{pcm, 16, 1, false}, 22050), 2,
       kNoBuffer + " (%: 2 bytes of samples, fewer than the 4 a buffer needs)"},
  };
  for (const auto& c : cases) {
    const std::string name = "SOUND/BAD.WAV";
    sound_test::WriteFile(Path(name),
                          os::audio::EncodeWave(c.format, std::vector<uint8_t>(c.bytes, 0)));
    std::string line = "[エラー発生] " + c.line + "\n";
    line.replace(line.find('%'), 1, Path(name));
    EXPECT_EQ(sound_test::ErrorLines([&] { EXPECT_EQ(Load(name, 2), -1); }), line);
    EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  }
  // A file that is not a sound the reader takes says what is wrong with it.
  sound_test::WriteFile(Path("SOUND/CUT.WAV"),
                        vantris_test::ToneWave(WaveKind{flt, 32, 2, true}, 100, 22050));
  std::filesystem::resize_file(Path("SOUND/CUT.WAV"), 400);
  EXPECT_EQ(sound_test::ErrorLines([&] { Load("SOUND/CUT.WAV", 1); }),
            "[エラー発生] elSound::LoadObject : WAVEリソースが見つかりません (" +
                Path("SOUND/CUT.WAV") + ": a data chunk of 800 bytes cut short after 332)\n");
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

TEST_F(SoundTableTest, RoundRobinSkipsFixedPlays) {
  const int32_t three = Load("SOUND/BOM.WAV", 3);
  V used;
  for (int i = 0; i < 5; ++i) {
    used.push_back(SoundBufferTable[three].NextDuplicate);
    elSound::Play(three, -1);
    if (i == 2) elSound::Play(three, 2);
  }
  EXPECT_EQ(used, (V{0, 1, 2, 0, 1}));
}

TEST_F(SoundTableTest, SettersClampInTheirUnitsWithoutOverflow) {
  const int32_t h = Load("SOUND/SHOT.WAV", 3);
  const SoundEntry& e = SoundBufferTable[h];
  elSound::SetVolume(h, -150, -1);
  EXPECT_EQ(MainMixer().Volume(e.Buffers[2]), -10000);
  elSound::AddVolume(h, 40, 1);
  EXPECT_EQ(e.Volume[1], -6000);
  elSound::SetVolume(h, -2000000000, 1);
  EXPECT_EQ(e.Volume[1], -10000);
  elSound::SetPan(h, -200, 0);
  elSound::PanRight(h, 2);
  EXPECT_EQ(V(e.Pan, e.Pan + 3), (V{-10000, 0, 10000}));
  elSound::SetFrequency(h, 30, -1);
  elSound::SetFrequency(h, 0, -2);  // only the next duplicate (0)
  elSound::AddFrequency(h, -1000, 1);
  elSound::AddFrequency(h, 2000000000, 2);
  EXPECT_EQ((std::vector<uint32_t>{e.Frequency[0], e.Frequency[1], e.Frequency[2]}),
            (std::vector<uint32_t>{22050, 100, 100000}));
  EXPECT_EQ(MainMixer().Frequency(e.Buffers[1]), 100u);
}

TEST_F(SoundTableTest, EchoArmsOnlyWithEchoAndRepeatsQuieterThenIdles) {
  const int32_t plain = Load("SOUND/SHOT.WAV", 1);
  elSound::Play(plain, -2);
  EXPECT_EQ(SoundBufferTable[plain].EchoCount, -1);
  const int32_t h = Load("SOUND/BOM.WAV", 4);
  const SoundEntry& e = SoundBufferTable[h];
  FrameTime = 0.05f;
  elSound::PlayEcho(h, 100, 3, 6);  // nothing before an arming play
  EXPECT_EQ(e.EchoTimer, 0.0f);
  elSound::SetVolume(h, -20, -1);
  elSound::Play(h, -2);
  EXPECT_EQ(V(e.Volume, e.Volume + 4), V(4, 0));
  V volumes;
  for (int frame = 0; frame < 8; ++frame) {
    const int32_t next = e.NextDuplicate, count = e.EchoCount;
    elSound::PlayEcho(h, 100, 3, 6);
    if (e.EchoCount != count) volumes.push_back(e.Volume[next]);
  }
  EXPECT_EQ(volumes, (V{-600, -1200, -1800}));
  EXPECT_EQ(e.EchoCount, 0);
  EXPECT_TRUE(Playing(h, 0) && Playing(h, 3));
}

TEST_F(SoundTableTest, BadHandlesDuplicatesAndReleasedEntriesDoNothing) {
  for (int32_t bad : {-1, 0, 70, INT32_MIN}) {  // 0 is free
    elSound::Play(bad, -1);
    elSound::TogglePause(bad, 9);
    elSound::SetPan(bad, 3, -2);
    elSound::PlayEchoPan(bad, 10, 3, 3, 3);
    elSound::ReleaseObject(bad);
    EXPECT_EQ(elSound::GetPlayPosition(bad), 0u);
  }
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  const int32_t one = Load("SOUND/SHOT.WAV", 1);
  elSound::Play(one, 5);
  elSound::SetPan(one, 10, 7);
  EXPECT_FALSE(Playing(one, 0));
  EXPECT_EQ(SoundBufferTable[one].Pan[7], 0);
  elSound::Release();  // no buffers: settings are still kept
  elSound::SetVolume(one, -10, -1);
  EXPECT_EQ(SoundBufferTable[one].Volume[0], -1000);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundTableTest, ReleaseAndReloadKeepHandlesNamesAndSettings) {
  const int32_t a = Load("SOUND/SHOT.WAV", 3);
  elSound::SetVolume(a, -12, 1);
  elSound::SetFrequency(a, 5, 0);
  elSound::Play(a, -1);
  elSound::Release();
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
  elSound::ReloadAll();
  EXPECT_EQ(Entry(a), "SOUND/SHOT.WAV: use 1 mix 3 echo 0 base 22050 freq 22550 pack 0");
  EXPECT_EQ(SoundBufferTable[a].NextDuplicate, 1);
  EXPECT_EQ(MainMixer().Volume(SoundBufferTable[a].Buffers[1]), -1200);
  EXPECT_EQ(MainMixer().BufferCount(), 3u);
  // Reloaded, its buffers are still named by the sound they hold.
  os::headless::ClearSoundLog();
  os::headless::LogSounds(true);
  elSound::Play(a, 1);
  os::headless::LogSounds(false);
  EXPECT_EQ(os::headless::SoundLog(),
            std::vector<std::string>{"play SOUND/SHOT.WAV volume -1200 pan 0"});
  os::headless::ClearSoundLog();
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
  elSound::ClearSoundTable();
  EXPECT_EQ(elSound::LoadObject("SHOT.WAV", 1), -1);
  elSound::Play(0, -1);
  EXPECT_EQ(elSound::Streaming(), 0);
  EXPECT_EQ(BoxCount(), 0u);
}

}  // namespace
