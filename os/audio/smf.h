// Standard MIDI files, read whole and checked through before anything plays
// them: a damaged file is refused at open with its reason, so no sequencer
// ever starts on one and fails while it plays.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace os::audio {

// The most tracks a piece may have: FluidSynth's player plays no more.
constexpr unsigned SmfMaxTracks = 127;

// A file that passed every check.
struct SmfPiece {
  unsigned format = 0;    // 0, 1 or 2
  unsigned division = 0;  // ticks per quarter note
  unsigned tracks = 0;    // the tracks the header names
  uint32_t events = 0;    // every event of those tracks, their ends included
  uint32_t ticks = 0;     // the longest track's length
  // How long the piece plays: its ticks at the tempos its tracks set
  // (120 beats a minute until the first).
  uint64_t micros = 0;
  // What the sequencers play: a 6-byte header, then the tracks, each cut
  // after its end-of-track event; any other chunk and trailing bytes left out.
  std::vector<uint8_t> image;
};

// Checks the whole file: the header, every track chunk within the file and
// every event within its track (lengths, running status, meta and system
// exclusive lengths, numbers of at most four bytes, an end-of-track event
// closing each track), and that the piece lasts at least one tick.  False
// with the reason in `why` (e.g. "cut short in track 2 at byte 1234 (the
// track runs to byte 2048)"); byte positions count from 0 at the file's start.
bool ReadSmf(const std::vector<uint8_t>& file, SmfPiece* piece, std::string* why);

}  // namespace os::audio
