// The stage-7 boss: its movement script, its picture with the damage flames
// and lock marks, and its defeat.  (Boss7Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage7/boss7_tables.h"

// The move timer (+10 per second) along the boss's bands: placed above the
// screen, it descends, holds at (170, 0), then loops for good through a
// sway and four diagonals from timer 160; nothing while the hit flag holds
// a value other than 0 or 1.
void Boss7Move();
// The boss, its damage flames (HP 90 and 70 down), its locked lock points,
// then Boss7Defeat.
void Boss7Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss7Defeat();

extern const DefeatRow Boss7DefeatRow;
