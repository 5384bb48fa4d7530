// The playfield with a solid stand-in picture per handle the player's code
// draws and both sounds loaded; HomingTest adds scoring and a 1/60 s frame.
#pragma once
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "os/audio/audio.h"
#include "os/audio/mixer.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/surface.h"
#include "player/boss_lock.h"
#include "player/hit_pass.h"
#include "player/homing_common.h"
#include "player/homing_lasers.h"
#include "player/homing_missiles.h"
#include "player/homing_storage.h"
#include "player/homing_weapons.h"
#include "player/lockon.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "stages/stage_resets.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"
#include "tests/support/game_harness.h"

namespace player_test {

struct Picture {
  int32_t* handle;
  int32_t width, height;
  uint16_t colour;  // every pixel
};

// The pictures with a colour each (distinct, non-black).
inline std::vector<Picture> Pictures() {
  return {
      {&ImgRay1, 30, 30, 0x0801},     {&ImgRay2, 20, 20, 0x0802},
      {&ImgFlhst, 70, 36, 0x0803},    {&ImgFlhst2, 70, 36, 0x0804},
      {&ImgFlhst3, 70, 36, 0x0805},   {&ImgSflh1, 60, 60, 0x0806},
      {&ImgSflh2, 60, 60, 0x0807},    {&ImgSflh3, 60, 60, 0x0808},
      {&ImgSflh11, 60, 60, 0x0809},   {&ImgSflh22, 60, 60, 0x080A},
      {&ImgSflh33, 60, 60, 0x080B},   {&ImgFlw1_3, 120, 60, 0x080C},
      {&ImgFlw2_1, 60, 60, 0x080D},   {&ImgFlw3_2, 60, 60, 0x080E},
      {&ImgSpower1, 60, 60, 0x080F},  {&ImgMymy, 224, 80, 0x0810},
      {&ImgBback1s, 440, 480, 0x0811}, {&ImgBback2s, 440, 480, 0x0812},
      {&ImgBback6s, 640, 480, 0x0813},
  };
}

// The ship sheet: seven 60 x 70 cells, cell c filled with ShipColour(c).
inline uint16_t ShipColour(int cell) { return static_cast<uint16_t>(0x1000 + cell); }

// The ship's top-left corner is at (x, y).
inline ::testing::AssertionResult ShipAt(float x, float y) {
  if (PlayerX == x && PlayerY == y) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the ship is at (" << PlayerX << ", " << PlayerY << ")";
}

// A record's (x, y), to compare a position in one step.
using XY = std::pair<float, float>;
template <typename R>
XY Pos(const R& r) {
  return {static_cast<float>(r.x), static_cast<float>(r.y)};
}

// The least and the greatest of the values seen.
struct Range {
  float lo = 1e30f, hi = -1e30f;
  void Add(float v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool In(float l, float h) const { return lo >= l && hi <= h; }
  bool operator==(const Range&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const Range& r) {
    return out << r.lo << ".." << r.hi;
  }
};

class PlayerTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    for (const Picture& p : Pictures()) {
      *p.handle = Sprite(p.width, p.height, [&](int, int) { return p.colour; });
    }
    ImgMyme = Sprite(420, 70, [](int x, int) { return ShipColour(x / 60); });

    saved_exe_dir_ = os::ExeDir();
    os::SetExeDir(vantris_test::AssetDir() + "/");  // the stand-in sounds
    os::audio::SetOutputFormat(2, 44100, 16);
    elSound::Init();
    elSound::ClearSoundTable();
    SndShot = elSound::LoadObject("SOUND/SHOT.WAV", 1);
    SndBom = elSound::LoadObject("SOUND/BOM.WAV", 1);
    ASSERT_GE(SndShot, 0);
    ASSERT_GE(SndBom, 0);

    ResetPlayerState();
  }

  void TearDown() override {
    elSound::ClearSoundTable();
    elSound::Release();
    SoundAvailable = 0;
    os::SetExeDir(saved_exe_dir_);
    for (const Picture& p : Pictures()) *p.handle = 0;
    ImgMyme = SndShot = SndBom = 0;
    PlayfieldTest::TearDown();
  }

  // The ship's and the weapons' state as a fresh stage finds it.
  static void ResetPlayerState() {
    ShipKeyLeft = ShipKeyRight = ShipKeyUp = ShipKeyDown = EdgeUp;
    ShipKeyC = ShipKeyV = ShipKeyB = EdgeUp;
    TransitionStep = MouseX = MouseY = 0;
    LeftDoubleClick = GameOver = RespawnFlag = 0;
    PlayerAlive = 1;
    ShipType = GameLevel = 1;
    KeyboardControl = LaserAReady = LaserBReady = 1;
    MouseControl = BombWave = BombSalvoActive = LaserAFlash = LaserBFlash = 0;
    PlayerX = 370.0f;
    PlayerY = 400.0f;
    PlayerDX = PlayerDY = 0.0f;
    PlayerBank = 3;
    PlayerBankDir = BombSalvoCounter = BombRingCounter = LaserACounter = LaserBCounter = 0;
    BombStock = 5;
    PowerUpNewGame();
    ResetShipRays();
    ResetLaserASegments();
    ResetLaserBSegments();
    ScrollPos = 0.0f;
    FrameTime = 1.0f / 60.0f;
    elDraw::ClearScreen();
  }

  // Sets the key's state for the next edge reading (no message).
  static void Hold(int key, bool down) { os::headless::SetKeyState(key, down); }

  static bool Playing(int32_t sound) {
    os::audio::Buffer* b = SoundBufferTable[sound].Buffers[0];
    return b && (os::audio::MainMixer().Status(b) & os::audio::StatusPlaying);
  }
  static void StopSounds() {
    elSound::Stop(SndShot, -1);
    elSound::Stop(SndBom, -1);
  }

  std::string saved_exe_dir_;
};

class HomingTest : public PlayerTest {
 protected:
  void SetUp() override {
    PlayerTest::SetUp();
    ImgRay10 = Sprite(20, 20, [](int, int) { return uint16_t{0x2001}; });
    ImgFlz01_l = Sprite(20, 60, [](int, int) { return uint16_t{0x2002}; });
    vantris_test::ResetForScoring();
    os::SeedRandom(1);
    HighScore = 500;
    elDraw::ClearScreen();
  }
  void TearDown() override {
    ImgRay10 = ImgFlz01_l = 0;
    PlayerTest::TearDown();
  }
};

}  // namespace player_test
