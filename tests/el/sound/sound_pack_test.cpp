#include <functional>

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
// "K0.WAV" and the like (appended: g++ 12 warns falsely on "K" + text).
std::string EntryName(char letter, size_t i) {
  std::string name(1, letter);
  name += std::to_string(i);
  name += ".WAV";
  return name;
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

TEST_F(SoundPackTest, RefusedRecordsSayWhichPackAndEntryAndWhatIsWrong) {
  os::audio::WaveFormat wide = os::audio::PcmFormat(3, 22050, 16);
  os::audio::WaveFormat doubles = os::audio::PcmFormat(1, 100, 64);
  doubles.format_tag = os::audio::FormatIeeeFloat;
  WritePack(Record("WIDE.WAV", Block(wide), Bytes(600)) +
            Record("F64.WAV", Block(doubles), Bytes(800 * 6)) + U32(10) + Text("X.WA"));
  const std::string box = "[エラー発生] elSound::";
  const std::string pack = Path("SE.PAK");
  const std::pair<std::function<int32_t()>, std::string> cases[] = {
      {[] { return elSound::LoadPack("wide.wav", 1); },
       "LoadPack : サウンドバッファが生成できません (" + pack + ", entry WIDE.WAV: 3 channels)"},
      {[] { return elSound::LoadStream("F64.WAV", 0); },
       "LoadStream : サウンドバッファが生成できません (" + pack +
           ", entry F64.WAV: 64-bit float samples)"},
      {[] { return elSound::LoadStream("F64.WAV", 4800); },
       "LoadStream : ストリーミング再生できません (" + pack +
           ", entry F64.WAV: a loop offset of 4800 bytes, past its 4800 bytes of data)"},
      {[] { return elSound::LoadPack("X.WAV", 1); },
       "LoadPack : WAVEファイルを読み込めません (" + pack +
           ", entry X.WAV: no such record before the one cut short at byte 5469)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(sound_test::ErrorLines([&] { EXPECT_EQ(c.first(), -1); }), box + c.second + "\n");
  }
  WritePack(Record("A.WAV", MonoBlock(), Bytes(64)));
  EXPECT_EQ(sound_test::ErrorLines([] { elSound::LoadPack("B.WAV", 1); }),
            box + "LoadPack : WAVEファイルを読み込めません (" + pack +
                ", entry B.WAV: no such record)\n");
  elSound::SetPackFile("NONE.PAK");
  EXPECT_EQ(
      sound_test::ErrorLines([] { elSound::LoadPack("A.WAV", 1); }),
      box + "LoadPack" + kNoPack + " (" + Path("NONE.PAK") + ": No such file or directory)\n");
  SoundPackPath.clear();
  EXPECT_EQ(sound_test::ErrorLines([] { elSound::LoadStream("A.WAV", 0); }),
            box + "LoadStream" + kNoPack + " (no sound pack has been set)\n");
  EXPECT_EQ(MainMixer().BufferCount(), 0u);
}

// The fuzz seeds mean what their names say: A.WAV of every ok_ pack loads as
// a sound and as a stream (or a short one as a sound), of every bad_ one it
// is refused.
TEST_F(SoundPackTest, CorpusPacksLoadOrAreRefusedByTheirNames) {
  namespace fs = std::filesystem;
  int good = 0;
  for (const auto& entry :
       fs::directory_iterator(fs::path(vantris_test::TestDataDir()) / "soundpack")) {
    const std::string name = entry.path().filename().string();
    fs::copy_file(entry.path(), Path("SE.PAK"), fs::copy_options::overwrite_existing);
    elSound::SetPackFile("SE.PAK");
    const int32_t sound = elSound::LoadPack("A.WAV", 1);
    const int32_t stream = elSound::LoadStream("A.WAV", 0);
    const bool ok = name.rfind("ok_", 0) == 0;
    EXPECT_EQ(sound >= 0 && stream >= 0, ok) << name;
    EXPECT_EQ(sound < 0 && stream < 0, !ok) << name;
    good += ok;
    elSound::ClearSoundTable();
  }
  EXPECT_GE(good, 6);
}

// Files in the formats sound editors write go into a pack with their whole
// format block, and play from it as their 16-bit twins do.
TEST_F(SoundPackTest, ExtensibleAndFloatFilesKeepTheirBlocksAndPlayAsSixteenBitOnes) {
  using vantris_test::WaveKind;
  const uint16_t pcm = os::audio::FormatPcm, flt = os::audio::FormatIeeeFloat;
  const WaveKind kinds[] = {{pcm, 16, 1, false}, {pcm, 16, 2, false}, {pcm, 24, 2, true},
                            {flt, 32, 1, false}, {flt, 32, 2, true},  {pcm, 32, 1, true},
                            {pcm, 8, 2, true}};
  std::filesystem::create_directories(Path("SE"));
  for (size_t i = 0; i < std::size(kinds); ++i) {
    sound_test::WriteFile(Path("SE/" + EntryName('K', i)),
                          vantris_test::ToneWave(kinds[i], 2205, 22050));
  }
  ASSERT_EQ(elSound::LoadFolder("SE.PAK", "SE", 1), 1);
  // Record by record: data size, name, format size, the block, the data.
  Bytes pack;
  ASSERT_TRUE(os::ReadWholeFile(Path("SE.PAK"), &pack));
  size_t at = 0;
  for (size_t i = 0; i < std::size(kinds); ++i) {
    ASSERT_LE(at + 4, pack.size());
    const uint32_t data_size = os::audio::ReadLe32(&pack[at]);
    const std::string name(reinterpret_cast<const char*>(&pack[at + 4]));
    EXPECT_EQ(name, EntryName('K', i));
    at += 4 + name.size() + 1;
    const uint32_t format_size = os::audio::ReadLe32(&pack[at]);
    EXPECT_EQ(format_size, kinds[i].extensible ? 40u : 18u) << name;
    os::audio::WaveFormat back;
    ASSERT_TRUE(os::audio::ParseFormatBlock(std::span(pack).subspan(at + 4, format_size), &back));
    EXPECT_EQ(os::audio::EncodeFormatBlock(back),
              os::audio::EncodeFormatBlock(vantris_test::FormatOf(kinds[i], 22050)));
    at += 4 + format_size + data_size;
  }
  EXPECT_EQ(at, pack.size());

  elSound::SetPackFile("SE.PAK");
  std::vector<int16_t> reference[2];
  for (size_t i = 0; i < std::size(kinds); ++i) {
    const int32_t h = elSound::LoadPack(EntryName('K', i).c_str(), 1);
    ASSERT_GE(h, 0) << kinds[i].Name();
    const auto mix = sound_test::CaptureMix([&] {
      elSound::Play(h, -1);
      os::headless::AdvanceMs(150);
    });
    elSound::ReleaseObject(h);
    std::vector<int16_t>& twin = reference[kinds[i].channels - 1];
    if (twin.empty()) twin = mix;  // the 16-bit ones come first
    int peak = 0;
    EXPECT_LE(sound_test::MixDifference(twin, mix, &peak), vantris_test::ToneTolerance(kinds[i]))
        << kinds[i].Name();
    EXPECT_GT(peak, 10000);
  }
  EXPECT_EQ(BoxCount(), 0u);
}

// The device plays 8 or 16 bits, whatever the sounds hold: a 24-bit output
// is refused, and a 24-bit sound comes back with its settings either way.
TEST_F(SoundPackTest, TheOutputStaysEightOrSixteenBitsForSoundsOfAnyKind) {
  sound_test::WriteFile(Path("W.WAV"),
                        vantris_test::ToneWave({os::audio::FormatPcm, 24, 2, true}, 2205, 22050));
  const int32_t h = elSound::LoadObject("W.WAV", 2);
  ASSERT_GE(h, 0);
  elSound::SetVolume(h, -6, -1);
  EXPECT_EQ(sound_test::ErrorLines([] { EXPECT_EQ(elSound::SelectFormat(2, 44, 24), 0); }),
            "[エラー発生] elSound::SelectFormat : 再生フォーマットを変更できません (the device "
            "cannot play 2 channels of 24 bits at 44100 Hz)\n");
  EXPECT_EQ(elSound::SelectFormat(3, 44, 16), 0);
  EXPECT_EQ(os::audio::CurrentOutput().bits, 16);
  EXPECT_EQ(os::audio::CurrentOutput().channels, 2);
  ASSERT_EQ(elSound::SelectFormat(1, 22, 8), 1);
  EXPECT_EQ(os::audio::CurrentOutput().rate, 22050u);
  EXPECT_EQ(MainMixer().Volume(SoundBufferTable[h].Buffers[1]), -600);
  os::headless::StartAudioCapture();
  elSound::Play(h, -1);
  os::headless::AdvanceMs(50);
  ASSERT_TRUE(os::headless::StopAudioCapture());
  const Bytes mix = os::headless::CapturedAudio().data;
  EXPECT_EQ(mix.size(), 22050u * 50 / 1000);  // one byte a frame
  EXPECT_GT(*std::max_element(mix.begin(), mix.end()), 0x80 + 20);  // -6 dB, mono
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

// A stream copies the pack's bytes into its buffer as they stand, in chunks
// that need not end on a frame; the wider kinds stream as the 16-bit one does,
// across every refill, to their end.
TEST_F(StreamTest, WideAndFloatStreamsPlayAsTheSixteenBitOne) {
  using vantris_test::WaveKind;
  const uint16_t pcm = os::audio::FormatPcm, flt = os::audio::FormatIeeeFloat;
  const WaveKind kinds[] = {
      {pcm, 16, 2, false}, {pcm, 24, 2, true}, {flt, 32, 2, false}, {pcm, 32, 2, true}};
  constexpr int kFrames = 6 * 8000 + 1;  // the last two chunks split a frame
  Bytes pack;
  for (size_t i = 0; i < std::size(kinds); ++i) {
    pack = pack + Record(EntryName('T', i), Block(vantris_test::FormatOf(kinds[i], 8000)),
                         vantris_test::ToneData(kinds[i], kFrames, 8000));
  }
  WritePack(pack);
  std::vector<int16_t> reference;
  for (size_t i = 0; i < std::size(kinds); ++i) {
    const int32_t h = elSound::LoadStream(EntryName('T', i).c_str(), 0);
    ASSERT_GE(h, 0) << kinds[i].Name();
    std::vector<uint32_t> chunks;
    const auto mix = sound_test::CaptureMix([&] {
      elSound::Play(h, -1);
      chunks = Serve(h, 180);
    });
    const uint32_t frame = kinds[i].bits / 8 * 2;
    EXPECT_EQ(chunks, (std::vector<uint32_t>{16000 * frame, 8000 * frame + frame / 2,
                                             8000 * frame + frame / 2, 16000 * frame}))
        << kinds[i].Name();
    EXPECT_FALSE(MainMixer().Status(SoundBufferTable[h].Buffers[0]) & os::audio::StatusPlaying);
    elSound::ReleaseObject(h);
    if (reference.empty()) reference = mix;
    int peak = 0;
    EXPECT_LE(sound_test::MixDifference(reference, mix, &peak),
              vantris_test::ToneTolerance(kinds[i]))
        << kinds[i].Name();
    // Still sounding in the last chunk, 5.5 seconds in.
    const size_t late = 2 * 44100 * 11 / 2;
    int late_peak = 0;
    for (size_t k = late; k < late + 2000 && k < mix.size(); ++k)
      late_peak = std::max(late_peak, std::abs(int{mix[k]}));
    EXPECT_GT(late_peak, 10000) << kinds[i].Name();
  }
  EXPECT_EQ(BoxCount(), 0u);
}

// Data that ends in a partial frame streams its whole frames only, as the
// same data loaded as one sound plays them, at every loop; a loop offset
// inside a frame loops from that frame's start, one in the partial frame is
// refused.  At 1000 Hz in and out, output frame i is sound frame i.
TEST_F(StreamTest, LoopsOfDataEndingInAPartialFramePlayAsTheOneShotSound) {
  constexpr uint32_t kRate = 1000, kFrames = 5321, kLoops = 3;
  ASSERT_EQ(os::audio::SetOutputFormat(2, kRate, 16), os::audio::AudioOk);
  size_t refusals = 0;
  for (const vantris_test::WaveKind& kind : vantris_test::AllWaveKinds()) {
    const os::audio::WaveFormat format = vantris_test::FormatOf(kind, kRate);
    const uint32_t align = format.block_align;
    for (uint32_t stray = 0; stray < 4; ++stray) {
      const Bytes data = vantris_test::ToneData(kind, kFrames, kRate) + Bytes(stray, 0x5A);
      const uint32_t frames = uint32_t(data.size()) / align;
      const std::string what = kind.Name() + ", " + std::to_string(stray) + " stray bytes";
      WritePack(Record("L.WAV", Block(format), data));
      sound_test::WriteFile(Path("L.WAV"), os::audio::EncodeWave(format, data));
      const int32_t sound = elSound::LoadObject("L.WAV", 1);
      ASSERT_GE(sound, 0) << what;
      const auto once = sound_test::CaptureMix([&] {
        elSound::Play(sound, -1);
        os::headless::AdvanceMs(frames);
      });
      elSound::ReleaseObject(sound);
      ASSERT_EQ(once.size(), 2u * frames) << what;
      for (const uint32_t loop_frame : {0u, 1234u}) {
        const uint32_t offset = loop_frame * align + stray % align;
        const int32_t h = elSound::LoadStream("L.WAV", offset);
        ASSERT_GE(h, 0) << what;
        const uint32_t length = frames + kLoops * (frames - loop_frame);
        const auto mix = sound_test::CaptureMix([&] {
          elSound::PlayLoop(h, -1);
          Serve(h, int(length / 50 + 1));
        });
        elSound::ReleaseObject(h);
        ASSERT_GE(mix.size(), 2u * length) << what;
        uint32_t i = 0, f = 0;
        for (; i < length; ++i) {
          f = i < frames ? i : loop_frame + (i - frames) % (frames - loop_frame);
          if (mix[2 * i] != once[2 * f] || mix[2 * i + 1] != once[2 * f + 1]) break;
        }
        EXPECT_EQ(i, length) << what << ", loop offset " << offset << ": frame " << i << " plays "
                             << mix[2 * i] << " " << mix[2 * i + 1] << ", not sound frame " << f
                             << "'s " << once[2 * f] << " " << once[2 * f + 1];
      }
      if (data.size() % align != 0) {
        EXPECT_EQ(elSound::LoadStream("L.WAV", frames * align), -1) << what;
        ++refusals;
      }
    }
  }
  EXPECT_EQ(BoxCount(), refusals);
  WritePack(Record("ODD.WAV", Block(os::audio::PcmFormat(2, kRate, 16)), Counting(20001)));
  EXPECT_EQ(sound_test::ErrorLines([] { EXPECT_EQ(elSound::LoadStream("ODD.WAV", 20000), -1); }),
            "[エラー発生] elSound::LoadStream : ストリーミング再生できません (" + Path("SE.PAK") +
                ", entry ODD.WAV: a loop offset of 20000 bytes, past the 20000 bytes of its "
                "whole frames)\n");
}

}  // namespace
