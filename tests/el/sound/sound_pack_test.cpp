// Sound packs: lookup, hostile records, the folder writer, the streams and
// the output format.
#include "el/system/elSystem.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;
using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

// One pack record as the pack writer lays it out (with a data size of its
// own when given).
Bytes Record(const std::string& name, const Bytes& format_block, const Bytes& data,
             uint32_t data_size = 0xFFFFFFFFu) {
  return U32(data_size == 0xFFFFFFFFu ? uint32_t(data.size()) : data_size) + Text(name) + Bytes{0} +
         U32(uint32_t(format_block.size())) + format_block + data;
}

Bytes Block(const os::audio::WaveFormat& f) { return os::audio::EncodeFormatBlock(f); }
Bytes MonoBlock(uint32_t rate = 22050) { return Block(os::audio::PcmFormat(1, rate, 16)); }

class SoundPackTest : public SoundTest {
 protected:
  void WritePack(const Bytes& pack, const std::string& name = "SE.PAK") {
    sound_test::WriteFile(Path(name), pack);
    elSound::SetPackFile(name.c_str());
  }
};

TEST_F(SoundPackTest, LookupUpperCasesTheRequestAndSkipsOtherRecordsWhateverTheirFormat) {
  os::audio::WaveFormat adpcm = os::audio::PcmFormat(1, 22050, 4);
  adpcm.format_tag = 2;
  adpcm.block_align = 256;
  adpcm.avg_bytes_per_sec = 11100;
  adpcm.extra = {0x20, 0x00};  // a 20-byte format block
  WritePack(Record("SHOT.WAV", MonoBlock(), Bytes(100, 1)) +
            Record("DRUM.WAV", Block(adpcm), Bytes(333, 2)) +
            Record("BOM.WAV", MonoBlock(11025), Bytes(200, 3)));
  EXPECT_EQ(SoundPackPath, Path("SE.PAK"));

  ASSERT_EQ(Result(elSound::LoadPack("bom.wav", 2)), "0");
  EXPECT_EQ(Entry(0), "bom.wav: use 1 mix 2 echo 0 base 11025 freq 11025 pack 1");
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[0].Buffers[1]), 200u);
  const std::string unreadable = "-1 elSound::LoadPack : WAVEファイルを読み込めません";
  // The non-PCM record is found but no buffer holds it.
  EXPECT_EQ(Result(elSound::LoadPack("DRUM.WAV", 1)),
            "-1 elSound::LoadPack : サウンドバッファが生成できません");
  EXPECT_EQ(Result(elSound::LoadPack("NONE.WAV", 1)), unreadable);
  EXPECT_EQ(Result(elSound::LoadPack("ABCDEFGHIJKLMNOPQRSTUVWXYZ.WAV", 1)), unreadable);  // 30
  EXPECT_EQ(Result(elSound::LoadPack("ABCDEFGHIJKLMNOPQRSTUVWXYZ1.WAV", 1)),
            "-1 elSound::LoadPack : ファイル名が長すぎます");
  EXPECT_EQ(Result(elSound::LoadPack("SHOT.WAV", 11)),
            "-1 elSound::LoadPack : ミックス数が多過ぎます");

  // No pack set, or a missing one.
  const std::string no_pack = " : パックファイル名が指定されていません";
  SoundPackPath.clear();
  EXPECT_EQ(Result(elSound::LoadPack("SHOT.WAV", 1)), "-1 elSound::LoadPack" + no_pack);
  EXPECT_EQ(Result(elSound::LoadStream("SHOT.WAV", 0)), "-1 elSound::LoadStream" + no_pack);
  elSound::SetPackFile("MISSING.PAK");
  EXPECT_EQ(Result(elSound::LoadPack("SHOT.WAV", 1)), "-1 elSound::LoadPack" + no_pack);
  EXPECT_EQ(SoundBufferTable[1].InUse, 0u);
}

TEST_F(SoundPackTest, HostileRecordsEndTheSearchOrAreRefused) {
  const Bytes good(64, 7);
  auto no_rate = os::audio::PcmFormat(1, 22050, 16);
  no_rate.avg_bytes_per_sec = 0;
  Bytes extra_past_block = MonoBlock();
  extra_past_block[16] = 40;  // extra size beyond the block
  const std::pair<const char*, Bytes> cases[] = {
      {"name past 127 bytes",
       Record(std::string(128, 'A'), MonoBlock(), good) + Record("X.WAV", MonoBlock(), good)},
      {"cut inside its name", U32(10) + Text("X.WA")},
      {"a skip past the end",
       Record("A.WAV", MonoBlock(), good, 0xFFFFFFF0u) + Record("X.WAV", MonoBlock(), good)},
      {"format 17", Record("X.WAV", Bytes(17, 0), good)},
      {"format 65554", U32(64) + Text("X.WAV") + Bytes{0} + U32(18 + 65536) + Bytes(18 + 65536 + 64)},
      {"no bytes per second", Record("X.WAV", Block(no_rate), good)},
      {"data past the end", Record("X.WAV", MonoBlock(), good, 100000)},
      {"extra past block", Record("X.WAV", extra_past_block, good)},
  };
  for (const auto& [what, pack] : cases) {
    WritePack(pack);
    EXPECT_EQ(Result(elSound::LoadPack("X.WAV", 1)),
              "-1 elSound::LoadPack : WAVEファイルを読み込めません") << what;
    EXPECT_EQ(Result(elSound::LoadStream("X.WAV", 0)),
              "-1 elSound::LoadStream : WAVEファイルを読み込めません") << what;
  }
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

TEST_F(SoundPackTest, LoadFolderWritesOneRecordPerWavInFolderOrderAndAppends) {
  std::filesystem::create_directories(Path("SE"));
  MakeSound("SE/SHOT.WAV", 500);
  MakeSound("SE/bom.wav", 300);
  sound_test::WriteFile(Path("SE/JUNK.WAV"), Text("not a wav"));
  sound_test::WriteFile(Path("SE/README.TXT"), {'x'});
  sound_test::WriteFile(Path("ALL.PAK"), Text("old"));
  // In the folder search's order (bytewise: "SHOT.WAV" before "bom.wav"),
  // upper-cased; the old pack deleted first, then appended to.
  const Bytes records =
      Record("SHOT.WAV", MonoBlock(), Pcm(500)) + Record("BOM.WAV", MonoBlock(), Pcm(300));
  Bytes pack;
  EXPECT_EQ(elSound::LoadFolder("ALL.PAK", "SE", 1), 1);
  ASSERT_TRUE(os::ReadWholeFile(Path("ALL.PAK"), &pack));
  EXPECT_EQ(pack, records);
  EXPECT_EQ(elSound::LoadFolder("ALL.PAK", "SE", 0), 1);
  ASSERT_TRUE(os::ReadWholeFile(Path("ALL.PAK"), &pack));
  EXPECT_EQ(pack, records + records);
  elSound::SetPackFile("ALL.PAK");
  const int32_t h = elSound::LoadPack("Shot.wav", 1);
  ASSERT_GE(h, 0);
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[h].Buffers[0]), 1000u);
  // A folder with nothing in it, or none at all, still answers 1.
  EXPECT_EQ(elSound::LoadFolder("EMPTY.PAK", "NOWHERE", 1), 1);
  EXPECT_FALSE(std::filesystem::exists(Path("EMPTY.PAK")));
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundPackTest, PackSoundsReloadFromTheirOwnPack) {
  WritePack(Record("ONE.WAV", MonoBlock(), Bytes(100, 1)), "A.PAK");
  const int32_t one = elSound::LoadPack("ONE.WAV", 1);
  WritePack(Record("TWO.WAV", MonoBlock(), Bytes(100, 2)), "B.PAK");
  elSound::Release();
  elSound::ReloadAll();
  EXPECT_NE(SoundBufferTable[one].Buffers[0], nullptr);
  EXPECT_EQ(SoundPackPath, Path("B.PAK"));
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(SoundPackTest, SelectFormatChangesTheOutputAndRebuildsEverySound) {
  MakeSound("A.WAV");
  const int32_t h = elSound::LoadObject("A.WAV", 2);
  elSound::SetVolume(h, -5, 1);
  EXPECT_EQ(elSound::SelectFormat(2, 22, 16), 1);
  const os::audio::OutputFormat out = os::audio::CurrentOutput();
  EXPECT_EQ(std::vector<uint32_t>({uint32_t(out.channels), out.rate, uint32_t(out.bits),
                                   out.BytesPerFrame()}),
            std::vector<uint32_t>({2, 22050, 16, 4}));
  EXPECT_NE(SoundBufferTable[h].Buffers[1], nullptr);
  EXPECT_EQ(MainMixer().Volume(SoundBufferTable[h].Buffers[1]), -500);
  EXPECT_TRUE(os::headless::AudioDeviceOpen());
  EXPECT_EQ(elSound::SelectFormat(1, 8, 8), 1);
  EXPECT_EQ(os::audio::CurrentOutput().rate, 8000u);
  // A format no device takes: reported, and the sounds stay in the old one.
  EXPECT_EQ(Result(elSound::SelectFormat(3, 44, 16)),
            "0 elSound::SelectFormat : 再生フォーマットを変更できません");
  EXPECT_EQ(os::audio::CurrentOutput().rate, 8000u);
  EXPECT_NE(SoundBufferTable[h].Buffers[0], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), 2u);
}

// ---- streams ----

class StreamTest : public SoundPackTest {
 protected:
  // A 22050 Hz 16-bit mono record (44100 bytes per second) of counting bytes
  // of 300000 bytes, after a short one.
  void SetUp() override {
    SoundPackTest::SetUp();
    WritePack(Record("SHORT.WAV", MonoBlock(), Bytes(1000, 0)) +
              Record("BGM.WAV", MonoBlock(), sound_test::CountingBytes(300000)));
  }
  // Advances the clock in 50 ms steps, serving the streams, and records the
  // size of every chunk written.
  std::vector<uint32_t> Serve(int32_t h, int steps) {
    std::vector<uint32_t> chunks;
    const StreamState& s = SoundBufferTable[h].Stream;
    for (int i = 0; i < steps; ++i) {
      os::headless::AdvanceMs(50);
      const uint32_t before = s.WriteOffset;
      EXPECT_EQ(elSound::Streaming(), 1);
      if (s.WriteOffset != before)
        chunks.push_back((s.WriteOffset + s.BufferSize - before) % s.BufferSize);
    }
    return chunks;
  }
  Bytes BufferBytes(int32_t h, uint32_t offset, uint32_t n) {
    os::audio::LockedRange r;
    os::audio::Buffer* b = SoundBufferTable[h].Buffers[0];
    EXPECT_EQ(MainMixer().Lock(b, offset, n, &r), os::audio::AudioOk);
    Bytes out(r.first, r.first + r.first_bytes);
    if (r.second) out.insert(out.end(), r.second, r.second + r.second_bytes);
    MainMixer().Unlock(b);
    return out;
  }
};

TEST_F(StreamTest, SizesFollowTheAverageRateAndShortSoundsBecomePackSounds) {
  ASSERT_EQ(elSound::LoadStream("bgm.wav", 0), 0);
  const StreamState& s = SoundBufferTable[0].Stream;
  // Buffer, half, data size, queued, write offset, read position, wrap cursor.
  EXPECT_EQ((std::vector<uint32_t>{s.BufferSize, s.HalfSize, s.DataSize, s.QueuedBytes,
                                   s.WriteOffset, s.ReadPosition - s.DataStart, s.WrapCursor}),
            (std::vector<uint32_t>{176400, 88200, 300000, 88200, 88200, 88200, 0xFFFFFFFFu}));
  EXPECT_EQ(Entry(0), "bgm.wav: use 1 mix 1 echo -1 base 22050 freq 22050 pack 1");
  EXPECT_EQ(BufferBytes(0, 0, 4), (Bytes{0, 1, 2, 3}));

  // 4.9 seconds: an ordinary one-buffer pack sound that streaming ignores.
  WritePack(Record("JINGLE.WAV", MonoBlock(), Bytes(44100 * 49 / 10, 5)), "J.PAK");
  ASSERT_EQ(elSound::LoadStream("JINGLE.WAV", 100), 1);
  const SoundEntry& j = SoundBufferTable[1];
  EXPECT_EQ(j.Stream.DataSize, 0u);
  EXPECT_EQ(Entry(1), "JINGLE.WAV: use 1 mix 1 echo -1 base 22050 freq 22050 pack 1");
  elSound::PlayLoop(1, -1);
  os::headless::AdvanceMs(100);
  EXPECT_EQ(elSound::Streaming(), 1);
  EXPECT_EQ(j.Stream.QueuedBytes, 0u);
}

TEST_F(StreamTest, PlayedOnceTheLastTwoChunksShareTheRestThenSilenceThenStop) {
  const int32_t h = elSound::LoadStream("BGM.WAV", 0);
  elSound::Play(h, -1);
  os::audio::Buffer* b = SoundBufferTable[h].Buffers[0];
  EXPECT_TRUE(MainMixer().Status(b) & os::audio::StatusLooping);
  const StreamState& s = SoundBufferTable[h].Stream;
  EXPECT_EQ(Serve(h, 100), (std::vector<uint32_t>{88200, 61800, 61800}));  // 5 seconds
  EXPECT_EQ(s.StopCountdown, 2);
  EXPECT_EQ(s.QueuedBytes, 0u);
  EXPECT_EQ(s.ReadPosition, s.DataStart);
  // The last data chunk holds the data's end.
  EXPECT_EQ(BufferBytes(h, 61800 + 61799, 1)[0], static_cast<uint8_t>(299999));
  EXPECT_EQ(Serve(h, 60), (std::vector<uint32_t>{88200}));  // the silent chunk, then the stop
  EXPECT_EQ(BufferBytes(h, 123600, 88200), Bytes(88200, 0));
  EXPECT_FALSE(MainMixer().Status(b) & os::audio::StatusPlaying);
  EXPECT_EQ(MainMixer().Position(b), 0u);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(StreamTest, LoopedStreamsContinueAtTheLoopPoint) {
  const int32_t h = elSound::LoadStream("BGM.WAV", 1000);
  const StreamState& s = SoundBufferTable[h].Stream;
  EXPECT_EQ(s.LoopPoint, s.DataStart + 1000);
  elSound::PlayLoop(h, -1);
  EXPECT_EQ(Serve(h, 100), (std::vector<uint32_t>{88200, 61800, 61800}));
  EXPECT_EQ(s.StopCountdown, 0);
  EXPECT_EQ(s.QueuedBytes, 1000u);
  EXPECT_EQ(Serve(h, 25).size(), 1u);
  // The chunk after the data's end starts with the loop point's byte.
  EXPECT_EQ(BufferBytes(h, s.LastChunkStart, 2), (Bytes{1000 & 0xFF, 1001 & 0xFF}));
  EXPECT_TRUE(MainMixer().Status(SoundBufferTable[h].Buffers[0]) & os::audio::StatusPlaying);
  // A play rewinds the stream to its first byte.
  elSound::Play(h, -1);
  EXPECT_EQ(s.QueuedBytes, 88200u);
  EXPECT_EQ(BufferBytes(h, 0, 2), (Bytes{0, 1}));
}

TEST_F(StreamTest, BadLoopOffsetsAreRefusedAndShortReadsGiveSilence) {
  EXPECT_EQ(Result(elSound::LoadStream("BGM.WAV", 300000)),
            "-1 elSound::LoadStream : ストリーミング再生できません");
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  EXPECT_EQ(MainMixer().BufferCount(), 0u);

  const int32_t h = elSound::LoadStream("BGM.WAV", 0);
  ASSERT_GE(h, 0);
  const StreamState& s = SoundBufferTable[h].Stream;
  // The pack loses its tail after the load: what is missing reads as silence.
  std::filesystem::resize_file(Path("SE.PAK"), s.DataStart + 100000);
  elSound::PlayLoop(h, -1);
  os::headless::AdvanceMs(10);
  EXPECT_EQ(elSound::Streaming(), 1);
  const auto bytes = BufferBytes(h, 88200, 88200);
  EXPECT_EQ(bytes[100000 - 88200 - 1], static_cast<uint8_t>(99999));
  EXPECT_EQ(Bytes(bytes.begin() + (100000 - 88200), bytes.end()), Bytes(88200 - (100000 - 88200), 0));
  // A pack that has gone is reported by the refill.
  const std::string no_pack = " : パックファイル名が指定されていません";
  std::filesystem::remove(Path("SE.PAK"));
  os::headless::AdvanceMs(2100);
  EXPECT_EQ(Result(elSound::Streaming()), "0 elSound::Streaming" + no_pack);
  EXPECT_EQ(Result(elSound::ResetStream(h)), "0 elSound::ResetStream" + no_pack);
}

}  // namespace
