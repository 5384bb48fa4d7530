// The ending scene: scrolls at 18 pixels per second and goes back to the
// title after 1600 pixels or on Space.
#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage_frame.h"

void EndingScene() {
  if (SceneEntered == 1) ScrollPos = 0;
  SceneFrame += 1;
  if (SceneFrame == 1) elSound::PlayMidi("MIDI/BGM6.MID", 1);
  if (SceneFrame >= SceneFrameWrap) SceneFrame = 0;
  elDraw::ClearScreen();
  ScrollPos += 18.0f * FrameTime;
  DrawHud();
  elDraw::SetVSync(1);
  elDraw::Flip();
  os::SleepMs(10);

  if (ScrollPos > 1600.0f) {
    elSound::StopMidi();
    ResetObjectTablesA();
    ResetObjectTablesB();
    ChangeScene(SceneTitle, 3, 60);
  }
  if (LastKey == os::KeySpace) {
    elSound::StopMidi();
    ResetObjectTablesA();
    ResetObjectTablesB();
    StartNewGame();
    ChangeScene(SceneTitle, 3, 60);
  }
}
