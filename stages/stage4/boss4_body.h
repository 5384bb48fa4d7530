// The stage-4 boss: its movement script, its picture with the damage flames
// and lock marks, and its defeat.  (Boss4Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage4/boss4_tables.h"

// The move timer (+10 per second) along the boss's bands: it waits above
// the screen, descends, snaps to (180, 0) and bobs, then loops for good
// through sways and diamonds from timer 80.
void Boss4Move();
// The boss, its damage flames (HP 90 and 70 down), its locked lock points,
// then Boss4Defeat.
void Boss4Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss4Defeat();

extern const DefeatRow Boss4DefeatRow;
