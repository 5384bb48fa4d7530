#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "tests/tools/assetgen_support.h"
#include "tools/assetgen/midi.h"
#include "tools/assetgen/music.h"

namespace assetgen_test {
namespace {

std::uint32_t Le(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

std::uint32_t Be(const std::vector<std::uint8_t>& b, std::size_t at, int n) {
  std::uint32_t v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | b[at + static_cast<std::size_t>(i)];
  return v;
}

struct Wav {
  int rate = 0;
  std::vector<std::int16_t> samples;
};

Wav ParseWav(const std::vector<std::uint8_t>& b) {
  Wav w;
  EXPECT_GE(b.size(), 44u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(Le(b, 4, 4), b.size() - 8);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Le(b, 16, 4), 16u);  // 16-byte fmt chunk
  EXPECT_EQ(Le(b, 20, 2), 1u);   // PCM
  EXPECT_EQ(Le(b, 22, 2), 1u);   // mono
  w.rate = static_cast<int>(Le(b, 24, 4));
  EXPECT_EQ(Le(b, 28, 4), static_cast<std::uint32_t>(w.rate) * 2);
  EXPECT_EQ(Le(b, 32, 2), 2u);
  EXPECT_EQ(Le(b, 34, 2), 16u);
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  const std::uint32_t n = Le(b, 40, 4);
  EXPECT_EQ(n, b.size() - 44);
  for (std::size_t i = 44; i + 1 < b.size(); i += 2)
    w.samples.push_back(static_cast<std::int16_t>(Le(b, i, 2)));
  return w;
}

struct Midi {
  int format = -1, division = 0;
  std::map<int, int> notesPerChannel;  // note-ons with velocity > 0
  std::uint32_t endTick = 0, lastNoteOff = 0, firstNoteOn = ~0u;
  std::set<int> openAtEnd;
};

// A strict reader of our SMF files: chunk lengths must match, running status
// is not used, and the track must end with end-of-track.
Midi ParseMidi(const std::vector<std::uint8_t>& b) {
  Midi m;
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "MThd");
  EXPECT_EQ(Be(b, 4, 4), 6u);
  m.format = static_cast<int>(Be(b, 8, 2));
  const std::uint32_t tracks = Be(b, 10, 2);
  m.division = static_cast<int>(Be(b, 12, 2));
  std::size_t at = 14;
  std::map<std::pair<int, int>, int> open;
  for (std::uint32_t t = 0; t < tracks; ++t) {
    EXPECT_EQ(std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4), "MTrk");
    const std::uint32_t len = Be(b, at + 4, 4);
    std::size_t p = at + 8;
    const std::size_t end = p + len;
    EXPECT_LE(end, b.size());
    std::uint32_t tick = 0;
    bool ended = false;
    while (p < end && !ended) {
      std::uint32_t delta = 0;
      std::uint8_t c;
      do {
        c = b[p++];
        delta = (delta << 7) | (c & 0x7F);
      } while (c & 0x80);
      tick += delta;
      const std::uint8_t status = b[p++];
      EXPECT_TRUE(status & 0x80) << "running status at byte " << p;
      if (status == 0xFF) {
        const std::uint8_t type = b[p++];
        std::uint32_t n = 0;
        do {
          c = b[p++];
          n = (n << 7) | (c & 0x7F);
        } while (c & 0x80);
        p += n;
        if (type == 0x2F) ended = true, m.endTick = std::max(m.endTick, tick);
        continue;
      }
      const int kind = status & 0xF0, ch = status & 0x0F;
      const int data = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
      const int key = b[p], vel = data == 2 ? b[p + 1] : 0;
      p += static_cast<std::size_t>(data);
      if (kind == 0x90 && vel > 0) {
        ++m.notesPerChannel[ch];
        ++open[{ch, key}];
        m.firstNoteOn = std::min(m.firstNoteOn, tick);
      } else if (kind == 0x80 || (kind == 0x90 && vel == 0)) {
        --open[{ch, key}];
        m.lastNoteOff = std::max(m.lastNoteOff, tick);
      }
    }
    EXPECT_TRUE(ended) << "track " << t << " has no end-of-track";
    EXPECT_EQ(p, end) << "track " << t << " length field is wrong";
    at = end;
  }
  EXPECT_EQ(at, b.size());
  for (const auto& [k, n] : open)
    if (n != 0) m.openAtEnd.insert(k.first);
  return m;
}

double Rms(const std::vector<std::int16_t>& s) {
  double sum = 0;
  for (std::int16_t v : s) sum += static_cast<double>(v) * v;
  return std::sqrt(sum / std::max<std::size_t>(s.size(), 1));
}

const std::vector<std::uint8_t>& Bytes(const std::string& path) {
  for (const assetgen::Asset& a : Generated())
    if (a.entry->path == path) return a.bytes;
  throw std::runtime_error("no asset " + path);
}

TEST(AssetgenSounds, ShotIsShortAndBoomAboutHalfASecondAndBothAudible) {
  const Wav shot = ParseWav(Bytes("SOUND/SHOT.WAV"));
  const Wav boom = ParseWav(Bytes("SOUND/BOM.WAV"));
  EXPECT_EQ(shot.rate, 22050);
  EXPECT_EQ(boom.rate, 22050);
  const double shotSeconds = static_cast<double>(shot.samples.size()) / shot.rate;
  const double boomSeconds = static_cast<double>(boom.samples.size()) / boom.rate;
  EXPECT_GT(shotSeconds, 0.04);
  EXPECT_LT(shotSeconds, 0.15);
  EXPECT_GT(boomSeconds, 0.35);
  EXPECT_LT(boomSeconds, 0.7);
  EXPECT_GT(Rms(shot.samples), 2000);
  EXPECT_GT(Rms(boom.samples), 2000);
  // Both start and end at rest so that a restart never clicks.
  for (const Wav* w : {&shot, &boom}) {
    EXPECT_LT(std::abs(w->samples.front()), 600);
    EXPECT_LT(std::abs(w->samples.back()), 600);
  }
}

TEST(AssetgenMusic, EveryPieceParsesAndLoopsForAboutAMinute) {
  std::set<std::vector<std::uint8_t>> distinct;
  for (const assetgen::PieceStyle& style : assetgen::MusicPieces()) {
    SCOPED_TRACE(style.path);
    const auto& bytes = Bytes(style.path);
    distinct.insert(bytes);
    Midi m = ParseMidi(bytes);
    EXPECT_TRUE(m.format == 0 || m.format == 1);
    EXPECT_EQ(m.division, assetgen::kMidiDivision);
    EXPECT_GT(m.notesPerChannel[assetgen::kMelodyChannel], 50);
    EXPECT_GT(m.notesPerChannel[assetgen::kBassChannel], 50);
    EXPECT_GT(m.notesPerChannel[assetgen::kDrumChannel], 100);
    EXPECT_TRUE(m.openAtEnd.empty()) << "a note is left hanging";
    // No lead-in and no trailing silence: sound from the first tick to the last.
    EXPECT_EQ(m.firstNoteOn, 0u);
    EXPECT_EQ(m.lastNoteOff, m.endTick);
    const double seconds = m.endTick / static_cast<double>(m.division) * 60.0 / style.tempo;
    EXPECT_GT(seconds, 50);
    EXPECT_LT(seconds, 75);
  }
  EXPECT_EQ(distinct.size(), 8u);
}

TEST(AssetgenMidi, EventsAfterTheEndAreRefused) {
  assetgen::MidiTrack t;
  t.Note(0, 480, 0, 60, 100);
  EXPECT_THROW(t.EncodeEvents(240), std::runtime_error);
  const auto file = assetgen::EncodeMidiFile(t, 480, 480);
  Midi m = ParseMidi(file);
  EXPECT_EQ(m.endTick, 480u);
  EXPECT_EQ(m.notesPerChannel[0], 1);
}

}  // namespace
}  // namespace assetgen_test
