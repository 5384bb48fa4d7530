// The boss catalogue: every boss's facts row, in the order the hit passes,
// the lock test, the homing missiles' automatic fire and the object-table
// resets walk the bosses.  That order is behaviour: a shot that hits two
// bosses scores, and a sight over two bosses locks, in it.
#pragma once
#include <iterator>

#include "stages/boss_facts.h"
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

inline constexpr const BossFacts* BossCatalogue[] = {
    &Boss1Facts, &Boss3Facts, &Boss7Facts, &Boss4Facts,
    &Boss5Facts, &Boss6Facts, &Boss2Facts, &Boss8Facts,
};

namespace boss_catalogue_checks {

// Every row well formed, and no record, lock array or missile table shared
// by two rows.
constexpr bool Sound() {
  const size_t n = std::size(BossCatalogue);
  for (size_t i = 0; i < n; ++i) {
    const BossFacts& a = *BossCatalogue[i];
    if (!WellFormed(a)) return false;
    for (size_t j = i + 1; j < n; ++j) {
      const BossFacts& b = *BossCatalogue[j];
      if (a.state == b.state || a.lock.points.a == b.lock.points.a ||
          a.missileA.missiles.records == b.missileA.missiles.records ||
          a.missileB.missiles.records == b.missileB.missiles.records) {
        return false;
      }
    }
  }
  return true;
}
static_assert(Sound());

}  // namespace boss_catalogue_checks
