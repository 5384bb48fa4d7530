// The runner's call lists.
#include <gtest/gtest.h>

#include "calls.h"

namespace {

TEST(RunnerCalls, LinesKeepTheirOrderAndTakeAnOptionalSlot) {
  std::vector<runner::RoleCall> calls;
  std::string error;
  ASSERT_TRUE(runner::ParseCalls("# fly\n100 400 Szak10Update\n\n90 90 Szak10Hit 2 # boom\n",
                                 &calls, &error))
      << error;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "Szak10Update");
  EXPECT_EQ(std::make_pair(calls[0].from, calls[0].to), std::make_pair(100L, 400L));
  EXPECT_FALSE(calls[0].has_slot);
  EXPECT_EQ(calls[1].name, "Szak10Hit");
  EXPECT_TRUE(calls[1].has_slot);
  EXPECT_EQ(calls[1].slot, 2);
}

TEST(RunnerCalls, ABadLineIsReportedWithItsNumber) {
  for (const char* text : {"1 2\n", "5 4 Szak10Move\n", "-1 4 Szak10Move\n", "1 x Szak10Move\n",
                           "1 2 Szak10Hit one\n", "1 2 Szak10Hit 1 2\n"}) {
    std::vector<runner::RoleCall> calls;
    std::string error;
    EXPECT_FALSE(runner::ParseCalls(std::string("# ok\n") + text, &calls, &error)) << text;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

}  // namespace
