#include "tools/assetgen/music.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>

#include "tools/assetgen/midi.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

namespace {

constexpr std::uint32_t kSixteenth = kMidiDivision / 4;
constexpr std::uint32_t kBar = kMidiDivision * 4;

constexpr std::array<int, 7> kMinor{0, 2, 3, 5, 7, 8, 10};
constexpr std::array<int, 7> kHarmonicMinor{0, 2, 3, 5, 7, 8, 11};
constexpr std::array<int, 7> kDorian{0, 2, 3, 5, 7, 9, 10};
constexpr std::array<int, 7> kMajor{0, 2, 4, 5, 7, 9, 11};

enum Drum { kKick = 36, kSnare = 38, kClap = 39, kClosedHat = 42, kOpenHat = 46, kCrash = 49, kRide = 51,
            kSideStick = 37, kTomLow = 45, kTomMid = 47, kTomHigh = 50 };

struct DrumLine {
  int key;
  std::string_view steps;  // 16 sixteenths: 'x' hit, 'o' soft hit, '.' rest
};

std::vector<DrumLine> DrumPattern(DrumStyle style) {
  switch (style) {
    case DrumStyle::kRock:
      return {{kKick, "x.......x.x....."}, {kSnare, "....x.......x..."}, {kClosedHat, "x.o.x.o.x.o.x.o."}};
    case DrumStyle::kFourOnFloor:
      return {{kKick, "x...x...x...x..."}, {kClap, "....x.......x..."}, {kClosedHat, "oxo.oxo.oxo.oxo."},
              {kOpenHat, "..x...x...x...x."}};
    case DrumStyle::kBreakbeat:
      return {{kKick, "x.....x...x....."}, {kSnare, "....x..o.o..x..o"}, {kClosedHat, "x.xox.x.x.xox.x."}};
    case DrumStyle::kHalfTime:
      return {{kKick, "x.........x....."}, {kSnare, "........x......."}, {kClosedHat, "x.o.x.o.x.o.x.o."}};
    case DrumStyle::kGentle:
      return {{kKick, "x.......o......."}, {kSideStick, "........x......."}, {kRide, "x..ox..ox..ox..o"}};
    case DrumStyle::kDoubleKick:
      return {{kKick, "x.x.x.x.x.x.x.xx"}, {kSnare, "....x.......x..."}, {kClosedHat, "x.x.x.x.x.x.x.x."}};
  }
  return {};
}

// Scale degree (any integer, 7 per octave) to a MIDI key.
int Pitch(const PieceStyle& s, int degree) {
  const int octave = static_cast<int>(std::floor(degree / 7.0));
  return s.tonic + 12 * octave + s.scale[static_cast<std::size_t>(degree - 7 * octave)];
}

bool IsChordTone(int degree, int chordRoot) {
  const int d = ((degree - chordRoot) % 7 + 7) % 7;
  return d == 0 || d == 2 || d == 4;
}

struct MelodyNote {
  int start;   // in sixteenths from the phrase start
  int length;  // in sixteenths
  int degree;
};

// One-beat rhythm cells: onsets in the four sixteenths.
constexpr std::string_view kCells[] = {"x...", "x.x.", "x.xx", "xx.x", "x..x", "xxxx", "....", "..x.", "x.x."};

class MelodyWriter {
 public:
  MelodyWriter(const PieceStyle& style, std::uint32_t seed) : style_(style), rng_(seed) {}

  // Two bars of onsets (32 sixteenths).
  std::vector<int> Rhythm(bool cadence) {
    std::vector<int> onsets;
    for (int beat = 0; beat < 8; ++beat) {
      std::string_view cell;
      if (cadence && beat >= 4) {
        cell = beat == 4 ? "x..." : "....";
      } else {
        const double r = rng_.Unit();
        if (r > style_.density) cell = (rng_.Unit() < 0.6) ? kCells[0] : kCells[6];
        else cell = kCells[1 + rng_.Int(static_cast<int>(std::size(kCells)) - 1)];
        if (beat == 0 && cell[0] != 'x') cell = kCells[1];
        if (beat == 7 && rng_.Unit() < 0.5) cell = "....";
      }
      for (int i = 0; i < 4; ++i)
        if (cell[static_cast<std::size_t>(i)] == 'x') onsets.push_back(beat * 4 + i);
    }
    return onsets;
  }

  // Pitches for the onsets over two bars whose chords are c0, c1.
  void Fill(std::vector<MelodyNote>& out, int offset, const std::vector<int>& onsets, int c0, int c1, int low,
            int high, const std::vector<int>* contour) {
    for (std::size_t i = 0; i < onsets.size(); ++i) {
      const int pos = onsets[i];
      const int next = i + 1 < onsets.size() ? onsets[i + 1] : 32;
      const int chord = pos < 16 ? c0 : c1;
      int degree;
      const bool strong = pos % 4 == 0;
      if (contour != nullptr && i < contour->size()) {
        degree = last_ + (*contour)[i];
        if (strong && !IsChordTone(degree, chord)) degree += IsChordTone(degree + 1, chord) ? 1 : -1;
      } else if (strong || first_) {
        degree = NearestChordTone(chord, last_ + rng_.Int(5) - 2);
      } else {
        degree = last_ + (rng_.Unit() < 0.5 ? 1 : -1) * (rng_.Unit() < 0.75 ? 1 : 2);
      }
      while (degree < low) degree += 2;
      while (degree > high) degree -= 2;
      steps_.push_back(degree - last_);
      last_ = degree;
      first_ = false;
      out.push_back({offset + pos, std::min(next - pos, 8), degree});
    }
  }

  std::vector<int> TakeSteps() { return std::exchange(steps_, {}); }
  void Reset(int degree) { last_ = degree, first_ = true; }

 private:
  int NearestChordTone(int chord, int around) {
    for (int d = 0; d < 7; ++d) {
      if (IsChordTone(around + d, chord)) return around + d;
      if (IsChordTone(around - d, chord)) return around - d;
    }
    return around;
  }

  const PieceStyle& style_;
  Lcg rng_;
  int last_ = 9;
  bool first_ = true;
  std::vector<int> steps_;
};

// An 8-bar phrase: motif, motif again on the next chords, a new answer, cadence.
std::vector<MelodyNote> Phrase(const PieceStyle& s, const std::array<int, 8>& chords, std::uint32_t seed, int low,
                               int high) {
  MelodyWriter w(s, seed);
  std::vector<MelodyNote> notes;
  w.Reset((low + high) / 2);
  const std::vector<int> motif = w.Rhythm(false);
  w.Fill(notes, 0, motif, chords[0], chords[1], low, high, nullptr);
  const std::vector<int> contour = w.TakeSteps();
  w.Fill(notes, 32, motif, chords[2], chords[3], low, high, &contour);
  w.TakeSteps();
  const std::vector<int> answer = w.Rhythm(false);
  w.Fill(notes, 64, answer, chords[4], chords[5], low, high, nullptr);
  w.TakeSteps();
  const std::vector<int> cadence = w.Rhythm(true);
  w.Fill(notes, 96, cadence, chords[6], chords[7], low, high, nullptr);
  return notes;
}

void AddDrums(MidiTrack& t, const PieceStyle& s, std::uint32_t barTick, bool sectionStart, bool fill) {
  for (const DrumLine& line : DrumPattern(s.drums)) {
    for (int i = 0; i < 16; ++i) {
      if (fill && i >= 8) continue;
      const char c = line.steps[static_cast<std::size_t>(i)];
      if (c == '.') continue;
      if (sectionStart && i == 0 && (line.key == kClosedHat || line.key == kRide)) continue;
      t.Note(barTick + static_cast<std::uint32_t>(i) * kSixteenth, kSixteenth, kDrumChannel, line.key,
             c == 'x' ? 100 : 64);
    }
  }
  if (sectionStart) t.Note(barTick, kSixteenth * 4, kDrumChannel, kCrash, 110);
  if (fill) {  // the last two beats of a section: a rolling tom and snare fill
    static constexpr int kFill[8] = {kSnare, kSnare, kTomHigh, kTomHigh, kTomMid, kTomMid, kTomLow, kSnare};
    for (int i = 0; i < 8; ++i)
      t.Note(barTick + static_cast<std::uint32_t>(8 + i) * kSixteenth, kSixteenth, kDrumChannel, kFill[i],
             70 + 6 * i);
    t.Note(barTick + 8 * kSixteenth, kSixteenth, kDrumChannel, kKick, 100);
  }
}

void AddBass(MidiTrack& t, const PieceStyle& s, std::uint32_t barTick, int chord) {
  const int root = Pitch(s, chord), fifth = Pitch(s, chord + 4), octave = root + 12;
  struct Hit {
    int step, length, key;
  };
  std::vector<Hit> hits;
  switch (s.bass) {
    case BassStyle::kEighths:
      for (int i = 0; i < 8; ++i) hits.push_back({i * 2, 2, i == 7 ? octave : root});
      break;
    case BassStyle::kRootFifth:
      hits = {{0, 4, root}, {4, 4, fifth}, {8, 4, octave}, {12, 4, fifth}};
      break;
    case BassStyle::kSyncopated:
      hits = {{0, 3, root}, {3, 3, root}, {6, 2, fifth}, {8, 3, root}, {11, 3, octave}, {14, 2, fifth}};
      break;
    case BassStyle::kGallop:
      for (int b = 0; b < 4; ++b) {
        const int k = b == 3 ? fifth : root;
        hits.push_back({b * 4, 2, k});
        hits.push_back({b * 4 + 2, 1, k});
        hits.push_back({b * 4 + 3, 1, k});
      }
      break;
    case BassStyle::kHalfNotes:
      hits = {{0, 8, root}, {8, 6, fifth}, {14, 2, octave}};
      break;
  }
  for (const Hit& h : hits)
    t.Note(barTick + static_cast<std::uint32_t>(h.step) * kSixteenth,
           static_cast<std::uint32_t>(h.length) * kSixteenth - 10, kBassChannel, h.key, h.step % 4 == 0 ? 100 : 84);
}

void AddPad(MidiTrack& t, const PieceStyle& s, std::uint32_t barTick, int chord) {
  // Close voicing around the middle of the keyboard, whole bar long.
  for (int k : {0, 2, 4}) {
    int key = Pitch(s, chord + k) + 12;
    while (key > 67) key -= 12;
    while (key < 55) key += 12;
    t.Note(barTick, kBar, kPadChannel, key, 52);
  }
}

void AddArpeggio(MidiTrack& t, const PieceStyle& s, std::uint32_t barTick, int chord) {
  static constexpr int kOrder[8] = {0, 2, 4, 7, 9, 7, 4, 2};
  for (int i = 0; i < 16; ++i)
    t.Note(barTick + static_cast<std::uint32_t>(i) * kSixteenth, kSixteenth - 12, kArpChannel,
           Pitch(s, chord + kOrder[i % 8]) + 24, i % 4 == 0 ? 72 : 56);
}

}  // namespace

const std::vector<PieceStyle>& MusicPieces() {
  static const std::vector<PieceStyle> pieces = {
      {"MIDI/BGM1.MID", "Vantris - Launch", 140, 45, kMinor, {0, 0, 5, 5, 2, 2, 6, 6}, {3, 3, 0, 0, 5, 6, 4, 4},
       80, 38, 89, -1, BassStyle::kEighths, DrumStyle::kRock, 4, 0.55, 11},
      {"MIDI/BGM2.MID", "Vantris - Ocean Run", 150, 40, kMinor, {0, 6, 5, 6, 0, 6, 5, 4}, {5, 5, 3, 3, 0, 0, 4, 4},
       81, 33, 48, 98, BassStyle::kSyncopated, DrumStyle::kFourOnFloor, 5, 0.6, 22},
      {"MIDI/GTCB3.MID", "Vantris - Iron Belt", 132, 38, kDorian, {0, 0, 3, 3, 0, 0, 6, 6}, {2, 2, 3, 3, 4, 4, 3, 6},
       61, 39, 50, -1, BassStyle::kRootFifth, DrumStyle::kBreakbeat, 4, 0.5, 33},
      {"MIDI/BGM3.MID", "Vantris - Asteroid Gate", 144, 36, kHarmonicMinor, {0, 5, 3, 4, 0, 5, 1, 4},
       {5, 3, 0, 4, 5, 3, 4, 4}, 84, 38, 91, 81, BassStyle::kGallop, DrumStyle::kDoubleKick, 5, 0.6, 44},
      {"MIDI/BGM4.MID", "Vantris - Deep Station", 128, 42, kMinor, {0, 0, 6, 6, 5, 5, 4, 4}, {5, 6, 0, 0, 5, 6, 2, 4},
       85, 39, 95, 88, BassStyle::kHalfNotes, DrumStyle::kHalfTime, 4, 0.45, 55},
      {"MIDI/QZ5.MID", "Vantris - Red Corridor", 156, 43, kHarmonicMinor, {0, 0, 3, 3, 5, 5, 4, 4},
       {3, 4, 0, 5, 3, 1, 4, 4}, 29, 34, 48, -1, BassStyle::kEighths, DrumStyle::kRock, 5, 0.65, 66},
      {"MIDI/BGM5.MID", "Vantris - Final Fortress", 160, 47, kHarmonicMinor, {0, 5, 3, 4, 0, 5, 3, 4},
       {5, 5, 6, 6, 0, 0, 4, 4}, 30, 38, 50, 81, BassStyle::kGallop, DrumStyle::kDoubleKick, 5, 0.7, 77},
      {"MIDI/BGM6.MID", "Vantris - Homeward", 100, 38, kMajor, {0, 4, 5, 3, 0, 4, 3, 4}, {5, 2, 3, 0, 5, 3, 1, 4},
       73, 32, 49, 46, BassStyle::kHalfNotes, DrumStyle::kGentle, 3, 0.4, 88},
  };
  return pieces;
}

std::vector<std::uint8_t> ComposePiece(const PieceStyle& s) {
  MidiTrack t;
  t.Name(0, s.title);
  t.Tempo(0, static_cast<std::uint32_t>(60000000 / s.tempo));
  t.TimeSignature(0, 4, 2);
  const std::pair<int, int> parts[] = {{kMelodyChannel, s.leadProgram},
                                       {kBassChannel, s.bassProgram},
                                       {kPadChannel, s.padProgram},
                                       {kArpChannel, s.arpProgram < 0 ? 0 : s.arpProgram}};
  for (const auto& [channel, program] : parts) t.Program(0, channel, program);
  t.Controller(0, kMelodyChannel, 7, 100);
  t.Controller(0, kBassChannel, 7, 105);
  t.Controller(0, kPadChannel, 7, 70);
  t.Controller(0, kArpChannel, 7, 60);
  t.Controller(0, kPadChannel, 91, 60);  // reverb
  t.Controller(0, kMelodyChannel, 91, 40);

  // Melody register: about D4 to A5 whatever the key.
  int low = 0;
  while (Pitch(s, low) < 62) ++low;
  const int high = low + 9;
  const std::vector<MelodyNote> phraseA = Phrase(s, s.chordsA, s.seed, low, high);
  const std::vector<MelodyNote> phraseA2 = Phrase(s, s.chordsA, s.seed * 7 + 1, low, high);
  const std::vector<MelodyNote> phraseB = Phrase(s, s.chordsB, s.seed * 13 + 5, low + 2, high + 2);

  for (int section = 0; section < s.sections; ++section) {
    const bool isB = section % 2 == 1;
    const auto& chords = isB ? s.chordsB : s.chordsA;
    const std::uint32_t sectionTick = static_cast<std::uint32_t>(section) * 8 * kBar;
    for (int bar = 0; bar < 8; ++bar) {
      const std::uint32_t barTick = sectionTick + static_cast<std::uint32_t>(bar) * kBar;
      const int chord = chords[static_cast<std::size_t>(bar)];
      AddDrums(t, s, barTick, bar == 0, bar == 7);
      AddBass(t, s, barTick, chord);
      AddPad(t, s, barTick, chord);
      if (s.arpProgram >= 0 && (isB || section >= 2)) AddArpeggio(t, s, barTick, chord);
    }
    const std::vector<MelodyNote>& melody = isB ? phraseB : (section % 4 == 2 ? phraseA2 : phraseA);
    for (const MelodyNote& n : melody) {
      const std::uint32_t tick = sectionTick + static_cast<std::uint32_t>(n.start) * kSixteenth;
      const std::uint32_t len = static_cast<std::uint32_t>(n.length) * kSixteenth;
      t.Note(tick, len - len / 8, kMelodyChannel, Pitch(s, n.degree), n.start % 4 == 0 ? 104 : 88);
    }
  }
  const std::uint32_t end = static_cast<std::uint32_t>(s.sections) * 8 * kBar;
  return EncodeMidiFile(t, kMidiDivision, end);
}

}  // namespace assetgen
