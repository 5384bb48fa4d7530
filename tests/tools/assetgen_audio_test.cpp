#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "os/audio/mixer.h"
#include "tests/support/mixer_buffer.h"
#include "tools/assetgen/midi.h"
#include "tools/assetgen/wav.h"

namespace {

using namespace os::audio;

TEST(AssetgenMidi, EventsAfterTheEndAreRefused) {
  assetgen::MidiTrack t;
  t.Note(0, 480, 0, 60, 100);
  EXPECT_THROW(t.EncodeEvents(240), std::runtime_error);
  EXPECT_NO_THROW(assetgen::EncodeMidiFile(t, 480, 480));
}

double Dbfs(double level) { return 20 * std::log10(level / 32768.0); }

struct Levels {
  double peak = 0;
  double rms = 0;
};

template <typename Sample>
Levels LevelsOf(const std::vector<Sample>& samples) {
  Levels l;
  double sum = 0;
  for (Sample s : samples) {
    l.peak = std::max(l.peak, std::fabs(static_cast<double>(s)));
    sum += static_cast<double>(s) * s;
  }
  l.rms = std::sqrt(sum / static_cast<double>(std::max<size_t>(samples.size(), 1)));
  return l;
}

// A mixer at the sounds' own rate (every sample reaches the output as it
// is) holding the shot and `booms` explosions.
struct EffectsMix {
  explicit EffectsMix(int booms) {
    mixer.SetOutput(OutputFormat{2, assetgen::kSampleRate, 16});
    shot = Make(assetgen::SynthShot(assetgen::kSampleRate));
    for (int i = 0; i < booms; ++i) this->booms.push_back(Make(assetgen::SynthBoom(assetgen::kSampleRate)));
  }
  Buffer* Make(const std::vector<int16_t>& samples) {
    return vantris_test::Buffer16(mixer, samples, 1, assetgen::kSampleRate);
  }
  std::vector<int16_t> Render(int frames) {
    std::vector<int16_t> out(2 * static_cast<size_t>(frames));
    mixer.Render(out.data(), frames);
    return out;
  }
  Mixer mixer;
  Buffer* shot = nullptr;
  std::vector<Buffer*> booms;
};

// The stand-in effects peak at their set levels, low enough that the game's
// loudest moment, its one shot and its one explosion sounding together at
// full volume (each has a single buffer), stays 3.5 dB under full scale
// wherever the shot starts in the explosion: the music adds on top without
// reaching the output's knee but for rare peaks.  Ten explosions started
// together (a sound's most duplicates) with a shot never reach full scale
// at the output; one explosion alone passes through unchanged.
TEST(AssetgenSounds, TheEffectsPeakLowEnoughForTheMusicAndManyExplosionsNeverClip) {
  const std::vector<int16_t> shot = assetgen::SynthShot(assetgen::kSampleRate);
  const std::vector<int16_t> boom = assetgen::SynthBoom(assetgen::kSampleRate);
  const Levels shot_levels = LevelsOf(shot), boom_levels = LevelsOf(boom);
  EXPECT_NEAR(Dbfs(shot_levels.peak), assetgen::kShotPeakDbfs, 0.01);
  EXPECT_NEAR(Dbfs(boom_levels.peak), assetgen::kBoomPeakDbfs, 0.01);
  EXPECT_NEAR(Dbfs(shot_levels.rms), -24, 1.5) << "the shot's RMS";
  EXPECT_NEAR(Dbfs(boom_levels.rms), -26.5, 1.5) << "the explosion's RMS";

  double loudest = 0;
  const int boom_frames = static_cast<int>(boom.size());
  for (int offset = 0; offset < boom_frames; offset += assetgen::kSampleRate / 1000) {
    EffectsMix mix(1);
    mix.mixer.Play(mix.booms[0], false);
    mix.Render(offset);
    mix.mixer.Play(mix.shot, false);
    loudest = std::max(loudest, LevelsOf(mix.Render(static_cast<int>(shot.size()))).peak);
  }
  EXPECT_LT(Dbfs(loudest), -3.5);

  EffectsMix alone(1);
  alone.mixer.Play(alone.booms[0], false);
  const std::vector<int16_t> out = alone.Render(boom_frames);
  for (int i = 0; i < boom_frames; ++i) ASSERT_EQ(out[2 * i], boom[i]) << i;

  EffectsMix many(10);
  for (Buffer* b : many.booms) many.mixer.Play(b, false);
  many.mixer.Play(many.shot, false);
  const Levels many_levels = LevelsOf(many.Render(boom_frames));
  EXPECT_GT(many_levels.peak, 32000) << "ten explosions pass the knee";
  EXPECT_LT(many_levels.peak, 32767);
}

}  // namespace
