// The runner's key scripts.
#include <gtest/gtest.h>

#include "os/keys.h"
#include "script.h"

namespace {

TEST(RunnerScript, NamesLettersAndNumbersGiveVirtualKeys) {
  EXPECT_EQ(runner::KeyFromName("Return"), os::KeyReturn);
  EXPECT_EQ(runner::KeyFromName("enter"), os::KeyReturn);
  EXPECT_EQ(runner::KeyFromName("ESCAPE"), os::KeyEscape);
  EXPECT_EQ(runner::KeyFromName("Space"), os::KeySpace);
  EXPECT_EQ(runner::KeyFromName("F1"), os::KeyF1);
  EXPECT_EQ(runner::KeyFromName("f12"), os::KeyF12);
  EXPECT_EQ(runner::KeyFromName("m"), 'M');
  EXPECT_EQ(runner::KeyFromName("7"), '7');
  EXPECT_EQ(runner::KeyFromName("0x59"), 0x59);
  EXPECT_EQ(runner::KeyFromName("13"), 13);
  EXPECT_EQ(runner::KeyFromName("F13"), -1);
  EXPECT_EQ(runner::KeyFromName("256"), -1);
  EXPECT_EQ(runner::KeyFromName("nokey"), -1);
}

TEST(RunnerScript, EventsAreReadInFrameOrderWithCommentsSkipped) {
  std::vector<runner::KeyEvent> events;
  std::string error;
  ASSERT_TRUE(runner::ParseScript("# start\n\n20 Escape down\n5 Return down # go\n6 Return up\n",
                                  &events, &error))
      << error;
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].frame, 5);
  EXPECT_EQ(events[0].key, os::KeyReturn);
  EXPECT_TRUE(events[0].down);
  EXPECT_EQ(events[1].frame, 6);
  EXPECT_FALSE(events[1].down);
  EXPECT_EQ(events[2].key, os::KeyEscape);
}

// A repeated event comes every N frames up to its last frame, in frame order
// among the others.
TEST(RunnerScript, ARepeatedEventComesEveryNFramesUpToItsLast) {
  std::vector<runner::KeyEvent> events;
  std::string error;
  ASSERT_TRUE(runner::ParseScript("10 Left down every 100 until 310\n40 Left up Every 100 until 340\n"
                                  "350 Y down every 5 UNTIL 350\n",
                                  &events, &error))
      << error;
  std::vector<std::pair<long, bool>> got;
  for (const runner::KeyEvent& event : events) got.emplace_back(event.frame, event.down);
  const std::vector<std::pair<long, bool>> expected = {
      {10, true},  {40, false},  {110, true}, {140, false}, {210, true},
      {240, false}, {310, true}, {340, false}, {350, true}};
  EXPECT_EQ(got, expected);
}

TEST(RunnerScript, ABadLineIsReportedWithItsNumber) {
  std::vector<runner::KeyEvent> events;
  std::string error;
  EXPECT_FALSE(runner::ParseScript("1 A down\n2 A sideways\n", &events, &error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
  EXPECT_FALSE(runner::ParseScript("-1 A down\n", &events, &error));
  EXPECT_FALSE(runner::ParseScript("x A down\n", &events, &error));
  EXPECT_FALSE(runner::ParseScript("1 A down extra\n", &events, &error));
  EXPECT_FALSE(runner::ParseScript("1 A\n", &events, &error));
  for (const char* repeat : {"every 0 until 9", "every 5", "every 5 until 0", "every x until 9",
                             "each 5 until 9", "every 5 to 9", "every 5 until 9 more",
                             "every 1 until 99999999"}) {
    EXPECT_FALSE(runner::ParseScript(std::string("1 A down\n3 A down ") + repeat + "\n",
                                     &events, &error))
        << repeat;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

}  // namespace
