// The runner's jump out of a running scene, shared with the tests' and the
// benchmarks' loop drivers.
#pragma once
#include <cstdint>

#include "el/sound/elSound.h"
#include "shell/object_resets.h"
#include "shell/scene.h"

namespace runner {

// Ends the running scene as a boss's defeat does (the music stops, both
// table resets, a change to `scene` with a 30-step transition); the next
// frame enters `scene`.
inline void EndSceneInto(int32_t scene) {
  elSound::StopMidi();
  ResetObjectTablesA();
  ResetObjectTablesB();
  ChangeScene(scene, JitteredRowsTransition, StageClearBand);
}

}  // namespace runner
