// The stage-6 boss: its movement script, its picture with the damage flames
// and lock marks, and its defeat.  (Boss6Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage6/boss6_tables.h"

// The move timer (+10 per second) along the boss's bands, only while the
// hit flag is 0 or 1: it waits above the screen, descends, snaps to
// (170, 0), then sways and zigzags in a loop from timer 151 for good.
void Boss6Move();
// The boss (drawn again on a hit), its three damage flames (HP 70 down),
// the marks of lock array B's locked points, then Boss6Defeat.
void Boss6Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss6Defeat();

extern const DefeatRow Boss6DefeatRow;
