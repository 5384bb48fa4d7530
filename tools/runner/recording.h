// Recorded runs of the headless runner: the arguments of a run and a digest
// of the game's state every few frames, kept in a text file, and the replay
// that plays the run again and stops at the first frame whose digest
// differs, naming the parts that moved.
//
// A recording file ('#' lines are kept as they are when it is written anew):
//   run ARGS...       the runner's arguments; --script and --calls files are
//                     named relative to the recording's folder; an argument
//                     with a blank, a double quote or a byte that is no
//                     printable UTF-8 stands in double quotes (input.h,
//                     AsArgument)
//   every N           a sample after every N-th frame (frames 0, N, 2N ...;
//                     N from 1 to 999999)
//   F SCENE HASH [INDEX:PARTS]...
//                     a sample: the frame (0 to 999999), the scene, a hash
//                     (up to 8 hex digits) that tells whether anything
//                     differs, and the 8-bit hashes (two hex digits each) of
//                     parts by index, in runs of consecutive indices:
//                     "7:1a2b" is parts 7 and 8 (frames, scenes and indices
//                     are decimal).  The first sample has every part and the
//                     hash of all of them; a later one the parts whose 8-bit
//                     hash changed since the sample before and the hash of
//                     the parts that differ from the first sample (index
//                     and whole hash of each).
//                     So a line depends on the run up to its frame alone,
//                     and a part that keeps its first hash leaves the later
//                     lines as they are.
//   parts NAME...     the part of each index (on as many lines as it takes):
//                     the order the game declares them when the recording
//                     was first written, with the parts the game gained
//                     since at the end; "-" holds the index of a part the
//                     game no longer has, so no other index moves
//   active NAME...    the tables with a record in flight at some sample
//   seen FACT@SCENE...
//                     what the run showed of the game as played, scene by
//                     scene, at any frame (seen.h names the facts)
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "seen.h"

namespace runner {

// The 64-bit hash of every part of the game's state (the scene globals, the
// GameState block, every table by name), of the presented frame ("Screen"),
// then of what was heard since the sample before: the music ("Music": each
// piece opened, by its file from the program's folder, played, looped,
// stopped, closed) and the sounds ("Sounds": each played, stopped or changed,
// os/headless/headless_audio.h), in the order of PartNames.
struct Digest {
  std::vector<uint64_t> parts;
};
const std::vector<std::string>& PartNames();
// `music` and `sounds`: what was heard, a line each.
Digest TakeDigest(std::string_view music, std::string_view sounds);
// The tables whose records fly (have an `active` word), and those of them
// with a record in flight now.
std::vector<std::string> FlyingTables(bool in_flight_only);

struct Sample {
  long frame = 0;
  int32_t scene = 0;
  uint32_t all = 0;
  std::vector<std::pair<size_t, uint8_t>> changed;  // (index, hash)
};

// The name that holds the index of a part the game no longer has.
inline constexpr const char* kRetiredPart = "-";

struct Recording {
  std::vector<std::string> comments;  // the '#' lines, newline included
  std::vector<std::string> args;
  long every = 4;
  std::vector<Sample> samples;
  std::vector<std::string> names;   // the part of each index
  std::vector<std::string> active;  // sorted
  std::vector<std::string> seen;    // sorted
};

// Parses a recording file; false with a message naming the bad line and
// what is wrong with it (a second run or every line is one).  With
// `header_only` (to record the run anew) every line is still checked, but
// only its comments and its run, every and parts lines are kept.
bool ParseRecording(std::string_view text, Recording* recording, std::string* error,
                    bool header_only = false);
std::string FormatRecording(const Recording& recording);

// Plays along with a run: after every frame, either appends its sample to
// the recording (`record`) or checks it against the recorded one.  To
// record, the recording's part order is kept (the parts the game no longer
// has retired) and the game's other parts are added at the end.  It listens
// from its making: the headless backend's sound log is turned on, and its
// music and sound logs are taken up after every frame.
class Replay {
 public:
  Replay(Recording* recording, bool record);
  // After frame `frame` ran; false at the first sample that differs.
  bool AfterFrame(long frame);
  // After the last frame: false when the recording goes on past it; when
  // recording, the tables in flight and the facts seen are filled in.
  bool Finish(long frames_run);
  const std::string& Error() const { return error_; }
  // What the run shows of the game: the runner tells it the run's input.
  Observer& Watch() { return observer_; }

 private:
  // The hash of a sample: of every part (the first sample), or of the
  // parts that differ from the first sample.
  uint32_t SampleHash(const Digest& digest) const;
  // Checks a sample against the recorded one; false, with the error, at a
  // difference.
  bool Check(long frame, const Digest& digest);
  // Takes up what the headless backend heard during frame `frame`.
  void Listen(long frame);

  Recording* recording_;
  bool record_;
  size_t next_ = 0;                // the next recorded sample to check
  std::vector<size_t> game_;       // recorded index -> index in PartNames (kNone: none)
  std::string unknown_;            // the recorded parts that the game has not
  std::string unrecorded_;         // the game's parts that the recording has not
  std::vector<uint64_t> first_;    // the first sample's hashes, by PartNames index
  std::vector<uint8_t> expected_;  // the 8-bit hashes as of the last sample, likewise
  std::set<std::string> active_;   // the tables in flight so far
  Observer observer_;
  std::string music_, sounds_;     // heard since the last sample, "FRAME WHAT" lines
  std::string error_;
};

}  // namespace runner
