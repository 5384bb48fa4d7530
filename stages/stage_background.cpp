// Each stage's background as a row of data: starfield arguments with and
// without the layers, which layers, and whether the starfield comes first.
#include "stages/stage_background.h"

#include "player/starfield.h"
#include "shell/background.h"
#include "shell/game_state.h"

namespace {

using LayerDraw = void (*)();

struct StageBackground {
  int32_t range, base;          // starfield with the layers; range 0: no starfield
  bool starfield_first;         // the starfield before the layers
  LayerDraw layers[2];          // drawn in this order (nullptr: none)
  int32_t off_range, off_base;  // starfield while the layers are off
};

const StageBackground kStages[8] = {
    {80, 80, true, {Bback1sDraw, nullptr}, 80, 80},
    {130, 130, true, {Bback2sDraw, nullptr}, 150, 150},
    {100, 100, false, {Background38Draw, nullptr}, 120, 120},
    {200, 150, false, {Bback6sDraw, nullptr}, 200, 150},
    {0, 0, false, {Bback3sDraw, Bback1sDraw}, 220, 200},
    {0, 0, false, {Background6Draw, nullptr}, 180, 180},
    {0, 0, false, {Bback6sDraw, nullptr}, 200, 200},
    {0, 0, false, {Background38Draw, nullptr}, 300, 300},
};

}  // namespace

void DrawStageBackground(int32_t stage) {
  if (stage < 1 || stage > 8) return;
  const StageBackground& s = kStages[stage - 1];
  if (BackgroundOff == 0) {
    if (s.range > 0 && s.starfield_first) StarfieldUpdate(s.range, s.base);
    for (LayerDraw layer : s.layers) {
      if (layer) layer();
    }
    if (s.range > 0 && !s.starfield_first) StarfieldUpdate(s.range, s.base);
  }
  if (BackgroundOff == 1) StarfieldUpdate(s.off_range, s.off_base);
}
