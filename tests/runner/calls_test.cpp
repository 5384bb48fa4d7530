// The runner's call lists.
#include <gtest/gtest.h>

#include "calls.h"
#include "input.h"

namespace {

TEST(RunnerCalls, LinesKeepTheirOrderAndTakeAnOptionalSlot) {
  std::vector<runner::RoleCall> calls;
  std::string error;
  ASSERT_TRUE(runner::ParseCalls("# fly\n100 400 Szak10Update\n\n90 90 Szak10Hit 2 # boom\n",
                                 runner::kLastFrame, &calls, &error))
      << error;
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].name, "Szak10Update");
  EXPECT_EQ(std::make_pair(calls[0].from, calls[0].to), std::make_pair(100L, 400L));
  EXPECT_FALSE(calls[0].has_slot);
  EXPECT_EQ(calls[1].name, "Szak10Hit");
  EXPECT_TRUE(calls[1].has_slot);
  EXPECT_EQ(calls[1].slot, 2);
  EXPECT_EQ(std::make_pair(calls[0].line, calls[1].line), std::make_pair(2L, 4L));
}

TEST(RunnerCalls, ABadLineIsReportedWithItsNumber) {
  for (const char* text : {"1 2\n", "5 4 Szak10Move\n", "-1 4 Szak10Move\n", "1 x Szak10Move\n",
                           "1 2 Szak10Hit one\n", "1 2 Szak10Hit 1 2\n"}) {
    std::vector<runner::RoleCall> calls;
    std::string error;
    EXPECT_FALSE(runner::ParseCalls(std::string("# ok\n") + text, runner::kLastFrame, &calls,
                                    &error))
        << text;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

// Frames and slots are decimal and within their range, a call from past
// the run's last frame is refused (one that goes on past it only stops),
// and the message names the word at fault.
TEST(RunnerCalls, NumbersAreDecimalWithinTheRun) {
  const auto refusal = [](const std::string& text, long last_frame = runner::kLastFrame) {
    std::vector<runner::RoleCall> calls;
    std::string error;
    EXPECT_FALSE(runner::ParseCalls(text, last_frame, &calls, &error)) << text;
    return error;
  };
  const std::string expected = "; expected \"FROM TO NAME [SLOT]\"";
  EXPECT_EQ(refusal("9223372036854775807 9223372036854775807 Szak10Move\n"),
            "line 1: '9223372036854775807' is not a frame from 0 to 999999" + expected);
  EXPECT_EQ(refusal("5 4 Szak10Move\n"), "line 1: '4' is not a frame from 5 to 999999" + expected);
  EXPECT_EQ(refusal("1 2 Szak10Hit 99999999999\n"),
            "line 1: '99999999999' is not a slot from 0 to 999999" + expected);
  EXPECT_EQ(refusal("1 2\n"), "line 1: the role's name is missing" + expected);
  EXPECT_EQ(refusal("100 200 Szak10Move\n", 99), "line 1: frame 100 is past the last frame, 99");

  std::vector<runner::RoleCall> calls;
  std::string error;
  ASSERT_TRUE(runner::ParseCalls("010 99 Szak10Hit 07\n", 99, &calls, &error)) << error;
  EXPECT_EQ(std::make_pair(calls[0].from, calls[0].slot), std::make_pair(10L, 7L));
}

}  // namespace
