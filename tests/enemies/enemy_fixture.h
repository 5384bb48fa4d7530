// The playfield with stand-in pictures for every handle the enemy engines
// draw (each cell of a strip in its own colour), SndBom loaded, the tables
// reset and frames of 1/60 s.
#pragma once
#include <cstdint>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"
#include "os/audio/audio.h"
#include "os/audio/mixer.h"
#include "os/path.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "tests/support/game_harness.h"

namespace enemy_test {

struct Picture {
  int32_t* handle;
  int32_t cell_w, cell_h, cells;
};

inline std::vector<Picture> Pictures() {
  return {
      {&ImgSzak10, 70, 80, 1},   {&ImgZfire1, 20, 70, 20},  {&ImgZbak3b, 80, 80, 10},
      {&ImgZbak2b, 80, 80, 8},   {&ImgRock1, 60, 60, 1},    {&ImgVall3015, 30, 30, 1},
      {&ImgVall3016, 30, 30, 1}, {&ImgVal15l, 15, 30, 1},   {&ImgVal1, 16, 16, 16},
      {&ImgVal201, 20, 20, 7},   {&ImgVall302, 30, 30, 1},
  };
}

// The colour of cell c of the picture with index p in Pictures().
inline uint16_t CellColour(int p, int c) { return static_cast<uint16_t>(0x0841 * (p + 1) + c); }

class EnemyTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    const std::vector<Picture> pictures = Pictures();
    for (size_t p = 0; p < pictures.size(); ++p) {
      const Picture& pic = pictures[p];
      *pic.handle = Sprite(pic.cell_w * pic.cells, pic.cell_h, [&](int x, int) {
        return CellColour(static_cast<int>(p), x / pic.cell_w);
      });
    }
    saved_exe_dir_ = os::ExeDir();
    os::SetExeDir(vantris_test::AssetDir() + "/");
    os::audio::SetOutputFormat(2, 44100, 16);
    elSound::Init();
    elSound::ClearSoundTable();
    SndBom = elSound::LoadObject("SOUND/BOM.WAV", 1);
    ASSERT_GE(SndBom, 0);

    ResetObjectTablesA();
    ResetObjectTablesB();
    os::SeedRandom(1);
    FrameTime = 1.0f / 60.0f;
    PlayerX = 370.0f;
    PlayerY = 400.0f;
    PlayerAlive = 1;
    BombWave = 0;
    BlendExplosions = 1;
    elDraw::ClearScreen();
  }

  void TearDown() override {
    elSound::ClearSoundTable();
    elSound::Release();
    SoundAvailable = 0;
    os::SetExeDir(saved_exe_dir_);
    for (const Picture& p : Pictures()) *p.handle = 0;
    SndBom = 0;
    PlayfieldTest::TearDown();
  }

  // Runs `call` with SndBom stopped first; true when it started the sound.
  template <typename F>
  static bool SoundsBom(F&& call) {
    elSound::Stop(SndBom, -1);
    call();
    os::audio::Buffer* b = SoundBufferTable[SndBom].Buffers[0];
    return b && (os::audio::MainMixer().Status(b) & os::audio::StatusPlaying);
  }

  // Pixels of the back buffer that are not black inside the playfield.
  static int LitPlayfield() {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 180; x < 620; ++x) n += Back(x, y) != 0;
    return n;
  }

  std::string saved_exe_dir_;
};

}  // namespace enemy_test
