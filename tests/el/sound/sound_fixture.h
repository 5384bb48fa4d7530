#pragma once
#include <algorithm>
#include <cstdlib>
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
#include "tests/support/stderr_capture.h"
#include "tests/support/test_support.h"
#include "tests/support/wave_kinds.h"

namespace sound_test {

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(vantris_test::WriteBytes(path, bytes)) << path;
}

// One note of `ticks` (below 16384) at 480 per quarter note.
inline std::vector<uint8_t> TinyMidi(uint32_t ticks = 480) {
  const std::vector<uint8_t> track = {
      0x00, 0xC0, 0x00, 0x00, 0x90, 0x3C, 0x64, uint8_t(0x80 | ticks >> 7), uint8_t(ticks & 0x7F),
      0x80, 0x3C, 0x40, 0x00, 0xFF, 0x2F, 0x00};
  std::vector<uint8_t> smf = {'M', 'T', 'h', 'd', 0,   0,   0,   6,   0, 0, 0,
                              1,   1,   0xE0, 'M', 'T', 'r', 'k', 0, 0, 0, uint8_t(track.size())};
  os::audio::AppendBytes(smf, track.data(), track.size());
  return smf;
}

// The output's 16-bit samples while `run` advances the virtual clock.
template <typename Run>
std::vector<int16_t> CaptureMix(Run&& run) {
  os::headless::StartAudioCapture();
  run();
  EXPECT_TRUE(os::headless::StopAudioCapture());
  const std::vector<uint8_t> bytes = os::headless::CapturedAudio().data;
  std::vector<int16_t> samples(bytes.size() / 2);
  for (size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<int16_t>(os::audio::ReadLe16(bytes.data() + 2 * i));
  return samples;
}

// The largest difference between two mixes, sample by sample (a length
// that differs counts as 65536); the loudest sample of `a` in *peak.
inline int MixDifference(const std::vector<int16_t>& a, const std::vector<int16_t>& b, int* peak) {
  *peak = 0;
  if (a.size() != b.size()) return 65536;
  int most = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    most = std::max(most, std::abs(a[i] - b[i]));
    *peak = std::max(*peak, std::abs(int{a[i]}));
  }
  return most;
}

// The error box lines that `call` writes to stderr.
template <typename Call>
std::string ErrorLines(Call&& call) {
  os::headless::SetQuiet(false);
  vantris_test::StderrCapture capture;
  call();
  os::headless::SetQuiet(true);
  return capture.Finish();
}

// The sound module started over a fresh program folder, the music closed.
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
  // A 16-bit mono sound, every sample 1000.
  void MakeSound(const std::string& name, uint32_t frames = 1000) {
    std::vector<uint8_t> pcm;
    for (uint32_t i = 0; i < frames; ++i) pcm.insert(pcm.end(), {0xE8, 0x03});
    WriteFile(Path(name), os::audio::EncodeWave(os::audio::PcmFormat(1, 22050, 16), pcm));
  }
  static std::string Entry(int32_t h) {
    const SoundEntry& e = SoundBufferTable[h];
    return e.Name + ": use " + std::to_string(e.InUse) + " mix " + std::to_string(e.MixCount) +
           " echo " + std::to_string(e.EchoCount) + " base " + std::to_string(e.BaseFrequency) +
           " freq " + std::to_string(e.Frequency[0]) + " pack " + std::to_string(e.FromPack);
  }
  static size_t BoxCount() { return os::headless::Boxes().size(); }
  // A call's result followed by the messages reported since the last one.
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
