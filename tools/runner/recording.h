// Recorded runs of the headless runner: the arguments of a run and a digest
// of the game's state every few frames, kept in a text file, and the replay
// that plays the run again and stops at the first frame whose digest
// differs, naming the parts that moved.
//
// A recording file ('#' lines are kept as they are when it is written anew):
//   run ARGS...       the runner's arguments; --script and --calls files are
//                     named relative to the recording's folder
//   every N           a sample after every N-th frame (frames 0, N, 2N ...)
//   F SCENE HASH [INDEX:PARTS]...
//                     a sample: the frame, the scene, the hash of all parts
//                     (which tells whether anything differs), and the 8-bit
//                     hashes (two hex digits each) of the parts that changed
//                     since the previous sample (in the first, all that
//                     change at some sample), in runs of consecutive
//                     indices: "7:1a2b" is parts 7 and 8 (which name the
//                     parts that differ, all but one in 256 of them)
//   parts NAME...     the parts that change, the most often changed first
//                     (index 0, 1 ...; on as many lines as it takes); every
//                     other part must keep its first hash all along
//   active NAME...    the tables with a record in flight at some sample
#pragma once
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace runner {

// The hash of every part of the game's state (the scene globals, the GameState
// block, every table by name) and, last, of the presented frame ("Screen").
struct Digest {
  std::vector<uint8_t> parts;
  uint32_t all = 0;
};
const std::vector<std::string>& PartNames();
Digest TakeDigest();
// The tables whose records fly (have an `active` word), and those of them
// with a record in flight now.
std::vector<std::string> FlyingTables(bool in_flight_only);

struct Sample {
  long frame = 0;
  int32_t scene = 0;
  uint32_t all = 0;
  std::vector<std::pair<size_t, uint8_t>> changed;  // (index, hash)
};

struct Recording {
  std::vector<std::string> comments;  // the '#' lines, newline included
  std::vector<std::string> args;
  long every = 4;
  std::vector<Sample> samples;
  std::vector<std::string> names;   // the part of each index
  std::vector<std::string> active;  // sorted
};

// Parses a recording file; false with a message naming the bad line.  With
// `header_only` (to record the run anew) only its comments, run and every
// lines are read.
bool ParseRecording(const std::string& text, Recording* recording, std::string* error,
                    bool header_only = false);
std::string FormatRecording(const Recording& recording);

// Plays along with a run: after every frame, either appends its sample to
// the recording (`record`) or checks it against the recorded one.
class Replay {
 public:
  Replay(Recording* recording, bool record);
  // After frame `frame` ran; false at the first sample that differs.
  bool AfterFrame(long frame);
  // After the last frame: false when the recording goes on past it; when
  // recording, the samples and names are filled in.
  bool Finish(long frames_run);
  const std::string& Error() const { return error_; }

 private:
  // A sample taken while recording, with the hash of every part.
  struct Taken {
    long frame;
    int32_t scene;
    Digest digest;
  };
  Recording* recording_;
  bool record_;
  size_t next_ = 0;                // the next recorded sample to check
  std::vector<Taken> taken_;       // recording: every sample
  std::vector<uint8_t> expected_;  // part hashes: the first sample's, then the recorded ones
  std::vector<size_t> current_;    // recorded index -> index in PartNames
  std::set<std::string> active_;   // the tables in flight so far
  std::string error_;
};

}  // namespace runner
