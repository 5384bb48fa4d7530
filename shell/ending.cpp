// The ending scene: a timeline on the scroll position at 18 pixels per
// second.  The closing message over the starfield while the ship can still
// fly and fire, three pictures one after another, the credits, then back to
// the title after 1600 pixels or at once on Space.
#include "shell/ending.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "player/hit_pass.h"
#include "player/ship.h"
#include "player/shots.h"
#include "player/starfield.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

float EndingBannerHeight = 0.0f;

const char* const EndingCredits[EndingCreditCount] = {
    "THANK YOU FOR PLAYING",
    "GAME DESIGN ........ THE TEAM",
    "PROGRAM ............ THE TEAM",
    "GRAPHICS ........... THE TEAM",
    "MUSIC .............. THE TEAM",
    "SOUND EFFECTS ...... THE TEAM",
    "SEE YOU AGAIN IN THE SKY",
};

void PrepareEndingCredits() {
  for (const char* line : EndingCredits) elDraw::PreparePrintText(line);
}

namespace {

bool Within(float low, float high) { return low <= ScrollPos && ScrollPos <= high; }

// The picture window the scroll position lies in (nullptr between them).
const int32_t* PictureAt() {
  if (Within(EndingPicture1Start, EndingPicture1Start + EndingPictureLength)) return &ImgVnxCg1;
  if (Within(EndingPicture2Start, EndingPicture2Start + EndingPictureLength)) return &ImgVnxCg2;
  if (Within(EndingPicture3Start, EndingPicture3Start + EndingPictureLength)) return &ImgVnxCg3;
  return nullptr;
}

void LeaveForTitle() {
  elSound::StopMidi();
  ResetObjectTablesA();
  ResetObjectTablesB();
}

}  // namespace

void EndingScene() {
  if (SceneEntered == 1) {
    EndingBannerHeight = 30.0f;
    ScrollPos = 0.0f;
  }
  SceneFrame += 1;
  if (SceneFrame == 1) elSound::PlayMidi("MIDI/BGM6.MID", 1);
  if (SceneFrame >= SceneFrameWrap) SceneFrame = 0;
  elDraw::ClearScreen();
  ScrollPos += EndingScrollRate * FrameTime;
  StarfieldUpdate(80, 80);

  if (Within(0.0f, EndingMessageEnd)) elDraw::DrawObject(250, 100, ImgMygoodn, 0, 0, 300, 100);
  if (Within(0.0f, EndingShipEnd)) {
    PlayerShotsDraw();
    PlayerUpdate();
  }
  DrawHud();
  if (const int32_t* picture = PictureAt()) elDraw::DrawObject(180, 60, *picture, 0, 0, 440, 480);
  if (Within(EndingCreditsStart, EndingCreditsEnd)) {
    for (int32_t i = 0; i < EndingCreditCount; ++i) {
      elDraw::PrintText(280, 180 + 20 * i, EndingCredits[i]);
    }
  }
  if (Within(0.0f, EndingShipEnd)) DrawHud();
  if (GameOver == 1) {
    const int32_t h = static_cast<int32_t>(EndingBannerHeight);
    elDraw::StretchDrawObject(250, (600 - h) / 2, ImgMymy, 81, 70, 136, 80, 300, h);
    EndingBannerHeight += 30.0f * FrameTime;
  }
  elDraw::SetVSync(1);
  elDraw::Flip();
  os::SleepMs(10);

  PlayerMove();
  if (BombSalvoActive == 1) ShipRaySchedule();
  CheckShotHits();

  if (ScrollPos > EndingLength) {
    LeaveForTitle();
    ChangeScene(SceneTitle, JitteredRowsTransition, EndingBand);
  }
  if (LastKey == os::KeySpace) {
    LeaveForTitle();
    StartNewGame();
    ChangeScene(SceneTitle, JitteredRowsTransition, EndingBand);
  }
}
