#include "tools/assetgen/midi.h"

#include <algorithm>
#include <stdexcept>

namespace assetgen {

namespace {

void PutBe(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutVarLen(std::vector<std::uint8_t>& out, std::uint32_t v) {
  std::uint8_t buf[5];
  int n = 0;
  buf[n++] = static_cast<std::uint8_t>(v & 0x7F);
  while ((v >>= 7) != 0) buf[n++] = static_cast<std::uint8_t>(0x80 | (v & 0x7F));
  while (n > 0) out.push_back(buf[--n]);
}

std::uint8_t Data(int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 127)); }
std::uint8_t Status(int kind, int channel) { return static_cast<std::uint8_t>(kind | (channel & 0x0F)); }

}  // namespace

void MidiTrack::Push(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes) {
  events_.push_back({tick, rank, events_.size(), std::move(bytes)});
}

void MidiTrack::Tempo(std::uint32_t tick, std::uint32_t us) {
  Push(tick, 0, {0xFF, 0x51, 0x03, static_cast<std::uint8_t>(us >> 16), static_cast<std::uint8_t>(us >> 8),
                 static_cast<std::uint8_t>(us)});
}

void MidiTrack::TimeSignature(std::uint32_t tick, int numerator, int denominatorPower) {
  Push(tick, 0, {0xFF, 0x58, 0x04, Data(numerator), Data(denominatorPower), 24, 8});
}

void MidiTrack::Name(std::uint32_t tick, const std::string& name) {
  std::vector<std::uint8_t> b{0xFF, 0x03};
  PutVarLen(b, static_cast<std::uint32_t>(name.size()));
  b.insert(b.end(), name.begin(), name.end());
  Push(tick, 0, std::move(b));
}

void MidiTrack::Program(std::uint32_t tick, int channel, int program) {
  Push(tick, 0, {Status(0xC0, channel), Data(program)});
}

void MidiTrack::Controller(std::uint32_t tick, int channel, int controller, int value) {
  Push(tick, 0, {Status(0xB0, channel), Data(controller), Data(value)});
}

void MidiTrack::Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity) {
  if (length == 0) return;
  Push(tick, 2, {Status(0x90, channel), Data(key), Data(std::max(velocity, 1))});
  Push(tick + length, 1, {Status(0x80, channel), Data(key), 64});
}

std::uint32_t MidiTrack::LastTick() const {
  std::uint32_t last = 0;
  for (const Event& e : events_) last = std::max(last, e.tick);
  return last;
}

std::vector<std::uint8_t> MidiTrack::EncodeEvents(std::uint32_t endTick) const {
  if (LastTick() > endTick) throw std::runtime_error("midi: event after the end of the track");
  std::vector<const Event*> sorted;
  for (const Event& e : events_) sorted.push_back(&e);
  std::stable_sort(sorted.begin(), sorted.end(), [](const Event* a, const Event* b) {
    if (a->tick != b->tick) return a->tick < b->tick;
    if (a->rank != b->rank) return a->rank < b->rank;
    return a->order < b->order;
  });
  std::vector<std::uint8_t> out;
  std::uint32_t now = 0;
  for (const Event* e : sorted) {
    PutVarLen(out, e->tick - now);
    now = e->tick;
    out.insert(out.end(), e->bytes.begin(), e->bytes.end());
  }
  PutVarLen(out, endTick - now);
  out.insert(out.end(), {0xFF, 0x2F, 0x00});
  return out;
}

std::vector<std::uint8_t> EncodeMidiFile(const MidiTrack& track, std::uint16_t division, std::uint32_t endTick) {
  const std::vector<std::uint8_t> events = track.EncodeEvents(endTick);
  std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
  PutBe(out, 6, 4);
  PutBe(out, 0, 2);  // format 0
  PutBe(out, 1, 2);  // one track
  PutBe(out, division, 2);
  out.insert(out.end(), {'M', 'T', 'r', 'k'});
  PutBe(out, static_cast<std::uint32_t>(events.size()), 4);
  out.insert(out.end(), events.begin(), events.end());
  return out;
}

}  // namespace assetgen
