// The title, the mode screen and the ship-select screen, and the scene change
// that every scene uses.
#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"

int32_t TitleCounter = 0;

void ResetPlayOptions() {
  BackgroundOff = 0;
  MouseControl = 0;
  KeyboardControl = 1;
  BlendExplosions = 1;
  ShipType = 0;
  NoDeath = 0;
}

void ChangeScene(int32_t scene, int32_t pattern, int32_t band) {
  TransitionPattern = pattern;
  TransitionBand = band;
  elDraw::CaptureScreen(1, 0, 0, ScreenWidth, ScreenHeight);
  SceneNumber = scene;
  PrevScene = 0;
  TransitionStep = band;
  TransitionDir = -1;
}

namespace {

// One front-end frame ends with the present and a 20 ms rest.
void PresentFrontEnd() {
  elDraw::SetVSync(1);
  elDraw::Flip();
  os::SleepMs(20);
}

// The ship sheet goes into one slot: the sheet of an earlier entry is given
// back first, so entering the screen again and again never fills the table.
void LoadShipSheet(const char* file) {
  if (ImgMyme > 0) elDraw::ReleaseObject(ImgMyme);
  ImgMyme = elDraw::LoadObject(file, 1);
}

// The set-up shared by both levels of the mode screen.
void StartStageOne(int32_t level) {
  ResetObjectTablesA();
  ResetObjectTablesB();
  StartNewGame();
  GameLevel = level;
  ChangeScene(SceneStage1, JitteredRowsTransition, FrontEndBand);
}

}  // namespace

void TitleScene() {
  if (SceneEntered == 1) {
    TitleCounter = 0;
    ResetPlayOptions();
  }
  elDraw::ClearScreen();
  TitleCounter += 1;
  if (TitleCounter <= 460) {
    elDraw::DrawObject(160, 60, ImgTitlec, 0, 0, 480, 480);
  } else {
    TitleCounter = 0;
  }
  PresentFrontEnd();

  if (LastKey == os::KeyReturn) {
    StartNewGame();
    ResetObjectTablesA();
    ResetObjectTablesB();
    GameMode = 1;
    GameSubMode = 0;
    BackgroundOff = 0;
    ChangeScene(SceneModeSelect, JitteredRowsTransition, FrontEndBand);
    LastKey = 0;
  }
}

void ModeSelectScene() {
  if (SceneEntered == 1) {
    LoadShipSheet("IMAGE/MYME1.BMP");
    ShipType = 1;
  }
  elDraw::ClearScreen();
  elDraw::DrawObject(80, 60, ImgLevel1, 0, 0, 640, 480);
  PresentFrontEnd();

  if (LastKey == os::KeyF1) StartStageOne(1);
  if (LastKey == os::KeyF2) StartStageOne(3);
  if (LastKey == os::KeySpace) {
    BackgroundOff = 1;
    LastKey = 0;
  }
  if (LastKey == 'M') {
    MouseControl = 1;
    KeyboardControl = 0;
    LastKey = 0;
  }
  if (LastKey == 'K') {
    MouseControl = 0;
    KeyboardControl = 1;
    LastKey = 0;
  }
  if (LastKey == 'O') {
    NoDeath = 1;
    LastKey = 0;
  }
}

void ShipSelectScene() {
  elDraw::ClearScreen();
  elDraw::DrawObject(180, 60, ImgLevel0, 0, 0, 440, 480);
  PresentFrontEnd();

  if (LastKey == os::KeyF5) {
    LoadShipSheet("MYME1.BMP");
    ShipType = 1;
    ChangeScene(SceneModeSelect, RowsTransition, FrontEndBand);
  }
  if (LastKey == os::KeyF6) {
    LoadShipSheet("MYME2.BMP");
    ShipType = 2;
    ChangeScene(SceneModeSelect, RowsTransition, FrontEndBand);
  }
}
