// The storage of every enemy kind: its slot table, its bullet tables and,
// for the lockable kinds, its lock-on array, all fixed globals for the whole
// run (listed in kind_tables.inc); the kinds' hit setters; and the resets.
#pragma once
#include <cstdint>

#include "enemies/record_resets.h"
#include "enemies/records.h"

#define LOCKS(name, count) extern LockOnTarget name[count];
#define TABLE(name, Type, count, rule) extern Type name[count];
#define HIT(kind) void kind##Hit(int32_t slot);
#define HIT1(kind) void kind##Hit();
#include "enemies/kind_tables.inc"

// Hit setters: raise the hit word of the slot (the record of a one-record
// kind); the kind's own update reads it.  A slot index outside the table is
// ignored.

// Object-table resets of pass A: every lock-on array of the kinds (unlocked
// at (-500, 500)), then every kind's slot table and bullet tables in turn.
void ResetKindLockTargets();
void ResetKindTables();
