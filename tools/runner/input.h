// What the headless runner reads from its command line and its files (input
// scripts, call lists, recordings): whole files of a bounded size, their
// lines word by word, and every number a decimal within its range, read
// before any arithmetic is done with it.  A fault is said in words that name
// the line and the word at fault.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace runner {

// The frames a run may name: a run plays at most 1000000 frames, numbered
// from 0.
inline constexpr long kLastFrame = 999999;

// The most an input script, call list or recording may hold.
inline constexpr size_t kMaxFileBytes = 16u << 20;

// A whole decimal number from `low` to `high` and nothing else: digits, with
// a '-' before them for a negative one; a leading 0 is still decimal.
bool ParseDecimal(std::string_view text, int64_t low, int64_t high, int64_t* value);

// `text` in lower case (ASCII letters only).
std::string LowerCase(std::string_view text);

// `text` in single quotes for a message, as os::Printable shows it (a control
// byte or one of no valid UTF-8 as \xNN), a long text cut short with "...".
std::string Quoted(std::string_view text);

// `arg` as a word of a line that LineWords::Argument reads back the same:
// bare when it is printable UTF-8 without a blank or a double quote (so
// every plain word stays as it was), else in double quotes, a double quote
// or a backslash of its own escaped by a backslash and each byte that
// os::Printable escapes written \xNN.
std::string AsArgument(std::string_view arg);

// The whole of a regular file of at most `limit` bytes; false with the reason
// ("it is a folder", "it is a FIFO", "it is a device", "larger than 16 MiB",
// or the system's words) in `why`.  What is not a regular file is refused
// unread and without waiting (os::OpenRegularFile).
bool ReadTextFile(const std::string& path, size_t limit, std::string* text, std::string* why);

// The words of one line (split at white space), read in turn.  The first
// fault is kept: "the key is missing", "'x' is not a frame from 0 to 999999",
// "'extra' is one word too many", or one of the caller's.
class LineWords {
 public:
  explicit LineWords(std::string_view line, long number = 0) : line_(line), number_(number) {}

  // The next word; false with "WHAT is missing" at the end of the line.
  bool Word(const char* what, std::string* word);
  // A word read, a decimal from `low` to `high` into `value` (of a type
  // that holds the range); false with "'WORD' is not WHAT from LOW to HIGH"
  // (WHAT: "a frame").
  template <typename T>
  bool Decimal(const std::string& word, const char* what, int64_t low, int64_t high, T* value) {
    int64_t read = 0;
    if (!ReadDecimal(word, what, low, high, &read)) return false;
    *value = static_cast<T>(read);
    return true;
  }
  // The next word as AsArgument writes it: bare, taken as it stands, or in
  // double quotes with \", \\ and \xNN escapes; false with "WHAT is missing"
  // or what is wrong with the quoted word.
  bool Argument(const char* what, std::string* word);
  // The next word, read as Decimal does; or false with "WHAT is missing".
  template <typename T>
  bool Number(const char* what, int64_t low, int64_t high, T* value) {
    std::string word;
    return Word(what, &word) && Decimal(word, what, low, high, value);
  }
  // The next word, a frame from `low` to the last a run may have.
  bool Frame(long* frame, long low = 0) { return Number("a frame", low, kLastFrame, frame); }
  // The next word is `keyword` (lower case), in any case; false with "'WORD'
  // is not \"KEYWORD\"" or "\"KEYWORD\" is missing".
  bool Keyword(const char* keyword);
  // Whether a word is left.
  bool More() const;
  // No word is left; false with "'WORD' is one word too many".
  bool End();
  // `frame` is not past the run's last frame; false with "frame F is past
  // the last frame, L".
  bool NotPast(long frame, long last_frame);
  // A fault of the caller's; `in_words` tells whether it is in the line's own
  // words (the list then says how a line goes) or in what they ask for.
  bool Fail(std::string reason, bool in_words = true);

  const std::string& Fault() const { return fault_; }
  bool FaultInWords() const { return in_words_; }
  // The whole line as given, and its number in the list (from 1).
  std::string_view Line() const { return line_; }
  long LineNumber() const { return number_; }

 private:
  bool ReadDecimal(const std::string& word, const char* what, int64_t low, int64_t high,
                   int64_t* value);

  std::string_view line_;
  long number_;
  size_t at_ = 0;
  std::string fault_;
  bool in_words_ = true;
};

// How the lines of a list are read.
struct LineRules {
  // How a line goes, said after a fault in a line's words ("; expected
  // FORMAT"); nullptr: nothing said.
  const char* format = nullptr;
  // '#' starts a comment anywhere on a line; otherwise a line is taken whole.
  bool comments = true;
};

// Calls `line(words)` for every line of `text` that has a word, in order;
// at the first false it stops and gives "line N: " + the fault in `error`.
bool ForEachLine(std::string_view text, const LineRules& rules,
                 const std::function<bool(LineWords& words)>& line, std::string* error);

}  // namespace runner
