// A headless machine with the sound module started over a temporary program
// folder, and small WAV and MIDI makers.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "el/sound/elSound.h"
#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/audio/wave.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/test_support.h"

namespace sound_test {

// Bytes counting up (0, 1, 2 ... 255, 0 ...), handy to see which byte landed where.
inline std::vector<uint8_t> CountingBytes(uint32_t size) {
  std::vector<uint8_t> data(size);
  for (uint32_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(i);
  return data;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(vantris_test::WriteBytes(path, bytes)) << path;
}

// A one-track standard MIDI file: one note of `ticks` (below 16384) ticks at
// 480 per quarter note and the default tempo (480 ticks last half a second).
inline std::vector<uint8_t> TinyMidi(uint32_t ticks = 480) {
  const std::vector<uint8_t> track = {
      0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64,            // piano, note on
      uint8_t(0x80 | ticks >> 7), uint8_t(ticks & 0x7F),  // the note's length
      0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};           // note off, end of track
  std::vector<uint8_t> smf = {'M', 'T', 'h', 'd', 0,   0,   0,   6,   0, 0, 0,
                              1,   1,   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track.size())};
  for (uint8_t b : track) smf.push_back(b);
  return smf;
}

// The headless machine with the program's folder in a fresh temporary
// directory, the sound module started and the music closed.
class SoundTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    vantris_test::HeadlessTest::SetUp();
    dir_ = vantris_test::MakeTempDir("exe");
    saved_exe_dir_ = os::ExeDir();
    os::SetExeDir(dir_);
    os::audio::ResetMidi();
    os::headless::ClearMidiLog();
    os::audio::SetOutputFormat(2, 44100, 16);
    if (start_sound_) {
      elSound::Init();
      elSound::ClearSoundTable();
    }
    elSound::InitMidi();
    os::headless::ClearBoxes();
  }
  void TearDown() override {
    os::audio::ResetMidi();
    elSound::ClearSoundTable();
    elSound::Release();
    SoundAvailable = 0;
    os::SetExeDir(saved_exe_dir_);
    vantris_test::HeadlessTest::TearDown();
  }

  std::string Path(const std::string& name) const { return dir_ + name; }
  // A 16-bit mono sound of `frames` frames at `rate`, every sample `value`,
  // under the program's folder.
  void MakeSound(const std::string& name, uint32_t frames = 1000, uint32_t rate = 22050,
                 int16_t value = 1000) {
    WriteFile(Path(name), os::audio::EncodeWave(os::audio::PcmFormat(1, rate, 16), Pcm(frames, value)));
  }
  static std::vector<uint8_t> Pcm(uint32_t frames, int16_t value = 1000) {
    std::vector<uint8_t> pcm;
    for (uint32_t i = 0; i < frames; ++i) pcm.insert(pcm.end(), {uint8_t(value), uint8_t(value >> 8)});
    return pcm;
  }
  // An entry as "name: use U mix M echo E base B freq F pack P" (F: duplicate 0's).
  static std::string Entry(int32_t h) {
    const SoundEntry& e = SoundBufferTable[h];
    return e.Name + ": use " + std::to_string(e.InUse) + " mix " + std::to_string(e.MixCount) +
           " echo " + std::to_string(e.EchoCount) + " base " + std::to_string(e.BaseFrequency) +
           " freq " + std::to_string(e.Frequency[0]) + " pack " + std::to_string(e.FromPack);
  }
  static std::string LastBox() {
    const auto& boxes = os::headless::Boxes();
    return boxes.empty() ? std::string() : boxes.back().text;
  }
  static size_t BoxCount() { return os::headless::Boxes().size(); }
  // A call's result, followed by every message reported since the last one.
  std::string Result(int32_t result) {
    const auto& boxes = os::headless::Boxes();
    std::string out = std::to_string(result);
    for (size_t i = boxes_seen_ <= boxes.size() ? boxes_seen_ : 0; i < boxes.size(); ++i)
      out += " " + boxes[i].text;
    boxes_seen_ = boxes.size();
    return out;
  }

  bool start_sound_ = true;
  size_t boxes_seen_ = 0;
  std::string dir_;
  std::string saved_exe_dir_;
};

}  // namespace sound_test
