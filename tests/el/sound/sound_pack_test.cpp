#include "el/system/elSystem.h"
#include "tests/el/sound/sound_fixture.h"

namespace {

using os::audio::MainMixer;
using sound_test::SoundTest;

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// One pack record as the pack writer lays it out.
void AddRecord(std::vector<uint8_t>& pack, const std::string& name,
               const std::vector<uint8_t>& format_block, const std::vector<uint8_t>& data,
               uint32_t data_size_field = 0xFFFFFFFFu) {
  PutU32(pack, data_size_field == 0xFFFFFFFFu ? static_cast<uint32_t>(data.size()) : data_size_field);
  pack.insert(pack.end(), name.begin(), name.end());
  pack.push_back(0);
  PutU32(pack, static_cast<uint32_t>(format_block.size()));
  pack.insert(pack.end(), format_block.begin(), format_block.end());
  pack.insert(pack.end(), data.begin(), data.end());
}

std::vector<uint8_t> Block(const os::audio::WaveFormat& f) { return os::audio::EncodeFormatBlock(f); }
std::vector<uint8_t> MonoBlock(uint32_t rate = 22050) { return Block(os::audio::PcmFormat(1, rate, 16)); }

// The names of a pack's records, in file order.
std::vector<std::string> RecordNames(const std::string& path) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(os::ReadWholeFile(path, &bytes));
  std::vector<std::string> names;
  size_t pos = 0;
  auto u32 = [&](size_t at) {
    return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8 | uint32_t{bytes[at + 2]} << 16 |
           uint32_t{bytes[at + 3]} << 24;
  };
  while (pos + 4 <= bytes.size()) {
    const uint32_t data = u32(pos);
    pos += 4;
    std::string name;
    while (pos < bytes.size() && bytes[pos]) name.push_back(static_cast<char>(bytes[pos++]));
    pos += 1;
    const uint32_t format = u32(pos);
    pos += 4 + format + data;
    names.push_back(name);
  }
  return names;
}

class SoundPackTest : public SoundTest {
 protected:
  void WritePack(const std::vector<uint8_t>& pack, const std::string& name = "SE.PAK") {
    sound_test::WriteFile(Path(name), pack);
    elSound::SetPackFile(name.c_str());
  }
};

TEST_F(SoundPackTest, LookupUpperCasesTheRequestAndSkipsOtherRecordsWhateverTheirFormat) {
  std::vector<uint8_t> pack;
  AddRecord(pack, "SHOT.WAV", MonoBlock(), std::vector<uint8_t>(100, 1));
  os::audio::WaveFormat adpcm = os::audio::PcmFormat(1, 22050, 4);
  adpcm.format_tag = 2;
  adpcm.block_align = 256;
  adpcm.avg_bytes_per_sec = 11100;
  adpcm.extra = {0x20, 0x00};  // a 20-byte format block
  ASSERT_EQ(Block(adpcm).size(), 20u);
  AddRecord(pack, "DRUM.WAV", Block(adpcm), std::vector<uint8_t>(333, 2));
  AddRecord(pack, "BOM.WAV", MonoBlock(11025), std::vector<uint8_t>(200, 3));
  WritePack(pack);
  EXPECT_EQ(SoundPackPath, Path("SE.PAK"));

  const int32_t h = elSound::LoadPack("bom.wav", 2);
  ASSERT_EQ(h, 0);
  EXPECT_EQ(SoundBufferTable[h].FromPack, 1u);
  EXPECT_EQ(SoundBufferTable[h].Name, "bom.wav");
  EXPECT_EQ(SoundBufferTable[h].BaseFrequency, 11025u);
  EXPECT_EQ(SoundBufferTable[h].EchoCount, 0);
  EXPECT_EQ(MainMixer().Bytes(SoundBufferTable[h].Buffers[1]), 200u);
  // The non-PCM record is found but no buffer holds it.
  EXPECT_EQ(elSound::LoadPack("DRUM.WAV", 1), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : サウンドバッファが生成できません");
  EXPECT_EQ(elSound::LoadPack("NONE.WAV", 1), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : WAVEファイルを読み込めません");
  EXPECT_EQ(elSound::LoadPack("ABCDEFGHIJKLMNOPQRSTUVWXYZ.WAV", 1), -1);  // 30: looked up
  EXPECT_EQ(LastBox(), "elSound::LoadPack : WAVEファイルを読み込めません");
  EXPECT_EQ(elSound::LoadPack("ABCDEFGHIJKLMNOPQRSTUVWXYZ1.WAV", 1), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : ファイル名が長すぎます");
  EXPECT_EQ(elSound::LoadPack("SHOT.WAV", 11), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : ミックス数が多過ぎます");
}

TEST_F(SoundPackTest, NoPackSetOrAMissingPackIsReported) {
  SoundPackPath.clear();
  EXPECT_EQ(elSound::LoadPack("SHOT.WAV", 1), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : パックファイル名が指定されていません");
  EXPECT_EQ(elSound::LoadStream("SHOT.WAV", 0), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadStream : パックファイル名が指定されていません");
  elSound::SetPackFile("MISSING.PAK");
  EXPECT_EQ(elSound::LoadPack("SHOT.WAV", 1), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadPack : パックファイル名が指定されていません");
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
}

TEST_F(SoundPackTest, HostileRecordsEndTheSearchOrAreRefused) {
  const std::vector<uint8_t> good(64, 7);
  struct Case {
    const char* what;
    std::vector<uint8_t> pack;
  };
  std::vector<Case> cases;
  {
    std::vector<uint8_t> p;
    AddRecord(p, std::string(128, 'A'), MonoBlock(), good);  // name past 127 bytes
    AddRecord(p, "X.WAV", MonoBlock(), good);
    cases.push_back({"long name", p});
  }
  {
    std::vector<uint8_t> p;
    PutU32(p, 10);
    for (char c : std::string("X.WA")) p.push_back(static_cast<uint8_t>(c));  // cut inside its name
    cases.push_back({"cut name", p});
  }
  {
    std::vector<uint8_t> p;
    AddRecord(p, "A.WAV", MonoBlock(), good, 0xFFFFFFF0u);  // a skip past the end
    AddRecord(p, "X.WAV", MonoBlock(), good);
    cases.push_back({"huge skip", p});
  }
  {
    std::vector<uint8_t> p;
    AddRecord(p, "X.WAV", std::vector<uint8_t>(17, 0), good);  // format too small
    cases.push_back({"format 17", p});
  }
  {
    std::vector<uint8_t> p;
    PutU32(p, 64);
    for (char c : std::string("X.WAV")) p.push_back(static_cast<uint8_t>(c));
    p.push_back(0);
    PutU32(p, 18 + 65536);  // format too large
    p.insert(p.end(), 18 + 65536 + 64, 0);
    cases.push_back({"format 65554", p});
  }
  {
    std::vector<uint8_t> p;
    auto f = os::audio::PcmFormat(1, 22050, 16);
    f.avg_bytes_per_sec = 0;
    AddRecord(p, "X.WAV", Block(f), good);
    cases.push_back({"no bytes per second", p});
  }
  {
    std::vector<uint8_t> p;
    AddRecord(p, "X.WAV", MonoBlock(), good, 100000);  // data past the end
    cases.push_back({"short data", p});
  }
  {
    std::vector<uint8_t> p;
    auto block = MonoBlock();
    block[16] = 40;  // extra size beyond the block
    AddRecord(p, "X.WAV", block, good);
    cases.push_back({"extra past block", p});
  }
  for (const Case& c : cases) {
    WritePack(c.pack);
    os::headless::ClearBoxes();
    EXPECT_EQ(elSound::LoadPack("X.WAV", 1), -1) << c.what;
    EXPECT_EQ(elSound::LoadStream("X.WAV", 0), -1) << c.what;
    EXPECT_EQ(LastBox(), "elSound::LoadStream : WAVEファイルを読み込めません") << c.what;
  }
  EXPECT_EQ(SoundBufferTable[0].InUse, 0u);
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

TEST_F(SoundPackTest, LoadFolderWritesOneRecordPerWavInFolderOrderAndAppends) {
  std::filesystem::create_directories(Path("SE"));
  MakeSound("SE/SHOT.WAV", 500);
  MakeSound("SE/bom.wav", 300);
  sound_test::WriteFile(Path("SE/JUNK.WAV"), {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
  sound_test::WriteFile(Path("SE/README.TXT"), {'x'});
  sound_test::WriteFile(Path("ALL.PAK"), {'o', 'l', 'd'});
  EXPECT_EQ(elSound::LoadFolder("ALL.PAK", "SE", 1), 1);
  // In the folder search's order (bytewise: "SHOT.WAV" before "bom.wav"), upper-cased.
  EXPECT_EQ(RecordNames(Path("ALL.PAK")), (std::vector<std::string>{"SHOT.WAV", "BOM.WAV"}));
  EXPECT_EQ(elSound::LoadFolder("ALL.PAK", "SE", 0), 1);
  EXPECT_EQ(RecordNames(Path("ALL.PAK")),
            (std::vector<std::string>{"SHOT.WAV", "BOM.WAV", "SHOT.WAV", "BOM.WAV"}));
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
  std::vector<uint8_t> a, b;
  AddRecord(a, "ONE.WAV", MonoBlock(), std::vector<uint8_t>(100, 1));
  AddRecord(b, "TWO.WAV", MonoBlock(), std::vector<uint8_t>(100, 2));
  WritePack(a, "A.PAK");
  const int32_t one = elSound::LoadPack("ONE.WAV", 1);
  WritePack(b, "B.PAK");
  elSound::Release();
  elSound::ReloadAll();
  EXPECT_NE(SoundBufferTable[one].Buffers[0], nullptr);
  EXPECT_EQ(SoundPackPath, Path("B.PAK"));
  EXPECT_EQ(BoxCount(), 0u);
}

// ---- streams ----

class StreamTest : public SoundPackTest {
 protected:
  // A 22050 Hz 16-bit mono record (44100 bytes per second) of counting bytes.
  void MakeStreamPack(uint32_t data_size) {
    std::vector<uint8_t> pack;
    AddRecord(pack, "SHORT.WAV", MonoBlock(), std::vector<uint8_t>(1000, 0));
    AddRecord(pack, "BGM.WAV", MonoBlock(), sound_test::CountingBytes(data_size));
    WritePack(pack);
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
  std::vector<uint8_t> BufferBytes(int32_t h, uint32_t offset, uint32_t n) {
    os::audio::LockedRange r;
    os::audio::Buffer* b = SoundBufferTable[h].Buffers[0];
    EXPECT_EQ(MainMixer().Lock(b, offset, n, &r), os::audio::AudioOk);
    std::vector<uint8_t> out(r.first, r.first + r.first_bytes);
    if (r.second) out.insert(out.end(), r.second, r.second + r.second_bytes);
    MainMixer().Unlock(b);
    return out;
  }
};

TEST_F(StreamTest, SizesFollowTheAverageRateAndShortSoundsBecomePackSounds) {
  MakeStreamPack(300000);
  const int32_t h = elSound::LoadStream("bgm.wav", 0);
  ASSERT_EQ(h, 0);
  const StreamState& s = SoundBufferTable[h].Stream;
  EXPECT_EQ(s.BufferSize, 176400u);
  EXPECT_EQ(s.HalfSize, 88200u);
  EXPECT_EQ(s.DataSize, 300000u);
  EXPECT_EQ(s.QueuedBytes, 88200u);
  EXPECT_EQ(s.WriteOffset, 88200u);
  EXPECT_EQ(s.ReadPosition, s.DataStart + 88200);
  EXPECT_EQ(s.WrapCursor, 0xFFFFFFFFu);
  EXPECT_EQ(SoundBufferTable[h].MixCount, 1);
  EXPECT_EQ(SoundBufferTable[h].EchoCount, -1);
  EXPECT_EQ(BufferBytes(h, 0, 4), (std::vector<uint8_t>{0, 1, 2, 3}));

  // 4.9 seconds: an ordinary one-buffer pack sound that streaming ignores.
  std::vector<uint8_t> pack;
  AddRecord(pack, "JINGLE.WAV", MonoBlock(), std::vector<uint8_t>(44100 * 49 / 10, 5));
  WritePack(pack, "J.PAK");
  const int32_t j = elSound::LoadStream("JINGLE.WAV", 100);
  ASSERT_EQ(j, 1);
  EXPECT_EQ(SoundBufferTable[j].Stream.DataSize, 0u);
  EXPECT_EQ(SoundBufferTable[j].FromPack, 1u);
  EXPECT_EQ(SoundBufferTable[j].MixCount, 1);
  elSound::PlayLoop(j, -1);
  os::headless::AdvanceMs(100);
  EXPECT_EQ(elSound::Streaming(), 1);
  EXPECT_EQ(SoundBufferTable[j].Stream.QueuedBytes, 0u);
}

TEST_F(StreamTest, PlayedOnceTheLastTwoChunksShareTheRestThenSilenceThenStop) {
  MakeStreamPack(300000);
  const int32_t h = elSound::LoadStream("BGM.WAV", 0);
  elSound::Play(h, -1);
  os::audio::Buffer* b = SoundBufferTable[h].Buffers[0];
  EXPECT_TRUE(MainMixer().Status(b) & os::audio::StatusLooping);
  const StreamState& s = SoundBufferTable[h].Stream;
  std::vector<uint32_t> chunks = Serve(h, 100);  // 5 seconds
  EXPECT_EQ(chunks, (std::vector<uint32_t>{88200, 61800, 61800}));
  EXPECT_EQ(s.StopCountdown, 2);
  EXPECT_EQ(s.QueuedBytes, 0u);
  EXPECT_EQ(s.ReadPosition, s.DataStart);
  // The last data chunk holds the data's end.
  EXPECT_EQ(BufferBytes(h, 61800 + 61799, 1)[0], static_cast<uint8_t>(299999));
  chunks = Serve(h, 60);  // the silent chunk, then the stop
  EXPECT_EQ(chunks, (std::vector<uint32_t>{88200}));
  EXPECT_EQ(BufferBytes(h, 123600, 88200), std::vector<uint8_t>(88200, 0));
  EXPECT_FALSE(MainMixer().Status(b) & os::audio::StatusPlaying);
  EXPECT_EQ(MainMixer().Position(b), 0u);
  EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(StreamTest, LoopedStreamsContinueAtTheLoopPoint) {
  MakeStreamPack(300000);
  const int32_t h = elSound::LoadStream("BGM.WAV", 1000);
  const StreamState& s = SoundBufferTable[h].Stream;
  EXPECT_EQ(s.LoopPoint, s.DataStart + 1000);
  elSound::PlayLoop(h, -1);
  std::vector<uint32_t> chunks = Serve(h, 100);
  EXPECT_EQ(chunks, (std::vector<uint32_t>{88200, 61800, 61800}));
  EXPECT_EQ(s.StopCountdown, 0);
  EXPECT_EQ(s.QueuedBytes, 1000u);
  chunks = Serve(h, 25);
  ASSERT_EQ(chunks.size(), 1u);
  // The chunk after the data's end starts with the loop point's byte.
  EXPECT_EQ(BufferBytes(h, s.LastChunkStart, 2),
            (std::vector<uint8_t>{static_cast<uint8_t>(1000), static_cast<uint8_t>(1001)}));
  EXPECT_TRUE(MainMixer().Status(SoundBufferTable[h].Buffers[0]) & os::audio::StatusPlaying);
  // A play rewinds the stream to its first byte.
  elSound::Play(h, -1);
  EXPECT_EQ(s.QueuedBytes, 88200u);
  EXPECT_EQ(BufferBytes(h, 0, 2), (std::vector<uint8_t>{0, 1}));
}

TEST_F(StreamTest, BadLoopOffsetsAreRefusedAndShortReadsGiveSilence) {
  MakeStreamPack(300000);
  EXPECT_EQ(elSound::LoadStream("BGM.WAV", 300000), -1);
  EXPECT_EQ(LastBox(), "elSound::LoadStream : ストリーミング再生できません");
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
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + (100000 - 88200), bytes.end()),
            std::vector<uint8_t>(88200 - (100000 - 88200), 0));
  // A pack that has gone is reported by the refill.
  std::filesystem::remove(Path("SE.PAK"));
  os::headless::AdvanceMs(2100);
  EXPECT_EQ(elSound::Streaming(), 0);
  EXPECT_EQ(LastBox(), "elSound::Streaming : パックファイル名が指定されていません");
  EXPECT_EQ(elSound::ResetStream(h), 0);
  EXPECT_EQ(LastBox(), "elSound::ResetStream : パックファイル名が指定されていません");
}

TEST_F(SoundPackTest, SelectFormatChangesTheOutputAndRebuildsEverySound) {
  MakeSound("A.WAV");
  const int32_t h = elSound::LoadObject("A.WAV", 2);
  elSound::SetVolume(h, -5, 1);
  EXPECT_EQ(elSound::SelectFormat(2, 22, 16), 1);
  const os::audio::OutputFormat out = os::audio::CurrentOutput();
  EXPECT_EQ(out.channels, 2);
  EXPECT_EQ(out.rate, 22050u);
  EXPECT_EQ(out.bits, 16);
  EXPECT_EQ(out.BytesPerFrame(), 4u);
  EXPECT_NE(SoundBufferTable[h].Buffers[1], nullptr);
  EXPECT_EQ(MainMixer().Volume(SoundBufferTable[h].Buffers[1]), -500);
  EXPECT_TRUE(os::headless::AudioDeviceOpen());
  EXPECT_EQ(elSound::SelectFormat(1, 8, 8), 1);
  EXPECT_EQ(os::audio::CurrentOutput().rate, 8000u);
  // A format no device takes: reported, and the sounds stay in the old one.
  EXPECT_EQ(elSound::SelectFormat(3, 44, 16), 0);
  EXPECT_EQ(LastBox(), "elSound::SelectFormat : 再生フォーマットを変更できません");
  EXPECT_EQ(os::audio::CurrentOutput().rate, 8000u);
  EXPECT_NE(SoundBufferTable[h].Buffers[0], nullptr);
  EXPECT_EQ(MainMixer().BufferCount(), 2u);
}

}  // namespace
