// The boss catalogue: the walk order, and every row's setter and resets
// working on that row's own boss (a row that pairs one boss's record with
// another's setter compiles and passes every static check).
#include <gtest/gtest.h>

#include <string>

#include "stages/boss_catalogue.h"

namespace {

TEST(BossCatalogue, WalksTheBossesInTheirOrder) {
  std::string order;
  for (const BossFacts* boss : BossCatalogue) order += std::string(boss->name) + " ";
  EXPECT_EQ(order, "Boss1 Boss3 Boss7 Boss4 Boss5 Boss6 Boss2 Boss8 ");
}

TEST(BossCatalogue, EveryRowsSetterAndResetsTouchOnlyItsOwnBoss) {
  for (const BossFacts* row : BossCatalogue) {
    SCOPED_TRACE(row->name);
    for (const BossFacts* other : BossCatalogue) {
      other->state->hit = 0;
      other->state->hitPoints = -7.0f;
      other->lock.points.a[0].locked = 1;
      other->lock.points.b[0].locked = 1;
    }
    row->hit();
    for (const BossFacts* other : BossCatalogue) {
      EXPECT_EQ(other->state->hit, other == row ? 1u : 0u) << other->name;
    }
    row->resetLockPoints();
    row->resetTables();
    for (const BossFacts* other : BossCatalogue) {
      SCOPED_TRACE(other->name);
      const bool own = other == row;
      EXPECT_EQ(other->state->hitPoints > 0.0f, own);
      EXPECT_EQ(other->lock.points.a[0].locked, own ? 0u : 1u);
      EXPECT_EQ(other->lock.points.b[0].locked, own ? 0u : 1u);
    }
  }
  for (const BossFacts* boss : BossCatalogue) {
    boss->resetLockPoints();
    boss->resetTables();
  }
}

}  // namespace
