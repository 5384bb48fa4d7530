#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/app_state.h"
#include "el/system/system_services.h"
#include "os/audio/audio.h"
#include "os/audio/midi.h"
#include "os/headless/headless.h"
#include "os/headless/headless_audio.h"
#include "os/path.h"
#include "os/surface.h"
#include "tests/support/test_support.h"
#include "tests/tools/assetgen_support.h"

namespace assetgen_test {
namespace {

using assetgen::AssetKind;
using assetgen::Catalogue;
using assetgen::CatalogueEntry;

class GeneratedFilesTest : public vantris_test::HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    Generated();
    saved_exe_dir_ = os::ExeDir();
    os::SetExeDir(Folder().string() + "/");
    ErrorFlag = 0;
  }
  void TearDown() override {
    os::SetExeDir(saved_exe_dir_);
    ErrorFlag = 0;
    HeadlessTest::TearDown();
  }
  static std::vector<const CatalogueEntry*> OfKind(AssetKind kind) {
    std::vector<const CatalogueEntry*> entries;
    for (const CatalogueEntry& e : Catalogue())
      if (e.kind == kind) entries.push_back(&e);
    return entries;
  }
  std::string saved_exe_dir_;
};

double Rms(const std::vector<uint8_t>& pcm16) {
  double sum = 0;
  for (size_t i = 0; i + 1 < pcm16.size(); i += 2) sum += std::pow(int16_t(pcm16[i] | pcm16[i + 1] << 8), 2);
  return std::sqrt(sum / static_cast<double>(std::max<size_t>(pcm16.size() / 2, 1)));
}

TEST_F(GeneratedFilesTest, EveryPictureLoadsWithoutAnErrorBoxAtItsCataloguedSizeAtLeast) {
  FullScreen = 1;
  ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
  os::headless::ClearBoxes();

  for (const CatalogueEntry* e : OfKind(AssetKind::kPicture)) {
    SCOPED_TRACE(e->path);
    const int32_t handle = elDraw::LoadObject(e->path.c_str(), 1);
    ASSERT_GE(handle, FirstFreeSprite);
    const SpriteObject& o = SpriteObjects[handle];
    ASSERT_NE(o.Surface, nullptr);
    EXPECT_GE(o.Width, e->width);
    EXPECT_GE(o.Height, e->height);
  }
  EXPECT_TRUE(os::headless::Boxes().empty()) << os::headless::Boxes().front().text;
  elDraw::Shutdown();
  EXPECT_EQ(os::LiveSurfaceCount(), 0);
}

TEST_F(GeneratedFilesTest, BothSoundsPlayAudiblyThroughTheSoundTableAndTheMix) {
  os::audio::SetOutputFormat(2, 44100, 16);
  ASSERT_EQ(elSound::Init(), 1);
  elSound::ClearSoundTable();
  for (const CatalogueEntry* e : OfKind(AssetKind::kSound)) {
    SCOPED_TRACE(e->path);
    const int32_t handle = elSound::LoadObject(e->path.c_str(), 1);
    ASSERT_GE(handle, 0);
    os::headless::StartAudioCapture();
    elSound::Play(handle, -1);
    os::headless::AdvanceMs(100);
    ASSERT_TRUE(os::headless::StopAudioCapture());
    EXPECT_GT(Rms(os::headless::CapturedAudio().data), 500.0);
  }
  EXPECT_TRUE(os::headless::Boxes().empty());
  elSound::ClearSoundTable();
  elSound::Release();
  SoundAvailable = 0;
}

TEST_F(GeneratedFilesTest, EveryPieceOpensThroughTheMusicCommandsAndSoundsInFluidSynth) {
  const auto pieces = OfKind(AssetKind::kMusic);
  os::audio::ResetMidi();
  elSound::InitMidi();
  for (const CatalogueEntry* e : pieces) {
    SCOPED_TRACE(e->path);
    elSound::PlayMidi(e->path.c_str(), 1);
    EXPECT_TRUE(os::headless::MidiPiecePlaying());
    elSound::StopMidi();
  }
  os::audio::ResetMidi();

  if (os::audio::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont here";
  constexpr uint32_t kRate = 22050;
  constexpr int kBlock = 525;  // 42 blocks make the first second
  for (const CatalogueEntry* e : pieces) {
    SCOPED_TRACE(e->path);
    auto sequencer = os::audio::MakeFluidSequencer(kRate);
    ASSERT_NE(sequencer, nullptr);
    os::audio::SmfPiece piece;
    std::string why;
    ASSERT_TRUE(os::audio::ReadSmf(ReadFile(Folder() / e->path), &piece, &why)) << why;
    ASSERT_TRUE(sequencer->Load(piece));
    sequencer->Start();
    std::vector<float> mix(2 * kBlock);
    int loud_blocks = 0;
    double total = 0, peak = 0;
    for (int block = 0; block < 42; ++block) {
      std::fill(mix.begin(), mix.end(), 0.0f);
      sequencer->Render(mix.data(), kBlock, kRate);
      double energy = 0;
      for (float v : mix) {
        energy += double{v} * v;
        peak = std::max(peak, std::fabs(double{v}));
      }
      total += energy;
      loud_blocks += std::sqrt(energy / mix.size()) > 0.005;
    }
    EXPECT_GE(loud_blocks, 30);  // sound through most of the first second
    // Heard beside the effects (they lie near -24 dBFS RMS; at FluidSynth's
    // own gain most pieces lay under -30), and never near full scale.
    const double rms_dbfs = 10 * std::log10(total / (42.0 * mix.size()));
    EXPECT_GT(rms_dbfs, -30.0);
    EXPECT_LT(rms_dbfs, -16.0);
    EXPECT_LT(20 * std::log10(peak), -3.0);
    EXPECT_FALSE(sequencer->Ended());  // each piece lasts about a minute
    sequencer->Unload();
  }
}

}  // namespace
}  // namespace assetgen_test
