// The runner's key scripts.
#include <gtest/gtest.h>

#include <chrono>

#include "input.h"
#include "os/keys.h"
#include "script.h"

namespace {

// The events of scripts `texts` (one run whose last frame is `last_frame`),
// as the run applies them.
std::vector<runner::InputEvent> Played(const std::vector<std::string>& texts,
                                       long last_frame = runner::kLastFrame) {
  std::vector<runner::InputEvent> lines;
  std::string error;
  for (const std::string& text : texts)
    EXPECT_TRUE(runner::ParseScript(text, last_frame, &lines, &error)) << error;
  runner::InputSchedule schedule(lines);
  std::vector<runner::InputEvent> events;
  for (runner::InputEvent event; schedule.Next(last_frame, &event);) events.push_back(event);
  return events;
}

// The message for script `text` (a run whose last frame is `last_frame`).
std::string Refusal(const std::string& text, long last_frame = runner::kLastFrame) {
  std::vector<runner::InputEvent> lines;
  std::string error;
  EXPECT_FALSE(runner::ParseScript(text, last_frame, &lines, &error)) << text;
  return error;
}

TEST(RunnerScript, NamesLettersAndNumbersGiveVirtualKeys) {
  EXPECT_EQ(runner::KeyFromName("Return"), os::KeyReturn);
  EXPECT_EQ(runner::KeyFromName("enter"), os::KeyReturn);
  EXPECT_EQ(runner::KeyFromName("ESCAPE"), os::KeyEscape);
  EXPECT_EQ(runner::KeyFromName("Space"), os::KeySpace);
  EXPECT_EQ(runner::KeyFromName("F1"), os::KeyF1);
  EXPECT_EQ(runner::KeyFromName("f12"), os::KeyF12);
  EXPECT_EQ(runner::KeyFromName("m"), 'M');
  EXPECT_EQ(runner::KeyFromName("7"), '7');
  // Key numbers are decimal: 0x59 is no key, 010 is key 10.
  EXPECT_EQ(runner::KeyFromName("0x59"), -1);
  EXPECT_EQ(runner::KeyFromName("89"), 0x59);
  EXPECT_EQ(runner::KeyFromName("010"), 10);
  EXPECT_EQ(runner::KeyFromName("13"), 13);
  EXPECT_EQ(runner::KeyFromName("-1"), -1);
  EXPECT_EQ(runner::KeyFromName("F13"), -1);
  EXPECT_EQ(runner::KeyFromName("256"), -1);
  EXPECT_EQ(runner::KeyFromName("nokey"), -1);
}

TEST(RunnerScript, EventsAreReadInFrameOrderWithCommentsSkipped) {
  const std::vector<runner::InputEvent> events =
      Played({"# start\n\n20 Escape down\n5 Return down # go\n6 Return up\n"});
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
  std::vector<std::pair<long, bool>> got;
  for (const runner::InputEvent& event :
       Played({"10 Left down every 100 until 310\n40 Left up Every 100 until 340\n"
               "350 Y down every 5 UNTIL 350\n"}))
    got.emplace_back(event.frame, event.down);
  const std::vector<std::pair<long, bool>> expected = {
      {10, true},  {40, false},  {110, true}, {140, false}, {210, true},
      {240, false}, {310, true}, {340, false}, {350, true}};
  EXPECT_EQ(got, expected);
}

TEST(RunnerScript, ABadLineIsReportedWithItsNumber) {
  std::vector<runner::InputEvent> events;
  std::string error;
  const long last = runner::kLastFrame;
  EXPECT_FALSE(runner::ParseScript("1 A down\n2 A sideways\n", last, &events, &error));
  EXPECT_NE(error.find("line 2"), std::string::npos);
  EXPECT_FALSE(runner::ParseScript("-1 A down\n", last, &events, &error));
  EXPECT_FALSE(runner::ParseScript("x A down\n", last, &events, &error));
  EXPECT_FALSE(runner::ParseScript("1 A down extra\n", last, &events, &error));
  EXPECT_FALSE(runner::ParseScript("1 A\n", last, &events, &error));
  for (const char* repeat : {"every 0 until 9", "every 5", "every 5 until 0", "every x until 9",
                             "each 5 until 9", "every 5 to 9", "every 5 until 9 more",
                             "every 1 until 99999999"}) {
    EXPECT_FALSE(runner::ParseScript(std::string("1 A down\n3 A down ") + repeat + "\n", last,
                                     &events, &error))
        << repeat;
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
  }
}

// The line and the word at fault are named, with how a line goes.
TEST(RunnerScript, ARefusalNamesTheWordAtFault) {
  const std::string expected =
      "; expected \"frame key down|up\", \"frame mouse X Y\" or \"frame click left|right "
      "down|up [double]\", each [every N until F]";
  EXPECT_EQ(Refusal("1 A down\n2 A sideways\n"), "line 2: 'sideways' is not down or up" + expected);
  EXPECT_EQ(Refusal("1 Nokey down\n"), "line 1: 'Nokey' names no key" + expected);
  EXPECT_EQ(Refusal("1 A\n"), "line 1: down or up is missing" + expected);
  EXPECT_EQ(Refusal("1 A down up\n"), "line 1: 'up' is not \"every\"" + expected);
  EXPECT_EQ(Refusal("1 A down every 5 until 9 9\n"), "line 1: '9' is one word too many" + expected);
  EXPECT_EQ(Refusal("1 A down each 5 until 9\n"), "line 1: 'each' is not \"every\"" + expected);
  EXPECT_EQ(Refusal("1 A down every 5\n"), "line 1: \"until\" is missing" + expected);
  EXPECT_EQ(Refusal("9 A down every 5 until 3\n"),
            "line 1: until 3 comes before frame 9" + expected);
  EXPECT_EQ(Refusal("\x01\x7f A down\n"),
            "line 1: '\\x01\\x7f' is not a frame from 0 to 999999" + expected);
}

// Mouse lines move the pointer within the screen and press or release a
// button, a press perhaps a double click's; they repeat as key lines do, and
// a refusal names the word at fault.
TEST(RunnerScript, MouseLinesMoveThePointerAndPressTheButtons) {
  const std::vector<runner::InputEvent> events =
      Played({"5 mouse 799 0\n6 Click Left down double\n7 click right up\n"
              "8 mouse 0 599 every 10 until 18\n9 click left down every 9 until 9\n"});
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
  const std::pair<const char*, const char*> refused[] = {
      {"1 mouse 800 0", "'800' is not the pointer's x from 0 to 799"},
      {"1 mouse 0 600", "'600' is not the pointer's y from 0 to 599"},
      {"1 mouse -1 0", "'-1' is not the pointer's x from 0 to 799"},
      {"1 mouse 0x10 5", "'0x10' is not the pointer's x from 0 to 799"},
      {"1 mouse 10", "the pointer's y is missing"},
      {"1 mouse 1 2 3", "'3' is not \"every\""},
      {"1 click middle down", "'middle' is not left or right"},
      {"1 click left", "down or up is missing"},
      {"1 click left up double", "'double' is not \"every\""},
      {"1 click left down twice", "'twice' is not \"every\""},
  };
  for (const auto& [line, why] : refused) {
    const std::string error = Refusal(std::string("1 A down\n") + line + "\n");
    EXPECT_EQ(error.rfind(std::string("line 2: ") + why, 0), 0u) << line << ": " << error;
  }
}

// Every number is decimal and read within its range before anything is
// done with it: a leading 0 is no octal, and what overflows is refused.
TEST(RunnerScript, NumbersAreDecimalAndWithinTheirRange) {
  const std::vector<runner::InputEvent> events = Played({"010 Return down\n09 Return up\n"});
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[0].frame, 9);
  EXPECT_EQ(events[1].frame, 10);
  const std::string frame = " is not a frame from 0 to 999999";
  for (const char* big : {"9223372036854775807", "99999999999999999999", "1000000", "-1", "+5",
                          "0x10", "5."}) {
    const std::string error = Refusal(std::string(big) + " A down\n");
    EXPECT_EQ(error.rfind("line 1: '" + std::string(big) + "'" + frame, 0), 0u) << error;
  }
  EXPECT_EQ(Refusal("9223372036854775000 A down every 1000 until 9223372036854775807\n")
                .rfind("line 1: '9223372036854775000'" + frame, 0),
            0u);
  EXPECT_EQ(Refusal("0 A down every 1000 until 9223372036854775807\n")
                .rfind("line 1: '9223372036854775807'" + frame, 0),
            0u);
  EXPECT_EQ(Refusal("0 A down every 1000000 until 5\n")
                .rfind("line 1: '1000000' is not a period from 1 to 999999", 0),
            0u);
  // A NUL byte is part of the word, not its end.
  EXPECT_EQ(Refusal(std::string("12\0 A down\n", 12)).rfind("line 1: '12\\x00'" + frame, 0), 0u);
}

// A script asks for no more than its run: an event past the last frame is
// refused, a repeat stops at the last frame and is kept as one line.
TEST(RunnerScript, AScriptIsBoundedByItsRun) {
  EXPECT_EQ(Refusal("0 A down\n\n100 A up\n", 99), "line 3: frame 100 is past the last frame, 99");
  EXPECT_EQ(Refusal("100 A down every 5 until 200\n", 99),
            "line 1: frame 100 is past the last frame, 99");
  EXPECT_EQ(Played({"99 A down\n"}, 99).size(), 1u);

  std::string ten;
  for (int i = 0; i < 10; ++i) ten += "0 A down every 1 until 999999\n";
  const auto start = std::chrono::steady_clock::now();
  std::vector<runner::InputEvent> lines;
  std::string error;
  ASSERT_TRUE(runner::ParseScript(ten, 1, &lines, &error)) << error;
  EXPECT_EQ(lines.size(), 10u);
  EXPECT_EQ(Played({ten}, 1).size(), 20u);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// The events of several scripts at one frame come in the order of their
// lines, script after script, and a repeat takes its place among them.
TEST(RunnerScript, ScriptsMergeByFrameThenLine) {
  std::vector<std::pair<long, int>> got;
  for (const runner::InputEvent& event :
       Played({"4 B down\n0 A down every 2 until 4\n", "2 C down\n4 D down\n"}))
    got.emplace_back(event.frame, event.key);
  const std::vector<std::pair<long, int>> expected = {
      {0, 'A'}, {2, 'A'}, {2, 'C'}, {4, 'B'}, {4, 'A'}, {4, 'D'}};
  EXPECT_EQ(got, expected);
}

}  // namespace
