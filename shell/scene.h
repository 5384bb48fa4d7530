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

// The name of a scene: "title", "stage 1" .. "stage 8", "ending", "mode
// screen", "ship select"; "" for a number that is no scene.
const char* SceneName(int32_t scene);

extern int32_t SceneNumber;   // the running scene, 1..12
extern int32_t PrevScene;     // what the loop saw on its previous pass; 0 after a change
extern uint32_t SceneEntered; // 1 until the entered scene's first frame has run

// The scene change of every scene, run after its frame was presented: the
// frame is captured into the library's screen object, the scene switches to
// `scene` at once (PrevScene 0) and a backward transition of `band` steps
// with `pattern` draws the old frame away over the new scene.
void ChangeScene(int32_t scene, int32_t pattern, int32_t band);

// The transition patterns the scene changes use (elDraw::Flip draws them):
// the old frame's rows with every S-th left out at step S, so that fewer are
// left as S counts down to 1 ...
constexpr int32_t RowsTransition = 1;
// ... and the same rows each shifted sideways at random, further each step.
constexpr int32_t JitteredRowsTransition = 3;

// The bands of the scene changes: the steps, one a frame, the transition
// takes to draw the old frame away.
constexpr int32_t FrontEndBand = 26;    // from the title, mode and ship screens
constexpr int32_t StageClearBand = 30;  // a boss's defeat into the next scene
constexpr int32_t SlowStageClearBand = 60;  // the same after the stage-2 and stage-8 bosses
constexpr int32_t EndingBand = 60;          // the ending back to the title
