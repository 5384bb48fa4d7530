// The scene functions of the main loop's table (one frame per call) and the
// front-end state.
#pragma once
#include <cstdint>

void TitleScene();
void Stage1Scene();
void Stage2Scene();
void Stage3Scene();
void Stage4Scene();
void Stage5Scene();
void Stage6Scene();
void Stage7Scene();
void Stage8Scene();
void EndingScene();
void ModeSelectScene();
void ShipSelectScene();

using SceneFunction = void (*)();
// Entry n is the function of scene n (entry 0 is empty).
extern const SceneFunction SceneTable[13];

extern int32_t TitleCounter;  // frames of the title's blink cycle

// The options a run starts from, set by the title's entry and the T key:
// background layers on, keyboard control, blended explosions, no ship type
// and deaths on.
void ResetPlayOptions();
