// A headless machine with the 800 x 600 screen, the playfield clip, one
// solid-coloured stand-in picture per handle the ship, its shots, the
// power-up and the starfield draw, and both sounds loaded, so that tests can
// drive those functions directly and read the back buffer.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/audio/audio.h"
#include "os/audio/mixer.h"
#include "os/audio/wave.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/surface.h"
#include "player/powerup.h"
#include "player/ship.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"
#include "tests/support/test_support.h"

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

class PlayerTest : public vantris_test::PlayfieldTest {
 protected:
  void SetUp() override {
    PlayfieldTest::SetUp();
    for (const Picture& p : Pictures()) {
      *p.handle = Sprite(p.width, p.height, [&](int, int) { return p.colour; });
    }
    ImgMyme = Sprite(420, 70, [](int x, int) { return ShipColour(x / 60); });

    dir_ = vantris_test::MakeTempDir("exe");
    saved_exe_dir_ = os::ExeDir();
    os::SetExeDir(dir_);
    std::filesystem::create_directories(dir_ + "SOUND");
    const std::vector<uint8_t> pcm(22050 * 2, 0x10);  // a second of quiet sound
    for (const char* name : {"SOUND/SHOT.WAV", "SOUND/BOM.WAV"}) {
      const std::vector<uint8_t> file =
          os::audio::EncodeWave(os::audio::PcmFormat(1, 22050, 16), pcm);
      FILE* f = std::fopen((dir_ + name).c_str(), "wb");
      ASSERT_NE(f, nullptr);
      std::fwrite(file.data(), 1, file.size(), f);
      std::fclose(f);
    }
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
    TransitionStep = 0;
    LeftDoubleClick = 0;
    MouseX = MouseY = 0;
    GameOver = 0;
    PlayerAlive = 1;
    RespawnFlag = 0;
    ShipType = 1;
    GameLevel = 1;
    KeyboardControl = 1;
    MouseControl = 0;
    PlayerX = 370.0f;
    PlayerY = 400.0f;
    PlayerDX = PlayerDY = 0.0f;
    PlayerBank = 3;
    PlayerBankDir = 0;
    BombWave = BombSalvoActive = 0;
    BombSalvoCounter = BombRingCounter = 0;
    LaserACounter = LaserBCounter = 0;
    LaserAFlash = LaserBFlash = 0;
    LaserAReady = LaserBReady = 1;
    BombStock = 5;
    PowerUpNewGame();
    ResetShipRays();
    ResetLaserASegments();
    ResetLaserBSegments();
    ScrollPos = 0.0f;
    FrameTime = 1.0f / 60.0f;
    elDraw::ClearScreen();
  }

  static int CountNonBlack() { return 800 * 600 - CountBack(0); }

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

  std::string dir_;
  std::string saved_exe_dir_;
};

}  // namespace player_test
