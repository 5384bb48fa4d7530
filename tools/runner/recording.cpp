#include "recording.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <utility>

#include "input.h"
#include "os/audio/midi.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "shell/scene.h"
#include "state_walk.h"

namespace runner {
namespace {

// 64-bit words through a multiply, then a finaliser that spreads every bit
// over the whole hash, so that its low byte alone still tells most parts
// apart.
uint64_t Hash(const void* data, size_t size, uint64_t h = 0x9E3779B97F4A7C15ull) {
  const auto* p = static_cast<const unsigned char*>(data);
  for (; size >= 8; size -= 8, p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    h = (h ^ word) * 0x100000001B3ull;
  }
  for (; size > 0; --size, ++p) h = (h ^ *p) * 0x100000001B3ull;
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  return h ^ (h >> 33);
}

// "scene 2, stage 1"; a number that is no scene alone.
std::string SceneText(int32_t scene) {
  const std::string name = SceneName(scene);
  return "scene " + std::to_string(scene) + (name.empty() ? "" : ", " + name);
}

// A recorded index with no part of the game.
constexpr size_t kNone = static_cast<size_t>(-1);

// A MIDI command as far as it is heard: a status query is not; a piece's
// file is named from the program's folder, wherever the run's assets are.
std::string HeardCommand(std::string command) {
  if (command.rfind("status", 0) == 0) return {};
  // The folder as the open command holds it, without its quotes.
  std::string folder = os::MidiQuoted(os::ExeDir());
  folder = folder.substr(1, folder.size() - 2);
  const size_t at = command.find(folder);
  if (!folder.empty() && at != std::string::npos) command.erase(at, folder.size());
  return command;
}

}  // namespace

const std::vector<std::string>& PartNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    ForEachStatePart([&list](const char* name, const void*, size_t) { list.emplace_back(name); });
    list.insert(list.end(), {"Screen", "Music", "Sounds"});
    return list;
  }();
  return names;
}

Digest TakeDigest(std::string_view music, std::string_view sounds) {
  Digest digest;
  ForEachStatePart([&digest](const char*, const void* data, size_t size) {
    digest.parts.push_back(Hash(data, size));
  });
  const os::headless::PresentedFrame& frame = os::headless::LastPresented();
  const int32_t size[2] = {frame.width, frame.height};
  digest.parts.push_back(
      Hash(frame.pixels.data(), frame.pixels.size() * sizeof frame.pixels[0], Hash(size, 8)));
  digest.parts.push_back(Hash(music.data(), music.size()));
  digest.parts.push_back(Hash(sounds.data(), sounds.size()));
  return digest;
}

std::vector<std::string> FlyingTables(bool in_flight_only) {
  std::vector<std::string> names;
  ForEachTable([&](const char* name, const auto& table, const ResetRule&) {
    if constexpr (requires { table[0].active; }) {
      bool flying = !in_flight_only;
      for (const auto& record : table) flying = flying || record.active != 0;
      if (flying) names.emplace_back(name);
    }
  });
  return names;
}

namespace {

// The most parts a recording may index.
constexpr int64_t kMaxParts = 100000;

// A hash of one to `digits` hex digits (as FormatRecording writes them).
bool ParseHex(std::string_view text, size_t digits, uint32_t* value) {
  uint32_t parsed = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, parsed, 16);
  if (text.empty() || text.size() > digits || error != std::errc() || end != last) return false;
  *value = parsed;
  return true;
}

// "INDEX:HASHHASH...": the 8-bit hashes of parts INDEX, INDEX + 1 ...
bool ParseRun(LineWords& words, Sample* sample) {
  std::string run;
  words.Word("", &run);
  const std::string_view text = run;
  const size_t colon = text.find(':');
  const std::string_view hashes = colon == std::string_view::npos ? "" : text.substr(colon + 1);
  int64_t index = 0;
  if (colon == std::string_view::npos || hashes.empty() || hashes.size() % 2 != 0 ||
      !ParseDecimal(text.substr(0, colon), 0, kMaxParts - 1, &index) ||
      static_cast<size_t>(index) + hashes.size() / 2 > kMaxParts)
    return words.Fail(Quoted(run) + " is not INDEX:HASHES, an index from 0 to " +
                      std::to_string(kMaxParts - 1) + " and two hex digits a part");
  for (size_t at = 0; at < hashes.size(); at += 2, ++index) {
    uint32_t hash = 0;
    if (!ParseHex(hashes.substr(at, 2), 2, &hash))
      return words.Fail(Quoted(run) + " holds a hash that is not two hex digits");
    sample->changed.emplace_back(static_cast<size_t>(index), static_cast<uint8_t>(hash));
  }
  return true;
}

// A sample line, its first word `frame` read.
bool ParseSample(const std::string& frame, LineWords& words, Sample* sample) {
  std::string all;
  if (!words.Decimal(frame, "a frame", 0, kLastFrame, &sample->frame) ||
      !words.Number("a scene", INT32_MIN, INT32_MAX, &sample->scene) ||
      !words.Word("the sample's hash", &all))
    return false;
  if (!ParseHex(all, 8, &sample->all))
    return words.Fail(Quoted(all) + " is not a hash of 1 to 8 hex digits");
  while (words.More()) {
    if (!ParseRun(words, sample)) return false;
  }
  return true;
}

}  // namespace

bool ParseRecording(std::string_view text, Recording* recording, std::string* error,
                    bool header_only) {
  std::set<std::string> named;
  bool has_run = false, has_every = false;
  const LineRules rules{nullptr, false};
  const bool ok = ForEachLine(
      text, rules,
      [&](LineWords& words) {
        std::string first;
        words.Word("", &first);
        if (first[0] == '#') {
          recording->comments.push_back(std::string(words.Line()) + "\n");
        } else if (first == "run") {
          if (std::exchange(has_run, true)) return words.Fail("a second run line");
          while (words.More()) {
            std::string arg;
            if (!words.Argument("", &arg)) return false;
            recording->args.push_back(std::move(arg));
          }
        } else if (first == "every") {
          if (std::exchange(has_every, true)) return words.Fail("a second every line");
          return words.Number("a period", 1, kLastFrame, &recording->every) && words.End();
        } else if (first == "parts") {
          for (std::string name; words.More() && words.Word("", &name);) {
            if (name != kRetiredPart && !named.insert(name).second)
              return words.Fail("part " + Quoted(name) + " is named twice");
            recording->names.push_back(name);
          }
        } else if (first == "active") {
          for (std::string name; words.More() && words.Word("", &name);)
            recording->active.push_back(name);
        } else if (first == "seen") {
          for (std::string fact; words.More() && words.Word("", &fact);)
            recording->seen.push_back(fact);
        } else if (std::isdigit(static_cast<unsigned char>(first[0]))) {
          Sample sample;
          if (!ParseSample(first, words, &sample)) return false;
          recording->samples.push_back(std::move(sample));
        } else {
          return words.Fail(Quoted(first) + " begins no recording line");
        }
        return true;
      },
      error);
  if (!ok) return false;
  for (const Sample& sample : recording->samples) {
    for (const auto& change : sample.changed) {
      if (change.first >= recording->names.size() ||
          recording->names[change.first] == kRetiredPart) {
        *error = "frame " + std::to_string(sample.frame) + ": part " +
                 std::to_string(change.first) + " has no name";
        return false;
      }
    }
  }
  if (header_only) {
    recording->samples.clear();
    recording->active.clear();
    recording->seen.clear();
  }
  return true;
}

std::string FormatRecording(const Recording& recording) {
  std::string text;
  for (const std::string& comment : recording.comments) text += comment;
  text += "run";
  for (const std::string& arg : recording.args) {
    text += ' ';
    text += AsArgument(arg);
  }
  text += "\nevery " + std::to_string(recording.every) + "\n";
  char buffer[40];
  for (const Sample& sample : recording.samples) {
    std::snprintf(buffer, sizeof buffer, "%ld %d %08" PRIx32, sample.frame, sample.scene,
                  sample.all);
    text += buffer;
    for (size_t k = 0; k < sample.changed.size(); ++k) {
      const auto& [index, hash] = sample.changed[k];
      const bool run_starts = k == 0 || sample.changed[k - 1].first + 1 != index;
      if (run_starts) {
        std::snprintf(buffer, sizeof buffer, " %zu:%02x", index, hash);
      } else {
        std::snprintf(buffer, sizeof buffer, "%02x", hash);
      }
      text += buffer;
    }
    text += "\n";
  }
  // Names on lines of some 90 characters.
  auto names = [&text](const char* head, const std::vector<std::string>& list) {
    std::string line;
    for (const std::string& name : list) {
      if (!line.empty() && line.size() + name.size() > 90) {
        text += line + "\n";
        line.clear();
      }
      line += (line.empty() ? head : " ") + name;
    }
    if (!line.empty()) text += line + "\n";
  };
  names("parts ", recording.names);
  names("active ", recording.active);
  names("seen ", recording.seen);
  return text;
}

Replay::Replay(Recording* recording, bool record) : recording_(recording), record_(record) {
  os::headless::LogSounds(true);
  os::headless::ClearSoundLog();
  os::headless::ClearMidiLog();
  const std::vector<std::string>& names = PartNames();
  std::vector<bool> recorded(names.size(), false);
  for (std::string& name : recording_->names) {
    const size_t i = std::find(names.begin(), names.end(), name) - names.begin();
    if (i < names.size()) {
      recorded[i] = true;
      game_.push_back(i);
      continue;
    }
    game_.push_back(kNone);
    if (name == kRetiredPart) continue;
    // Written anew, the index of a part the game no longer has is kept
    // unused; played, the recording cannot hold.
    if (record_) {
      name = kRetiredPart;
    } else {
      unknown_ += (unknown_.empty() ? "" : ", ") + name;
    }
  }
  for (size_t i = 0; i < names.size(); ++i) {
    if (recorded[i]) continue;
    if (record_) {
      recording_->names.push_back(names[i]);
      game_.push_back(i);
    } else {
      unrecorded_ += (unrecorded_.empty() ? "" : ", ") + names[i];
    }
  }
}

uint32_t Replay::SampleHash(const Digest& digest) const {
  uint64_t all = 0;
  for (size_t index = 0; index < game_.size(); ++index) {
    if (game_[index] == kNone) continue;
    const uint64_t hash = digest.parts[game_[index]];
    if (!first_.empty() && hash == first_[game_[index]]) continue;
    const uint64_t entry[2] = {index, hash};
    all = Hash(entry, sizeof entry, all);
  }
  return static_cast<uint32_t>(all);
}

void Replay::Listen(long frame) {
  const std::string at = std::to_string(frame) + " ";
  for (const std::string& command : os::headless::MidiLog()) {
    const std::string heard = HeardCommand(command);
    if (!heard.empty()) music_ += at + heard + "\n";
  }
  for (const std::string& line : os::headless::SoundLog()) sounds_ += at + line + "\n";
  os::headless::ClearMidiLog();
  os::headless::ClearSoundLog();
}

bool Replay::AfterFrame(long frame) {
  observer_.AfterFrame();
  Listen(frame);
  if (frame % recording_->every != 0) return true;
  const Digest digest = TakeDigest(music_, sounds_);
  for (std::string& name : FlyingTables(true)) active_.insert(std::move(name));
  // Before the first sample, no part has a recorded 8-bit hash yet.
  if (first_.empty()) {
    expected_.clear();
    for (uint64_t hash : digest.parts) expected_.push_back(static_cast<uint8_t>(hash));
  }
  if (record_) {
    Sample sample{frame, SceneNumber, SampleHash(digest), {}};
    for (size_t index = 0; index < game_.size(); ++index) {
      if (game_[index] == kNone) continue;
      const auto hash = static_cast<uint8_t>(digest.parts[game_[index]]);
      if (first_.empty() || hash != expected_[game_[index]]) {
        sample.changed.emplace_back(index, hash);
        expected_[game_[index]] = hash;
      }
    }
    recording_->samples.push_back(std::move(sample));
  } else if (!Check(frame, digest)) {
    return false;
  }
  if (first_.empty()) first_ = digest.parts;
  music_.clear();
  sounds_.clear();
  return true;
}

bool Replay::Check(long frame, const Digest& digest) {
  const std::vector<std::string>& names = PartNames();
  const std::string where = "frame " + std::to_string(frame) + " (" + SceneText(SceneNumber) + ")";
  if (next_ >= recording_->samples.size()) {
    error_ = where + ": past the end of the recording";
    return false;
  }
  const Sample& sample = recording_->samples[next_++];
  if (sample.frame != frame) {
    error_ = where + ": the recording has frame " + std::to_string(sample.frame) + " here";
    return false;
  }
  for (const auto& [index, hash] : sample.changed) {
    if (game_[index] != kNone) expected_[game_[index]] = hash;
  }
  // The parts that differ, at most a dozen by name.
  std::string parts;
  int differ = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (expected_[i] != static_cast<uint8_t>(digest.parts[i]) && ++differ <= 12)
      parts += (parts.empty() ? "" : ", ") + names[i];
  }
  if (differ > 12) parts += " and " + std::to_string(differ - 12) + " more";
  if (sample.all == SampleHash(digest) && sample.scene == SceneNumber && unknown_.empty() &&
      unrecorded_.empty())
    return true;
  if (!parts.empty()) {
    error_ = where + ": differs in " + parts;
  } else if (unknown_.empty() && unrecorded_.empty()) {
    error_ = where + ": differs, though every part's 8-bit hash is the recorded one";
  } else {
    error_ = where;
  }
  // What is heard now, where that differs: the recording keeps its hash alone.
  const auto heard = [&](const char* part, const std::string& lines) {
    const size_t i = std::find(names.begin(), names.end(), part) - names.begin();
    if (expected_[i] == static_cast<uint8_t>(digest.parts[i])) return;
    error_ += std::string("; ") + part + " heard now: ";
    if (lines.empty()) error_ += "nothing";
    // The first few lines, on one.
    size_t at = 0;
    for (int n = 0; at < lines.size(); ++n) {
      const size_t end = lines.find('\n', at);
      if (n == 4) {
        error_ += " ...";
        break;
      }
      error_ += (n == 0 ? "" : ", ") + lines.substr(at, end - at);
      at = end + 1;
    }
  };
  heard("Music", music_);
  heard("Sounds", sounds_);
  if (sample.scene != SceneNumber) error_ += "; recorded in scene " + std::to_string(sample.scene);
  if (!unknown_.empty()) error_ += "; the game has no part " + unknown_;
  if (!unrecorded_.empty()) error_ += "; the recording has no part " + unrecorded_;
  return false;
}

bool Replay::Finish(long frames_run) {
  observer_.AtEnd();
  const std::set<std::string>& seen = observer_.Facts();
  if (record_) {
    recording_->active.assign(active_.begin(), active_.end());
    recording_->seen.assign(seen.begin(), seen.end());
    return true;
  }
  if (next_ < recording_->samples.size()) {
    error_ = "the run ended after " + std::to_string(frames_run) +
             " frames; the recording goes on to frame " +
             std::to_string(recording_->samples.back().frame);
    return false;
  }
  // (The samples cover it already; this keeps the recorded list true.)
  if (std::vector<std::string>(active_.begin(), active_.end()) != recording_->active) {
    error_ = "the tables with a record in flight differ from the recorded ones";
    return false;
  }
  if (std::vector<std::string>(seen.begin(), seen.end()) != recording_->seen) {
    error_ = "what the run showed of the game as played differs from the recorded facts";
    return false;
  }
  return true;
}

}  // namespace runner
