#include "os/audio/smf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/audio/midi.h"
#include "tests/support/stderr_capture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using os::audio::ReadSmf;
using os::audio::SmfPiece;

Bytes Chunk(const char* id, const Bytes& data, size_t length) {
  Bytes out(id, id + 4);
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(length >> shift));
  out.insert(out.end(), data.begin(), data.end());
  return out;
}
Bytes Chunk(const char* id, const Bytes& data) { return Chunk(id, data, data.size()); }

Bytes Header(unsigned format, unsigned tracks, unsigned division = 480) {
  return Chunk("MThd", {0, uint8_t(format), uint8_t(tracks >> 8), uint8_t(tracks),
                        uint8_t(division >> 8), uint8_t(division)});
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

const Bytes kEnd = {0x00, 0xFF, 0x2F, 0x00};
// Tempo, time signature, end: 19 bytes.
const Bytes kConductor = Join({{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20},
                               {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08},
                               kEnd});
// Program, a note of 480 ticks (its end in running status), a system
// exclusive message, end: 21 bytes.
const Bytes kNotes = Join({{0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00},
                           {0x00, 0xF0, 0x03, 0x7E, 0x00, 0xF7},
                           kEnd});
// Two tracks: the header is bytes 0..13, track 1 runs 14..40 (its events from
// 22), track 2 41..69 (its events from 49).
Bytes Piece() { return Join({Header(1, 2), Chunk("MTrk", kConductor), Chunk("MTrk", kNotes)}); }
// One track of `events` after a program change, then the end.
Bytes OneTrack(const Bytes& events, const Bytes& end = kEnd) {
  return Join({Header(0, 1), Chunk("MTrk", Join({{0x00, 0xC0, 0x05}, events, end}))});
}

std::string Why(const Bytes& file) {
  SmfPiece piece;
  std::string why;
  if (ReadSmf(file, &piece, &why)) return "accepted";
  EXPECT_TRUE(piece.image.empty());
  return why;
}

TEST(SmfReader, ReadsAPieceAndMakesItsImage) {
  SmfPiece piece;
  std::string why;
  ASSERT_TRUE(ReadSmf(Piece(), &piece, &why)) << why;
  EXPECT_EQ(piece.events, 3u + 5u);
  EXPECT_EQ(piece.ticks, 480u);
  EXPECT_EQ(piece.image, Piece());  // a plain file is played as it is
  // A longer header, a chunk of another kind, bytes after an end-of-track
  // event or after the last track, tracks beyond the header's count: left out.
  const Bytes odd = Join({Chunk("MThd", {0, 1, 0, 2, 0x01, 0xE0, 0xAA}),
                          Chunk("XFIH", {1, 2}),
                          Chunk("MTrk", Join({kConductor, {0x55}})),
                          Chunk("MTrk", kNotes),
                          Chunk("MTrk", kNotes),
                          {0x00, 0x01}});
  ASSERT_TRUE(ReadSmf(odd, &piece, &why)) << why;
  EXPECT_EQ(piece.image, Piece());
}

// A piece lasts its ticks at the tempos its tracks set, in the order of
// their ticks, and at 120 beats a minute before the first.
TEST(SmfReader, KnowsHowLongAPiecePlays) {
  const Bytes tempo_a_second = {0x00, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};  // 1 s a quarter
  const Bytes note = {0x00, 0x90, 0x3C, 0x64, 0x83, 0x60, 0x3C, 0x00};     // 480 ticks
  const Bytes at_240 = {0x81, 0x70, 0xFF, 0x51, 0x03, 0x0F, 0x42, 0x40};   // 1 s from tick 240
  const struct {
    const char* name;
    Bytes file;
    uint64_t micros;
  } cases[] = {
      {"the conductor's 120 a minute", Piece(), 500000},
      {"no tempo", OneTrack(note), 500000},
      {"a second a quarter", OneTrack(Join({tempo_a_second, note})), 1000000},
      // Half at 0.5 s a quarter, half at 1 s, set in the other track.
      {"changed halfway", Join({Header(1, 2), Chunk("MTrk", Join({at_240, kEnd})),
                                Chunk("MTrk", Join({note, kEnd}))}),
       250000 + 500000},
      {"changed at its end", OneTrack(Join({note, tempo_a_second})), 500000},
  };
  for (const auto& c : cases) {
    SmfPiece piece;
    std::string why;
    ASSERT_TRUE(ReadSmf(c.file, &piece, &why)) << c.name << ": " << why;
    EXPECT_EQ(piece.micros, c.micros) << c.name;
  }
}

TEST(SmfReader, RefusesEachDamageWithItsReason) {
  Bytes cut_in_track = Piece();
  cut_in_track.resize(60);
  Bytes cut_before_track = Piece();
  cut_before_track.resize(41);
  Bytes no_chunk = Piece();
  no_chunk[41] = 0x01;
  Bytes header_cut = Piece();
  header_cut.resize(10);
  const Bytes long_conductor = Chunk("MTrk", kConductor, kConductor.size() - 2);
  const Bytes max_delta = {0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0x01, 0x00};  // a text event
  const struct {
    const char* name;
    Bytes file;
    std::string why;
  } cases[] = {
      {"not MIDI", {'R', 'I', 'F', 'F', 0, 0, 0, 0}, "not a standard MIDI file"},
      {"cut in the header", header_cut,
       "cut short in its header at byte 10 (the header runs to byte 14)"},
      {"short header", Join({Chunk("MThd", {0, 1, 0, 1}), Chunk("MTrk", kNotes)}),
       "a header of 4 bytes (6 expected)"},
      {"format 3", Join({Header(3, 1), Chunk("MTrk", kNotes)}), "format 3 (0, 1 or 2 expected)"},
      {"too many tracks", Header(1, 128), "128 tracks (at most 127 play)"},
      {"SMPTE time", Join({Header(0, 1, 0xE728), Chunk("MTrk", kNotes)}),
       "SMPTE time, which the player does not take"},
      {"cut before track 2", cut_before_track, "cut short before track 2 at byte 41"},
      {"cut in track 2", cut_in_track,
       "cut short in track 2 at byte 60 (the track runs to byte 70)"},
      {"a chunk of no kind", no_chunk, "no chunk at byte 41 (track 2 expected)"},
      {"an event past its track", Join({Header(1, 2), long_conductor, Chunk("MTrk", kNotes)}),
       "track 1: the event at byte 37 runs past the track's end at byte 39"},
      {"no end of track", OneTrack({0x00, 0x90, 0x3C, 0x64, 0x10, 0x3C, 0x00}, {}),
       "track 1 ends at byte 32 without an end-of-track event"},
      {"running status after a meta event",
       OneTrack({0x00, 0x90, 0x3C, 0x64, 0x00, 0xFF, 0x01, 0x00, 0x00, 0x3C, 0x00}),
       "track 1: a data byte (0x3C) with no status before it at byte 34"},
      {"a status byte among data", OneTrack({0x00, 0x90, 0x3C, 0x90}),
       "track 1: a status byte (0x90) inside the event at byte 25"},
      {"a five-byte number", OneTrack({0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3C, 0x00}),
       "track 1: a number of more than four bytes at byte 25"},
      {"an escape", OneTrack({0x00, 0xF7, 0x01, 0xF8}),
       "track 1: an event of status 0xF7 at byte 25, which the player does not take"},
      {"a tempo of 2 bytes", OneTrack({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}),
       "track 1: a tempo event at byte 25 with a length of 2 (3 expected)"},
      {"a tempo of 0", OneTrack({0x00, 0xFF, 0x51, 0x03, 0, 0, 0}),
       "track 1: a tempo of 0 at byte 25"},
      {"no time at all",
       Join({Header(1, 2), Chunk("MTrk", kEnd),
             Chunk("MTrk", {0x00, 0xC0, 0x00, 0x00, 0xFF, 0x2F, 0x00})}),
       "it lasts no time (0 ticks)"},
      {"too long",
       OneTrack(Join({max_delta, max_delta, max_delta, max_delta, max_delta, max_delta, max_delta,
                      max_delta, max_delta})),
       "track 1 lasts more than 2147483647 ticks"},
  };
  for (const auto& c : cases) EXPECT_EQ(Why(c.file), c.why) << c.name;
}

// However a file is cut short, the cut is found (track 2 ends with its
// end-of-track event, so no cut leaves a whole piece).
TEST(SmfReader, RefusesEveryCutOfAPiece) {
  const Bytes whole = Piece();
  for (size_t n = 0; n < whole.size(); ++n) {
    const std::string why = Why(Bytes(whole.begin(), whole.begin() + n));
    EXPECT_TRUE(why.find("cut short") != std::string::npos || why == "not a standard MIDI file")
        << n << ": " << why;
  }
}

// What the reader takes, FluidSynth plays: every single-byte change of the
// piece that the reader accepts is read by FluidSynth too, and what
// FluidSynth cannot read ends at once with its reason instead of repeating.
class SmfInFluidSynth : public ::testing::Test {
 protected:
  static constexpr uint32_t kRate = 22050;
  void SetUp() override {
    if (os::audio::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont here";
    seq_ = os::audio::MakeFluidSequencer(kRate);
    ASSERT_NE(seq_, nullptr);
  }
  // Loads and starts `image`, renders `blocks` blocks of 512 frames.
  void Play(const Bytes& image, int blocks) {
    os::audio::SmfPiece piece;
    piece.image = image;
    ASSERT_TRUE(seq_->Load(piece));
    seq_->Start();
    std::vector<float> mix(2 * 512);
    for (int i = 0; i < blocks && !seq_->Ended(); ++i) seq_->Render(mix.data(), 512, kRate);
  }
  std::unique_ptr<os::audio::Sequencer> seq_;
};

TEST_F(SmfInFluidSynth, PlaysEveryChangedPieceTheReaderAccepts) {
  const Bytes whole = Piece();
  int accepted = 0;
  for (size_t at = 0; at < whole.size(); ++at) {
    for (uint8_t value : {0x00, 0x01, 0x3C, 0x7F, 0x80, 0xC0, 0xF7, 0xFF}) {
      Bytes file = whole;
      file[at] = value;
      SmfPiece piece;
      std::string why;
      if (!ReadSmf(file, &piece, &why)) continue;
      ++accepted;
      Play(piece.image, 4);
      EXPECT_EQ(seq_->Failure(), "") << "byte " << at << " = " << int(value);
      seq_->Unload();
    }
  }
  EXPECT_GT(accepted, 100);
}

TEST_F(SmfInFluidSynth, APieceItCannotReadEndsWithTheReasonAndNothingOnStderr) {
  vantris_test::StderrCapture stderr_text;
  for (int attempt = 0; attempt < 2; ++attempt) {  // a replay fails the same way
    Play(OneTrack({0x00, 0xF7, 0x01, 0xF8}), 20);  // an escape, bypassing the reader
    EXPECT_TRUE(seq_->Ended());
    EXPECT_EQ(seq_->Failure(), "the synthesiser cannot read it (Unrecognized MIDI event)");
  }
  seq_->Unload();
  EXPECT_EQ(stderr_text.Finish(), "");
}

}  // namespace
