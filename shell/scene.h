// The running scene and the scene-entry protocol of the main loop.
#pragma once
#include <cstdint>

// Scene numbers.
enum : int32_t {
  SceneTitle = 1,
  SceneStage1 = 2,
  SceneStage2 = 3,
  SceneStage3 = 4,
  SceneStage4 = 5,
  SceneStage5 = 6,
  SceneStage6 = 7,
  SceneStage7 = 8,
  SceneStage8 = 9,
  SceneEnding = 10,
  SceneModeSelect = 11,
  SceneShipSelect = 12,
};

extern int32_t SceneNumber;   // the running scene, 1..12
extern int32_t PrevScene;     // what the loop saw on its previous pass; 0 after a change
extern uint32_t SceneEntered; // 1 until the entered scene's first frame has run

// The scene change of every scene, run after its frame was presented: the
// frame is captured into the library's screen object, the scene switches to
// `scene` at once (PrevScene 0) and a backward transition of `band` steps
// with `pattern` draws the old frame away over the new scene.
void ChangeScene(int32_t scene, int32_t pattern, int32_t band);
