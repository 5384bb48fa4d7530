// The kinds' hit setters raise one flag and nothing else.
#include <gtest/gtest.h>

#include "enemies/kind_tables.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "stages/stage2/boss2_tables.h"
#include "tests/support/test_support.h"

namespace {

using namespace vantris_test;

class KindTablesTest : public HeadlessTest {
 protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    ResetObjectTablesA();
    ResetObjectTablesB();
    Score = 0;
  }
};

TEST_F(KindTablesTest, HitSettersRaiseTheirSlotsFlagOnly) {
  Szak21BHit(1);
  EXPECT_EQ(Szak21BSlots[1].hit, 1u);
  EXPECT_EQ(Szak21BSlots[0].hit, 0u);
  EXPECT_EQ(Szak21BSlots[1].active, 0u);  // no test of the slot's state
  EXPECT_EQ(Szak21ASlots[1].hit, 0u);     // the sister kind is untouched
  Szak21BHit(2);  // past the two slots: ignored
  Szak21BHit(-1);
  EXPECT_EQ(Szak21BSlots[0].hit, 0u);
  EXPECT_EQ(Szak21CSlots[0].hit, 0u);
  Szak41BHit(4);
  EXPECT_EQ(Szak41BSlots[4].hit, 1u);
  Szak52AHit(0);
  EXPECT_EQ(Szak52ASlots[0].hit, 1u);
  Szak60Hit();
  EXPECT_EQ(Szak60Slots[0].hit, 1u);
  Szak53BHit();
  EXPECT_EQ(Szak53BSlots[0].hit, 1u);
  EXPECT_EQ(Szak53ASlots[0].hit, 0u);
  Boss2Hit();
  EXPECT_EQ(Boss2State.hit, 1u);
  EXPECT_EQ(Boss2State.hitPoints, 1000.0f);
  EXPECT_EQ(Score, 0);
}

}  // namespace
