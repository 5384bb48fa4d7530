// The background step of a stage frame: the starfield and the stage's layers
// in the stage's order, or the starfield alone while the layers are off.
#pragma once
#include <cstdint>

// One frame of stage `stage` (1..8); nothing for other numbers.
void DrawStageBackground(int32_t stage);
