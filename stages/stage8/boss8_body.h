// The stage-8 boss: its movement script, its picture with the damage flames
// and lock marks, and its defeat.  (Boss8Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage8/boss8_tables.h"

// The move timer (+10 per second) along the boss's bands: 3 s above the
// screen at (160, -400), a descent to (160, 0), then for good a loop from
// timer 80 that holds there 2 s and sways 3 s right, 6 s left and 3 s right.
// Nothing while the hit flag holds a value other than 0 or 1.
void Boss8Move();
// The boss picture (whose hit flag it takes), its damage flames (HP 90 and
// 70 down), the marks of its locked points of array A, then Boss8Defeat.
void Boss8Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss8Defeat();

extern const DefeatRow Boss8DefeatRow;
