// The kinds' tables, their hit setters and their resets.
#include "enemies/kind_tables.h"

#include <iterator>

#define LOCKS(name, count) LockOnTarget name[count];
#define TABLE(name, Type, count, rule) Type name[count];
#define HIT(kind)
#define HIT1(kind)
#include "enemies/kind_tables.inc"
#undef LOCKS
#undef TABLE
#undef HIT
#undef HIT1

#define LOCKS(name, count)
#define TABLE(name, Type, count, rule)
#define HIT(kind)                                                                        \
  void kind##Hit(int32_t slot) {                                                         \
    if (slot >= 0 && slot < static_cast<int32_t>(std::size(kind##Slots))) kind##Slots[slot].hit = 1; \
  }
#define HIT1(kind) \
  void kind##Hit() { kind##Slots[0].hit = 1; }
#include "enemies/kind_tables.inc"
#undef LOCKS
#undef TABLE
#undef HIT
#undef HIT1

void ResetKindLockTargets() {
#define LOCKS(name, count) ResetTable(name, Plain);
#define TABLE(name, Type, count, rule)
#define HIT(kind)
#define HIT1(kind)
#include "enemies/kind_tables.inc"
#undef LOCKS
#undef TABLE
#undef HIT
#undef HIT1
}

void ResetKindTables() {
#define LOCKS(name, count)
#define TABLE(name, Type, count, rule) ResetTable(name, rule);
#define HIT(kind)
#define HIT1(kind)
#include "enemies/kind_tables.inc"
#undef LOCKS
#undef TABLE
#undef HIT
#undef HIT1
}
