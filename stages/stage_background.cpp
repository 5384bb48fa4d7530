// The background step of a stage frame.
#include "stages/stage_background.h"

#include "player/starfield.h"
#include "shell/game_state.h"

void DrawStageBackground(const StageBackground& s) {
  if (BackgroundOff == 0) {
    if (s.range > 0 && s.starfieldFirst) StarfieldUpdate(s.range, s.base);
    for (auto layer : s.layers) {
      if (layer) layer();
    }
    if (s.range > 0 && !s.starfieldFirst) StarfieldUpdate(s.range, s.base);
  }
  if (BackgroundOff == 1) StarfieldUpdate(s.offRange, s.offBase);
}
