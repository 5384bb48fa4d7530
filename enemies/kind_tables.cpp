// The kinds' tables, their hit setters and their resets.
#include "enemies/kind_tables.h"

#include <iterator>

#define LOCKS(name, count) LockOnTarget name[count];
#define TABLE(name, Type, count, rule) Type name[count];
#include "enemies/kind_tables.inc"

#define HIT(kind)                                                                        \
  void kind##Hit(int32_t slot) {                                                         \
    if (slot >= 0 && slot < static_cast<int32_t>(std::size(kind##Slots))) kind##Slots[slot].hit = 1; \
  }
#define HIT1(kind) \
  void kind##Hit() { kind##Slots[0].hit = 1; }
#include "enemies/kind_tables.inc"

void ResetKindLockTargets() {
#define LOCKS(name, count) ResetTable(name, Plain);
#include "enemies/kind_tables.inc"
}

void ResetKindTables() {
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#include "enemies/kind_tables.inc"
}
