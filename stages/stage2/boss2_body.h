// The stage-2 boss: its entry, its sway, its picture with the damage flames
// and lock marks, and its defeat.  (Boss2Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage2/boss2_tables.h"

// The move timer (+10 per second) and the bands along it: the entry picture
// sweeps up over the screen, the boss is placed above it, descends to
// (150, 0) and then sways from side to side in a loop of 18.6 seconds,
// snapping back to (150, 0) at its start.  Nothing at all while the hit
// flag holds anything but 0 or 1.
void Boss2Move();
// The boss, its damage flames (HP 90 and 70 down), the lock marks of its
// lock array B, then Boss2Defeat.
void Boss2Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss2Defeat();

extern const DefeatRow Boss2DefeatRow;
