// The eight looping music pieces, composed from our own note patterns: a
// melody, a bass line, a pad (and in some pieces an arpeggio) over drums on
// General MIDI channel 10.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

enum class BassStyle { kEighths, kRootFifth, kSyncopated, kGallop, kHalfNotes };
enum class DrumStyle { kRock, kFourOnFloor, kBreakbeat, kHalfTime, kGentle, kDoubleKick };

struct PieceStyle {
  std::string path;                 // catalogue path, e.g. "MIDI/BGM1.MID"
  std::string title;                // track name meta event
  int tempo;                        // beats per minute
  int tonic;                        // MIDI key of the tonic in the bass octave
  std::array<int, 7> scale;         // semitone steps of the mode
  std::array<int, 8> chordsA, chordsB;  // chord root (scale degree) per bar of each phrase
  int leadProgram, bassProgram, padProgram, arpProgram;  // arpProgram < 0: no arpeggio
  BassStyle bass;
  DrumStyle drums;
  int sections;                     // 8-bar sections, alternating A and B phrases
  double density;                   // 0..1, how busy the melody is
  std::uint32_t seed;
};

inline constexpr int kMidiDivision = 480;  // ticks per quarter note
inline constexpr int kMelodyChannel = 0, kBassChannel = 1, kPadChannel = 2, kArpChannel = 3;
inline constexpr int kDrumChannel = 9;

const std::vector<PieceStyle>& MusicPieces();
std::vector<std::uint8_t> ComposePiece(const PieceStyle& style);

}  // namespace assetgen
