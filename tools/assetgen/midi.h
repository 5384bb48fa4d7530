// Standard MIDI File writer (format 0, one track holding every channel).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace assetgen {

class MidiTrack {
 public:
  void Tempo(std::uint32_t tick, std::uint32_t microsecondsPerQuarter);
  void TimeSignature(std::uint32_t tick, int numerator, int denominatorPower);
  void Name(std::uint32_t tick, const std::string& name);
  void Program(std::uint32_t tick, int channel, int program);
  void Controller(std::uint32_t tick, int channel, int controller, int value);
  // A note from tick to tick + length; channel 0-15 (9 is the drum channel).
  void Note(std::uint32_t tick, std::uint32_t length, int channel, int key, int velocity);

  // The track's events in time order, ending with end-of-track at endTick
  // (no event may lie beyond it).
  std::vector<std::uint8_t> EncodeEvents(std::uint32_t endTick) const;

  std::uint32_t LastTick() const;

 private:
  struct Event {
    std::uint32_t tick;
    int rank;  // at one tick: set-up events, then note-offs, then note-ons
    std::size_t order;
    std::vector<std::uint8_t> bytes;
  };
  void Push(std::uint32_t tick, int rank, std::vector<std::uint8_t> bytes);
  std::vector<Event> events_;
};

std::vector<std::uint8_t> EncodeMidiFile(const MidiTrack& track, std::uint16_t division, std::uint32_t endTick);

}  // namespace assetgen
