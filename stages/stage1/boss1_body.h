// The stage-1 boss: its entry, its picture with the damage flames and lock
// marks, and its defeat.  (Boss1Hit is with its storage.)
#pragma once

#include "stages/common/boss_defeat.h"
#include "stages/stage1/boss1_tables.h"

// The move timer (+10 per second) and the boss and its silhouette along its
// bands: the silhouette rises over the playfield, the boss is placed above
// it, descends and then holds at (180, 0) for the rest of the fight.
void Boss1Move();
// The boss, its damage flames (HP 90 and 70 down), its locked lock points,
// then Boss1Defeat.
void Boss1Draw();
// One call of the defeat sequence; nothing while the hit points are above 0.
void Boss1Defeat();

extern const DefeatRow Boss1DefeatRow;
