// The two passes that put the object world back to its start state between
// two scenes of a run, always A and then B at once after it.
#pragma once

// Seeds the random generator from the calendar, then the run's values of the
// GameState block and the tables of the player, its weapons and the kinds.
void ResetObjectTablesA();
// The stage files' tables and boss records, and last the starfield; goes on
// with the random sequence that A began.
void ResetObjectTablesB();

// Pass A's part of the GameState block: the ship's position, score, lives,
// bombs, level, ship type and every option flag stay as they are.
void ResetGameStateBlock();
