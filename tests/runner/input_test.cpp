// What the runner reads: bounded decimals, quoted words and whole files.
#include "input.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

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
  // Bytes of no valid UTF-8 and the C1 controls are shown, never sent raw.
  EXPECT_EQ(runner::Quoted("\xff\xc2\x9b" "a\xe3\x81\x82"), "'\\xff\\xc2\\x9ba\xe3\x81\x82'");
  std::string stray;
  for (int i = 0; i < 37; ++i) stray += "\\x80";
  EXPECT_EQ(runner::Quoted(std::string(100, '\x80')), "'" + stray + "...'");
}

// A file is read whole up to the limit; a folder, a FIFO, a device, a
// missing file and one too large are refused with the reason, promptly
// (a FIFO without a writer would wait for one for good).
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
  EXPECT_FALSE(runner::ReadTextFile((folder / "none").string(), 100, &text, &why));
  EXPECT_EQ(why, "No such file or directory");

  const std::string fifo = (folder / "fifo.keys").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const std::pair<std::string, const char*> refused[] = {
      {folder.string(), "it is a folder"},
      {fifo, "it is a FIFO"},
      {"/dev/zero", "it is a device"},
      {"/dev/null", "it is a device"},
  };
  for (const auto& [path, reason] : refused) {
    text = "kept";
    EXPECT_FALSE(runner::ReadTextFile(path, runner::kMaxFileBytes, &text, &why)) << path;
    EXPECT_EQ(why, reason) << path;
    EXPECT_EQ(text, "kept") << path;
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  std::filesystem::remove_all(folder);
}

// A run line's argument is written bare when it can be, else in double
// quotes with escapes, and read back the same whatever bytes it holds; a
// quoted word that is cut short, holds an unknown escape or runs on past its
// quote is refused, named.
TEST(RunnerInput, AnArgumentOfAnyBytesReadsBackAsItWasWritten) {
  EXPECT_EQ(runner::AsArgument("--script"), "--script");
  EXPECT_EQ(runner::AsArgument("../keys/a\\b\xe3\x81\x82.keys"), "../keys/a\\b\xe3\x81\x82.keys");
  EXPECT_EQ(runner::AsArgument("sp ace/x.keys"), "\"sp ace/x.keys\"");
  EXPECT_EQ(runner::AsArgument(""), "\"\"");
  EXPECT_EQ(runner::AsArgument("a\"b\\c\nd\xff\xc2\x85\xe3\x81\x82"),
            "\"a\\\"b\\\\c\\x0ad\\xff\\xc2\\x85\xe3\x81\x82\"");
  std::string every_byte;
  for (int c = 0; c < 256; ++c) every_byte += static_cast<char>(c);
  for (const std::string& arg : {std::string("sp ace"), std::string("\"q\""), std::string("\\"),
                                 std::string("#x"), std::string("a\rb\tc"), every_byte}) {
    const std::string line = "run " + runner::AsArgument(arg) + " next";
    EXPECT_EQ(line.find('\n'), std::string::npos);
    runner::LineWords words(line);
    std::string word;
    ASSERT_TRUE(words.Word("", &word));
    ASSERT_TRUE(words.Argument("", &word)) << words.Fault();
    EXPECT_EQ(word, arg);
    ASSERT_TRUE(words.Argument("", &word));
    EXPECT_EQ(word, "next");
    EXPECT_TRUE(words.End());
  }
  for (const auto& [line, fault] : std::vector<std::pair<std::string, std::string>>{
           {"\"open", "'\"open' has no closing quote"},
           {"\"a\\\"", "'\"a\\\"' has no closing quote"},
           {"\"a\\q\"", "'\"a\\q\"' holds an escape other than \\\", \\\\ and \\xNN"},
           {"\"a\\x4\"", "'\"a\\x4\"' holds an escape other than \\\", \\\\ and \\xNN"},
           {"\"a\"b", "'\"a\"b' goes on past its closing quote"},
       }) {
    runner::LineWords words(line);
    std::string word;
    EXPECT_FALSE(words.Argument("", &word)) << line;
    EXPECT_EQ(words.Fault(), fault) << line;
  }
}

}  // namespace
