// The player's fixture (playfield, sounds, the ship at (370, 400), frames of
// 1/60 s) with stand-in pictures for every handle the enemy engines draw,
// each cell of a strip in its own colour, and the tables reset.
#pragma once
#include <cstdint>
#include <vector>

#include "enemies/kind_tables.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"
#include "shell/object_resets.h"
#include "tests/player/player_fixture.h"

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

class EnemyTest : public player_test::PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    const std::vector<Picture> pictures = Pictures();
    for (size_t p = 0; p < pictures.size(); ++p) {
      const Picture& pic = pictures[p];
      *pic.handle = Sprite(pic.cell_w * pic.cells, pic.cell_h, [&](int x, int) {
        return CellColour(static_cast<int>(p), x / pic.cell_w);
      });
    }
    ResetObjectTablesA();
    ResetObjectTablesB();
    ResetPlayerState();
    os::SeedRandom(1);
    BlendExplosions = 1;
  }

  void TearDown() override {
    for (const Picture& p : Pictures()) *p.handle = 0;
    PlayerTest::TearDown();
  }

  // Runs `call` with SndBom stopped first; true when it started the sound.
  template <typename F>
  static bool SoundsBom(F&& call) {
    StopSounds();
    call();
    return Playing(SndBom);
  }

  // Pixels of the back buffer that are not black inside the playfield.
  static int LitPlayfield() {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 180; x < 620; ++x) n += Back(x, y) != 0;
    return n;
  }
};

}  // namespace enemy_test
