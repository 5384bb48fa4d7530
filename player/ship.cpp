// The ship: keys, bank, movement and draw.
#include "player/ship.h"

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/record_resets.h"
#include "os/keys.h"
#include "player/death.h"
#include "player/shots.h"
#include "shell/assets.h"
#include "shell/background.h"
#include "shell/game_state.h"

EdgeState ShipKeyLeft = EdgeUp, ShipKeyRight = EdgeUp, ShipKeyUp = EdgeUp, ShipKeyDown = EdgeUp;
EdgeState ShipKeyC = EdgeUp, ShipKeyV = EdgeUp, ShipKeyB = EdgeUp;

ShipIntroRecord ShipIntroRecords[2];

namespace {

constexpr int32_t kShipWidth = 60;
constexpr int32_t kShipHeight = 70;
constexpr int32_t kBankLevel = 3;
constexpr int32_t kBankMax = 6;

// Arrow speed of the ship type in px/s; other types do not move by keys.
float ShipSpeed() {
  switch (ShipType) {
    case 1: return 160.0f;
    case 2: return 200.0f;
    default: return 0.0f;
  }
}

void DrawShip() {
  elDraw::DrawObject(static_cast<int32_t>(PlayerX), static_cast<int32_t>(PlayerY), ImgMyme,
                     PlayerBank * kShipWidth, 0, PlayerBank * kShipWidth + kShipWidth,
                     kShipHeight);
}

}  // namespace

void ReadPlayerKeys() {
  elSystem::GetKeyEdgeState(os::KeyLeft, &ShipKeyLeft);
  elSystem::GetKeyEdgeState(os::KeyRight, &ShipKeyRight);
  elSystem::GetKeyEdgeState(os::KeyUp, &ShipKeyUp);
  elSystem::GetKeyEdgeState(os::KeyDown, &ShipKeyDown);
  elSystem::GetKeyEdgeState('C', &ShipKeyC);
  elSystem::GetKeyEdgeState('V', &ShipKeyV);
  elSystem::GetKeyEdgeState('B', &ShipKeyB);
  if (GameOver) {
    ShipKeyLeft = ShipKeyRight = ShipKeyUp = ShipKeyDown = EdgeUp;
    ShipKeyC = ShipKeyV = ShipKeyB = EdgeUp;
  }

  const float speed = ShipSpeed();
  // Right is read after Left, so with both held the ship goes right.
  if (ShipKeyLeft == EdgeHeld) {
    PlayerBankDir = +1;
    PlayerDX = -speed;
    SetBackgroundDrift(+1);
  }
  if (ShipKeyRight == EdgeHeld) {
    PlayerBankDir = -1;
    PlayerDX = speed;
    SetBackgroundDrift(-1);
  }
  if (ShipKeyUp == EdgeHeld) PlayerDY = -speed;
  if (ShipKeyDown == EdgeHeld) PlayerDY = speed;

  if (BombSalvoActive == 0 && (ShipKeyB == EdgeHeld || LeftDoubleClick)) {
    BombWave = 0;
    LaserAReady = 0;
    LaserBReady = 0;
    BombRingCounter = 0;
    BombSalvoActive = 1;
    BombSalvoCounter = 0;
  }
  if (LaserAReady == 1 && ShipKeyC == EdgeHeld && ShipType == 1) PlayerLaserASchedule();
  if (LaserBReady == 1 && ShipKeyV == EdgeHeld && ShipType == 1) PlayerLaserBSchedule();
}

void PlayerMove() {
  PlayerBank += PlayerBankDir;
  if (PlayerBank < 0) PlayerBank = 0;
  if (PlayerBank > kBankMax) PlayerBank = kBankMax;
  if (PlayerBank == kBankLevel) PlayerBankDir = 0;

  PlayerDX = 0.0f;
  PlayerDY = 0.0f;
  ReadPlayerKeys();

  PlayerX += PlayerDX * FrameTime;
  if (PlayerX < ShipMinX) PlayerX = ShipMinX;
  if (PlayerX > ShipMaxX) PlayerX = ShipMaxX;
  PlayerY += PlayerDY * FrameTime;
  if (PlayerY < ShipMinY) PlayerY = ShipMinY;
  if (PlayerY > ShipMaxY) PlayerY = ShipMaxY;

  // At rest at a full bank the bank turns back toward level.
  if (PlayerDX == 0.0f && PlayerDY == 0.0f && (PlayerBank == 0 || PlayerBank == kBankMax)) {
    PlayerBankDir = -PlayerBankDir;
  }
}

void PlayerUpdate() {
  if (KeyboardControl == 1) DrawShip();
  if (MouseControl == 1) {
    DrawShip();
    PlayerX = static_cast<float>(MouseX - 30);
    PlayerY = static_cast<float>(MouseY - 30);
  }
  // Respawn protection, or a frame of the death explosion.
  PlayerLifeUpdate();
}

void ShipIntroFlyIn() {
  struct Intro {
    int32_t width, height;
    float x;
  };
  static const Intro kIntros[2] = {{440, 380, 100.0f}, {480, 390, 80.0f}};
  if (ShipType != 1 && ShipType != 2) return;
  ShipIntroRecord& r = ShipIntroRecords[ShipType - 1];
  const Intro& intro = kIntros[ShipType - 1];
  if (r.done) return;
  elDraw::DrawObject(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y), ImgShipIntro, 0, 0,
                     intro.width, intro.height);
  r.counter += 1;
  if (r.counter < 11) {
    r.x = intro.x;
    r.y = 480.0f;
  } else {
    r.x = intro.x;
    r.y -= 160.0f * FrameTime;
  }
  if (r.counter >= 180) r.y -= 400.0f * FrameTime;
  if (r.y < 50.0f) {
    PlayerX = 290.0f;
    PlayerY = 210.0f;
  }
  if (r.y < -380.0f) {
    r.x = r.y = -500.0f;
    r.counter = 0;
    r.done = 1;
  }
}

void ResetShipIntro() {
  for (ShipIntroRecord& r : ShipIntroRecords) r = {0, 0, ParkX, ParkY};
}
