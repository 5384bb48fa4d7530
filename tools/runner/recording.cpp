#include "recording.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "os/headless/headless.h"
#include "script.h"
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

}  // namespace

const std::vector<std::string>& PartNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> list;
    ForEachStatePart([&list](const char* name, const void*, size_t) { list.emplace_back(name); });
    list.emplace_back("Screen");
    return list;
  }();
  return names;
}

Digest TakeDigest() {
  Digest digest;
  uint64_t all = 0;  // over the whole 64-bit hash of every part
  auto add = [&digest, &all](uint64_t h) {
    digest.parts.push_back(static_cast<uint8_t>(h));
    all = Hash(&h, sizeof h, all);
  };
  ForEachStatePart([&add](const char*, const void* data, size_t size) { add(Hash(data, size)); });
  const os::headless::PresentedFrame& frame = os::headless::LastPresented();
  const int32_t size[2] = {frame.width, frame.height};
  add(Hash(frame.pixels.data(), frame.pixels.size() * sizeof frame.pixels[0], Hash(size, 8)));
  digest.all = static_cast<uint32_t>(all);
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

bool ParseRecording(const std::string& text, Recording* recording, std::string* error,
                    bool header_only) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream fields(line);
    std::string first;
    if (!(fields >> first)) continue;
    bool ok = true;
    if (first[0] == '#') {
      recording->comments.push_back(line + "\n");
    } else if (first == "run") {
      for (std::string arg; fields >> arg;) recording->args.push_back(arg);
    } else if (first == "every") {
      ok = static_cast<bool>(fields >> recording->every) && recording->every > 0;
    } else if (header_only) {
      continue;
    } else if (first == "parts") {
      for (std::string name; fields >> name;) recording->names.push_back(name);
    } else if (first == "active") {
      for (std::string name; fields >> name;) recording->active.push_back(name);
    } else {
      Sample sample;
      std::string all;
      ok = ParseNumber(first, &sample.frame) && fields >> sample.scene >> all &&
           std::sscanf(all.c_str(), "%" SCNx32, &sample.all) == 1;
      // Runs "INDEX:HASHHASH...": the hashes of parts INDEX, INDEX + 1 ...
      for (std::string run; ok && fields >> run;) {
        const size_t colon = run.find(':');
        size_t index = 0;
        ok = colon != std::string::npos && (run.size() - colon - 1) % 2 == 0 && colon > 0 &&
             std::sscanf(run.c_str(), "%zu", &index) == 1;
        for (size_t at = colon + 1; ok && at < run.size(); at += 2, ++index) {
          unsigned hash = 0;
          ok = std::sscanf(run.substr(at, 2).c_str(), "%2x", &hash) == 1;
          sample.changed.emplace_back(index, static_cast<uint8_t>(hash));
        }
      }
      recording->samples.push_back(sample);
    }
    if (!ok) {
      *error = "line " + std::to_string(number) + ": not a recording line";
      return false;
    }
  }
  for (const Sample& sample : recording->samples) {
    for (const auto& change : sample.changed) {
      if (change.first >= recording->names.size()) {
        *error = "frame " + std::to_string(sample.frame) + ": part " +
                 std::to_string(change.first) + " has no name";
        return false;
      }
    }
  }
  return true;
}

std::string FormatRecording(const Recording& recording) {
  std::string text;
  for (const std::string& comment : recording.comments) text += comment;
  text += "run";
  for (const std::string& arg : recording.args) text += " " + arg;
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
  return text;
}

Replay::Replay(Recording* recording, bool record) : recording_(recording), record_(record) {
  const std::vector<std::string>& names = PartNames();
  for (const std::string& name : recording_->names) {
    size_t i = 0;
    while (i < names.size() && names[i] != name) ++i;
    current_.push_back(i);  // names.size(): the game has no such part
  }
}

bool Replay::AfterFrame(long frame) {
  if (frame % recording_->every != 0) return true;
  Digest digest = TakeDigest();
  for (std::string& name : FlyingTables(true)) active_.insert(std::move(name));
  if (record_) {
    taken_.push_back({frame, SceneNumber, std::move(digest)});
    return true;
  }
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
  // The parts the recording never names keep their hashes of the first sample.
  if (expected_.empty()) expected_ = digest.parts;
  std::string unknown;
  for (const auto& [index, hash] : sample.changed) {
    if (current_[index] < names.size()) {
      expected_[current_[index]] = hash;
    } else {
      unknown += (unknown.empty() ? "" : ", ") + recording_->names[index];
    }
  }
  // The parts that differ, at most a dozen by name.
  std::string parts;
  int differ = 0;
  for (size_t i = 0; i < names.size(); ++i) {
    if (expected_[i] != digest.parts[i] && ++differ <= 12)
      parts += (parts.empty() ? "" : ", ") + names[i];
  }
  if (differ > 12) parts += " and " + std::to_string(differ - 12) + " more";
  if (sample.all == digest.all && sample.scene == SceneNumber && unknown.empty()) return true;
  error_ = where + ": differs in " +
           (parts.empty() ? "a part that the recorded run never changes" : parts);
  if (sample.scene != SceneNumber) error_ += "; recorded in scene " + std::to_string(sample.scene);
  if (!unknown.empty()) error_ += "; the game has no part " + unknown;
  return false;
}

bool Replay::Finish(long frames_run) {
  if (record_) {
    // The parts that change, the most often changed first, and each sample
    // with those of them that changed.
    const std::vector<std::string>& names = PartNames();
    std::vector<long> changes(names.size(), 0);
    for (size_t k = 1; k < taken_.size(); ++k) {
      for (size_t i = 0; i < names.size(); ++i)
        changes[i] += taken_[k].digest.parts[i] != taken_[k - 1].digest.parts[i];
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < names.size(); ++i) {
      if (changes[i] > 0) order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&changes](size_t a, size_t b) { return changes[a] > changes[b]; });
    recording_->names.clear();
    for (size_t i : order) recording_->names.push_back(names[i]);
    recording_->samples.clear();
    for (size_t k = 0; k < taken_.size(); ++k) {
      Sample sample{taken_[k].frame, taken_[k].scene, taken_[k].digest.all, {}};
      for (size_t n = 0; n < order.size(); ++n) {
        const uint8_t hash = taken_[k].digest.parts[order[n]];
        if (k == 0 || hash != taken_[k - 1].digest.parts[order[n]])
          sample.changed.emplace_back(n, hash);
      }
      recording_->samples.push_back(std::move(sample));
    }
    recording_->active.assign(active_.begin(), active_.end());
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
  return true;
}

}  // namespace runner
