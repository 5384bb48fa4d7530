#include "el/system/elSystem.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;
using Bytes = std::vector<uint8_t>;

const std::string kUnreadable = " : WAVEファイルを読み込めません";
const std::string kNoPack = " : パックファイル名が指定されていません";

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes U32(uint32_t v) { return {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)}; }
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Counting(uint32_t size) {
  Bytes data(size);
  for (uint32_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i);
  return data;
}

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

TEST_F(SoundPackTest, LookupUpperCasesTheRequestAndSkipsOtherRecords) {
  os::audio::WaveFormat adpcm = os::audio::PcmFormat(1, 22050, 4);
  adpcm.format_tag = 2;
  adpcm.block_align = 256;
  adpcm.avg_bytes_per_sec = 11100;
  adpcm.extra = {0x20, 0x00};
  WritePack(Record("SHOT.WAV", MonoBlock(), Bytes(100, 1)) +
            Record("DRUM.WAV", Block(adpcm), Bytes(333, 2)) +
            Record("BOM.WAV", MonoBlock(11025), Bytes(200, 3)));
  ASSERT_EQ(Result(elSound::LoadPack("bom.wav", 2)), "0");
  EXPECT_EQ(Entry(0), "bom.wav: use 1 mix 2 echo 0 base 11025 freq 11025 pack 1");
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[0].Buffers[1]), 200u);
  EXPECT_EQ(Result(elSound::LoadPack("DRUM.WAV", 1)),
            "-1 elSound::LoadPack : サウンドバッファが生成できません");
  EXPECT_EQ(Result(elSound::LoadPack("ABCDEFGHIJKLMNOPQRSTUVWXYZ1.WAV", 1)),
            "-1 elSound::LoadPack : ファイル名が長すぎます");
  elSound::SetPackFile("MISSING.PAK");
  EXPECT_EQ(Result(elSound::LoadPack("SHOT.WAV", 1)), "-1 elSound::LoadPack" + kNoPack);
  EXPECT_EQ(Result(elSound::LoadStream("SHOT.WAV", 0)), "-1 elSound::LoadStream" + kNoPack);
}

TEST_F(SoundPackTest, HostileRecordsEndTheSearchOrAreRefused) {
  const Bytes good(64, 7);
  auto no_rate = os::audio::PcmFormat(1, 22050, 16);
  no_rate.avg_bytes_per_sec = 0;
  Bytes extra_past_block = MonoBlock();
  extra_past_block[16] = 40;
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
    EXPECT_EQ(Result(elSound::LoadPack("X.WAV", 1)), "-1 elSound::LoadPack" + kUnreadable) << what;
    EXPECT_EQ(Result(elSound::LoadStream("X.WAV", 0)), "-1 elSound::LoadStream" + kUnreadable) << what;
  }
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

class StreamTest : public SoundPackTest {
 protected:
  // 300000 counting bytes at 44100 bytes a second.
  void SetUp() override {
    SoundPackTest::SetUp();
    WritePack(Record("SHORT.WAV", MonoBlock(), Bytes(1000, 0)) +
              Record("BGM.WAV", MonoBlock(), Counting(300000)));
  }
  // Serves the streams in 50 ms steps; the size of every chunk written.
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

TEST_F(StreamTest, PlayedOnceTheLastTwoChunksShareTheRestThenSilenceThenStop) {
  const int32_t h = elSound::LoadStream("BGM.WAV", 0);
  elSound::Play(h, -1);
  os::audio::Buffer* b = SoundBufferTable[h].Buffers[0];
  EXPECT_EQ(Serve(h, 100), (std::vector<uint32_t>{88200, 61800, 61800}));
  EXPECT_EQ(BufferBytes(h, 61800 + 61799, 1)[0], static_cast<uint8_t>(299999));
  EXPECT_EQ(Serve(h, 60), (std::vector<uint32_t>{88200}));  // silence, then the stop
  EXPECT_FALSE(MainMixer().Status(b) & os::audio::StatusPlaying);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(StreamTest, LoopedStreamsContinueAtTheLoopPoint) {
  const int32_t h = elSound::LoadStream("BGM.WAV", 1000);
  const StreamState& s = SoundBufferTable[h].Stream;
  elSound::PlayLoop(h, -1);
  EXPECT_EQ(Serve(h, 100), (std::vector<uint32_t>{88200, 61800, 61800}));
  EXPECT_EQ(Serve(h, 25).size(), 1u);
  EXPECT_EQ(BufferBytes(h, s.LastChunkStart, 2), (Bytes{1000 & 0xFF, 1001 & 0xFF}));
  elSound::Play(h, -1);  // rewinds to the first byte
  EXPECT_EQ(BufferBytes(h, 0, 2), (Bytes{0, 1}));
}

TEST_F(StreamTest, BadLoopOffsetsAreRefusedAndShortReadsGiveSilence) {
  EXPECT_EQ(Result(elSound::LoadStream("BGM.WAV", 300000)),
            "-1 elSound::LoadStream : ストリーミング再生できません");
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
  const int32_t h = elSound::LoadStream("BGM.WAV", 0);
  ASSERT_GE(h, 0);
  std::filesystem::resize_file(Path("SE.PAK"), SoundBufferTable[h].Stream.DataStart + 100000);
  elSound::PlayLoop(h, -1);
  os::headless::AdvanceMs(10);
  EXPECT_EQ(elSound::Streaming(), 1);
  const auto bytes = BufferBytes(h, 88200, 88200);
  EXPECT_EQ(bytes[100000 - 88200 - 1], static_cast<uint8_t>(99999));
  EXPECT_EQ(Bytes(bytes.begin() + (100000 - 88200), bytes.end()), Bytes(88200 - (100000 - 88200), 0));
  std::filesystem::remove(Path("SE.PAK"));
  os::headless::AdvanceMs(2100);
  EXPECT_EQ(Result(elSound::Streaming()), "0 elSound::Streaming" + kNoPack);
}

}  // namespace
