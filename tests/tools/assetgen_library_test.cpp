// The generated files through the game's own library on the headless backend:
// every picture through the picture loader, the two sounds through the sound
// table and the mix, every piece of music through the music commands and
// through FluidSynth.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

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

// The headless machine with the program's folder on one generation run.
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
  const size_t samples = pcm16.size() / 2;
  for (size_t i = 0; i < samples; ++i) {
    const double v = static_cast<int16_t>(pcm16[2 * i] | (pcm16[2 * i + 1] << 8));
    sum += v * v;
  }
  return std::sqrt(sum / static_cast<double>(std::max<size_t>(samples, 1)));
}

TEST_F(GeneratedFilesTest, EveryPictureLoadsWithoutAnErrorBoxAtItsCataloguedSizeAtLeast) {
  FullScreen = 1;
  WindowX = WindowY = 0;
  CursorClipOption = 0;
  ASSERT_EQ(elDraw::Screen(800, 600, 2), 1);
  os::headless::ClearBoxes();

  const auto pictures = OfKind(AssetKind::kPicture);
  ASSERT_GT(pictures.size(), 150u);
  std::set<int32_t> handles;
  for (const CatalogueEntry* e : pictures) {
    SCOPED_TRACE(e->path);
    const int32_t handle = elDraw::LoadObject(e->path.c_str(), 1);
    ASSERT_GE(handle, FirstFreeSprite);
    ASSERT_LT(handle, SpriteObjectCount);
    EXPECT_TRUE(handles.insert(handle).second);
    const SpriteObject& o = SpriteObjects[handle];
    ASSERT_NE(o.Surface, nullptr);
    EXPECT_GE(o.Width, e->width);
    EXPECT_GE(o.Height, e->height);
  }
  EXPECT_TRUE(os::headless::Boxes().empty()) << os::headless::Boxes().front().text;
  EXPECT_EQ(ErrorFlag, 0u);
  elDraw::Shutdown();
  EXPECT_EQ(os::LiveSurfaceCount(), 0);
}

TEST_F(GeneratedFilesTest, BothSoundsPlayAudiblyThroughTheSoundTableAndTheMix) {
  os::audio::SetOutputFormat(2, 44100, 16);
  ASSERT_EQ(elSound::Init(), 1);
  elSound::ClearSoundTable();
  const auto sounds = OfKind(AssetKind::kSound);
  ASSERT_EQ(sounds.size(), 2u);
  for (const CatalogueEntry* e : sounds) {
    SCOPED_TRACE(e->path);
    const int32_t handle = elSound::LoadObject(e->path.c_str(), 1);
    ASSERT_GE(handle, 0);
    os::headless::StartAudioCapture();
    os::headless::AdvanceMs(10);
    const double before = Rms(os::headless::CapturedAudio().data);
    elSound::Play(handle, -1);
    os::headless::AdvanceMs(100);
    ASSERT_TRUE(os::headless::StopAudioCapture());
    EXPECT_EQ(before, 0.0);  // nothing sounds until the play
    EXPECT_GT(Rms(os::headless::CapturedAudio().data), 500.0);
  }
  EXPECT_TRUE(os::headless::Boxes().empty());
  elSound::ClearSoundTable();
  elSound::Release();
  SoundAvailable = 0;
}

TEST_F(GeneratedFilesTest, EveryPieceOpensThroughTheMusicCommandsAndSoundsInFluidSynth) {
  const auto pieces = OfKind(AssetKind::kMusic);
  ASSERT_EQ(pieces.size(), 8u);
  os::audio::ResetMidi();
  elSound::InitMidi();
  for (const CatalogueEntry* e : pieces) {
    SCOPED_TRACE(e->path);
    const std::vector<uint8_t> bytes = ReadFile(Folder() / e->path);
    elSound::PlayMidi(e->path.c_str(), 1);
    EXPECT_TRUE(os::headless::MidiPiecePlaying());
    EXPECT_EQ(os::headless::MidiPieceBytes(), bytes.size());
    elSound::StopMidi();
    EXPECT_FALSE(os::headless::MidiPiecePlaying());
  }
  os::audio::ResetMidi();

  if (os::audio::FindSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont here";
  constexpr uint32_t kRate = 22050;
  constexpr int kBlock = 525;  // 42 blocks make the first second
  for (const CatalogueEntry* e : pieces) {
    SCOPED_TRACE(e->path);
    auto sequencer = os::audio::MakeFluidSequencer(kRate);
    ASSERT_NE(sequencer, nullptr);
    ASSERT_TRUE(sequencer->Load(ReadFile(Folder() / e->path)));
    sequencer->Start();
    std::vector<float> mix(2 * kBlock);
    double energy = 0;
    int loud_blocks = 0;
    for (int block = 0; block < 42; ++block) {
      std::fill(mix.begin(), mix.end(), 0.0f);
      sequencer->Render(mix.data(), kBlock, kRate);
      double block_energy = 0;
      for (float v : mix) block_energy += double{v} * v;
      energy += block_energy;
      if (std::sqrt(block_energy / mix.size()) > 0.005) ++loud_blocks;
    }
    // Sound from the start and through most of the second, not one blip.
    EXPECT_GT(std::sqrt(energy / (42.0 * mix.size())), 0.01);
    EXPECT_GE(loud_blocks, 30);
    EXPECT_FALSE(sequencer->Ended());  // each piece lasts about a minute
    sequencer->Unload();
  }
}

}  // namespace
}  // namespace assetgen_test
