// A headless machine with the sound module started over a temporary program
// folder, and small WAV and MIDI makers.
#pragma once
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
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
#include "tests/support/test_support.h"

namespace sound_test {

// `frames` frames of 16-bit PCM holding `value` in every sample.
inline std::vector<uint8_t> ConstantPcm16(int channels, uint32_t frames, int16_t value) {
  std::vector<uint8_t> data;
  data.reserve(size_t{frames} * channels * 2);
  for (uint32_t i = 0; i < frames * static_cast<uint32_t>(channels); ++i) {
    data.push_back(static_cast<uint8_t>(value & 0xFF));
    data.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  return data;
}

// Bytes counting up (0, 1, 2 ... 255, 0 ...), handy to see which byte landed where.
inline std::vector<uint8_t> CountingBytes(uint32_t size, uint8_t start = 0) {
  std::vector<uint8_t> data(size);
  for (uint32_t i = 0; i < size; ++i) data[i] = static_cast<uint8_t>(start + i);
  return data;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

inline void WriteWav(const std::string& path, const os::audio::WaveFormat& format,
                     const std::vector<uint8_t>& data) {
  WriteFile(path, os::audio::EncodeWave(format, data));
}

// A one-track standard MIDI file: one note of `ticks` ticks at 480 per
// quarter note and the default tempo (so 480 ticks last half a second).
inline std::vector<uint8_t> TinyMidi(uint32_t ticks = 480) {
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00,          // piano
                                0x00, 0x90, 0x3C, 0x64};   // note on
  // Delta time as a variable-length number.
  std::vector<uint8_t> delta;
  uint32_t v = ticks;
  delta.push_back(static_cast<uint8_t>(v & 0x7F));
  while (v >>= 7) delta.insert(delta.begin(), static_cast<uint8_t>(0x80 | (v & 0x7F)));
  track.insert(track.end(), delta.begin(), delta.end());
  track.insert(track.end(), {0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00});
  const uint32_t n = static_cast<uint32_t>(track.size());
  const uint8_t header[] = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0,
                            'M', 'T', 'r', 'k', static_cast<uint8_t>(n >> 24),
                            static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8),
                            static_cast<uint8_t>(n)};
  std::vector<uint8_t> smf(sizeof header + track.size());
  std::memcpy(smf.data(), header, sizeof header);
  std::memcpy(smf.data() + sizeof header, track.data(), track.size());
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
  // A 16-bit mono sound of `frames` frames at `rate` under the program's folder.
  void MakeSound(const std::string& name, uint32_t frames = 1000, uint32_t rate = 22050,
                 int16_t value = 1000) {
    WriteWav(Path(name), os::audio::PcmFormat(1, rate, 16), ConstantPcm16(1, frames, value));
  }
  static std::string LastBox() {
    const auto& boxes = os::headless::Boxes();
    return boxes.empty() ? std::string() : boxes.back().text;
  }
  static size_t BoxCount() { return os::headless::Boxes().size(); }

  bool start_sound_ = true;
  std::string dir_;
  std::string saved_exe_dir_;
};

}  // namespace sound_test
