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
  std::vector<runner::InputEvent> events;
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
  std::vector<runner::InputEvent> events;
  std::string error;
  ASSERT_TRUE(runner::ParseScript("10 Left down every 100 until 310\n40 Left up Every 100 until 340\n"
                                  "350 Y down every 5 UNTIL 350\n",
                                  &events, &error))
      << error;
  std::vector<std::pair<long, bool>> got;
  for (const runner::InputEvent& event : events) got.emplace_back(event.frame, event.down);
  const std::vector<std::pair<long, bool>> expected = {
      {10, true},  {40, false},  {110, true}, {140, false}, {210, true},
      {240, false}, {310, true}, {340, false}, {350, true}};
  EXPECT_EQ(got, expected);
}

// Mouse lines move the pointer within the screen and press or release a
// button, a press perhaps a double click's; they repeat as key lines do.
TEST(RunnerScript, MouseLinesMoveThePointerAndPressTheButtons) {
  std::vector<runner::InputEvent> events;
  std::string error;
  ASSERT_TRUE(runner::ParseScript("5 mouse 799 0\n6 Click Left down double\n7 click right up\n"
                                  "8 mouse 0 599 every 10 until 18\n9 click left down every 9 until 9\n",
                                  &events, &error))
      << error;
  ASSERT_EQ(events.size(), 6u);
  EXPECT_EQ(events[0].kind, runner::InputEvent::Pointer);
  EXPECT_EQ(std::make_pair(events[0].x, events[0].y), std::make_pair(799, 0));
  EXPECT_EQ(events[1].kind, runner::InputEvent::Button);
  EXPECT_EQ(events[1].button, 1);
  EXPECT_TRUE(events[1].down && events[1].double_click);
  EXPECT_EQ(events[2].button, 2);
  EXPECT_FALSE(events[2].down || events[2].double_click);
  EXPECT_EQ(std::make_pair(events[3].frame, events[3].y), std::make_pair(8L, 599));
  EXPECT_FALSE(events[4].double_click);
  EXPECT_EQ(events[5].frame, 18);
  for (const char* line : {"1 mouse 800 0", "1 mouse 0 600", "1 mouse -1 0", "1 mouse 0x10 5",
                           "1 mouse 10", "1 mouse 1 2 3", "1 click middle down", "1 click left",
                           "1 click left up double", "1 click left down twice"}) {
    EXPECT_FALSE(runner::ParseScript(std::string("1 A down\n") + line + "\n", &events, &error))
        << line;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

TEST(RunnerScript, ABadLineIsReportedWithItsNumber) {
  std::vector<runner::InputEvent> events;
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
