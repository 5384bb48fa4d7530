// The running scene, the scene-entry flag of the main loop and the scenes' names.
#include "shell/scene.h"

int32_t SceneNumber = 0;
int32_t PrevScene = 0;
uint32_t SceneEntered = 0;

const char* SceneName(int32_t scene) {
  static const char* const kNames[] = {"title",   "stage 1", "stage 2",     "stage 3",
                                       "stage 4", "stage 5", "stage 6",     "stage 7",
                                       "stage 8", "ending",  "mode screen", "ship select"};
  if (scene < SceneTitle || scene > SceneShipSelect) return "";
  return kNames[scene - SceneTitle];
}
