// The stage-5 boss's functions.  (Boss5Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage5/boss5_tables.h"

// Advances the move timer (+10 per second) and runs its bands: the entry
// picture waits below the screen, then rises across it (6 s); the boss is
// put above the screen at (210, -460), descends for 4.4 s to (210, 0), then
// sways right, left and right and flies a diamond; at 241 the timer goes
// back to 151, so the loop starts again from (210, 0).  Nothing while the
// hit flag holds a value other than 0 or 1.
void Boss5Move();
// The boss picture (again on a hit, whose flag it takes), its three damage
// flames (HP 60 down), its locked lock points, then Boss5Defeat.
void Boss5Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss5Defeat();

extern const DefeatRow Boss5DefeatRow;
