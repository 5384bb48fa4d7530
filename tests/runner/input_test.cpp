// What the runner reads: bounded decimals, quoted words and whole files.
#include "input.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

TEST(RunnerInput, ADecimalIsDigitsWithinItsRangeAndNothingElse) {
  int64_t value = -7;
  EXPECT_TRUE(runner::ParseDecimal("010", 0, 999999, &value));
  EXPECT_EQ(value, 10);
  EXPECT_TRUE(runner::ParseDecimal("999999", 0, 999999, &value));
  EXPECT_TRUE(runner::ParseDecimal("-3", -3, 0, &value));
  EXPECT_EQ(value, -3);
  value = 42;
  for (const char* bad : {"", "1000000", "-1", "+1", "0x10", " 1", "1 ", "1.0", "1e3",
                          "9223372036854775808", "99999999999999999999"}) {
    EXPECT_FALSE(runner::ParseDecimal(bad, 0, 999999, &value)) << bad;
  }
  EXPECT_FALSE(runner::ParseDecimal(std::string_view("12\0", 3), 0, 999999, &value));
  EXPECT_EQ(value, 42);  // untouched by a refusal
}

TEST(RunnerInput, AQuotedWordShowsWhatCannotBePrintedAndStaysShort) {
  EXPECT_EQ(runner::Quoted("F1"), "'F1'");
  EXPECT_EQ(runner::Quoted(std::string("a\0\x1b\t", 4)), "'a\\x00\\x1b\\x09'");
  EXPECT_EQ(runner::Quoted(std::string(100, 'x')), "'" + std::string(40, 'x') + "...'");
  // Not cut inside a character of several bytes.
  EXPECT_EQ(runner::Quoted(std::string(39, 'x') + "\xe3\x81\x82z"),
            "'" + std::string(39, 'x') + "...'");
}

// A file is read whole up to the limit; a folder, a missing file, one too
// large and an endless device are refused with the reason, promptly.
TEST(RunnerInput, AFileIsReadWholeWithinItsLimitOrRefusedWithTheReason) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("runner_input_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::string file = (folder / "a.keys").string();
  std::ofstream(file) << "0 A down\n";
  std::string text, why;
  EXPECT_TRUE(runner::ReadTextFile(file, 9, &text, &why)) << why;
  EXPECT_EQ(text, "0 A down\n");
  EXPECT_FALSE(runner::ReadTextFile(file, 8, &text, &why));
  EXPECT_EQ(why, "larger than 8 bytes, the most it may hold");
  EXPECT_FALSE(runner::ReadTextFile(folder.string(), 100, &text, &why));
  EXPECT_EQ(why, "it is a folder");
  EXPECT_FALSE(runner::ReadTextFile((folder / "none").string(), 100, &text, &why));
  EXPECT_EQ(why, "No such file or directory");
  std::filesystem::remove_all(folder);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(runner::ReadTextFile("/dev/zero", runner::kMaxFileBytes, &text, &why));
  EXPECT_EQ(why, "larger than 16 MiB, the most it may hold");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_TRUE(runner::ReadTextFile("/dev/null", 100, &text, &why)) << why;
  EXPECT_EQ(text, "");
}

}  // namespace
