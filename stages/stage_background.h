// The background step of a stage frame: the starfield and the stage's layers
// in the stage's order, or the starfield alone while the layers are off.
#pragma once
#include <cstdint>

struct StageBackground {
  int32_t range = 0, base = 0;        // starfield with the layers; range 0: none
  bool starfieldFirst = false;        // the starfield before the layers
  void (*layers[2])() = {};           // drawn in this order (nullptr: none)
  int32_t offRange = 0, offBase = 0;  // starfield while the layers are off
};

// One frame of the background: with BackgroundOff 0 the layers (and the
// starfield where the row has one), with BackgroundOff 1 the starfield alone.
void DrawStageBackground(const StageBackground& s);
