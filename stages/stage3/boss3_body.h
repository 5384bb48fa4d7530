// The stage-3 boss's functions.  (Boss3Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage3/boss3_tables.h"

// Advances the move timer (+10 per second) and moves the boss along its
// bands: 3 s above the screen at (180, -380), a descent to (180, 0), two
// diagonal sorties and back, a sway right, left and right; at 281 the timer
// starts over, so the boss leaves the top and descends again.  Nothing while
// the hit flag holds a value other than 0 or 1.
void Boss3Move();
// The boss picture (again on a hit, whose flag it takes), its damage flames
// (HP 90 and 70 down), its locked lock points, then Boss3Defeat.
void Boss3Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss3Defeat();

extern const DefeatRow Boss3DefeatRow;
