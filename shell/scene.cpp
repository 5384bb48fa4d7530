// The running scene and the scene-entry flag of the main loop.
#include "shell/scene.h"

int32_t SceneNumber = 0;
int32_t PrevScene = 0;
uint32_t SceneEntered = 0;
