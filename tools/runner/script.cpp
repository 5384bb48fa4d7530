#include "script.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "os/keys.h"

namespace runner {
namespace {

// The most events that one repeated line may give.
constexpr long kMaxRepeats = 1000000;

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

bool ParseNumber(const std::string& s, long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 0);
  if (end == nullptr || *end != '\0') return false;
  *out = v;
  return true;
}

bool ForEachLine(const std::string& text, const std::string& expected,
                 const std::function<bool(std::istringstream& fields)>& line,
                 std::string* error) {
  std::istringstream in(text);
  std::string content;
  int line_number = 0;
  while (std::getline(in, content)) {
    ++line_number;
    std::istringstream fields(content.substr(0, content.find('#')));
    std::string first;
    if (!(fields >> first)) continue;  // empty or comment line
    fields.clear();
    fields.seekg(0);
    if (!line(fields)) {
      *error = "line " + std::to_string(line_number) + ": expected " + expected;
      return false;
    }
  }
  return true;
}

int KeyFromName(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  long number = 0;
  if (name.size() > 1 && ParseNumber(name, &number)) {
    return number >= 0 && number < os::KeyCount ? static_cast<int>(number) : -1;
  }
  const std::string n = Lower(name);
  struct Named {
    const char* name;
    int key;
  };
  static const Named kNames[] = {
      {"return", os::KeyReturn}, {"enter", os::KeyReturn}, {"escape", os::KeyEscape},
      {"esc", os::KeyEscape},    {"space", os::KeySpace},  {"left", os::KeyLeft},
      {"up", os::KeyUp},         {"right", os::KeyRight},  {"down", os::KeyDown},
      {"shift", os::KeyShift},   {"control", os::KeyControl}, {"ctrl", os::KeyControl},
      {"alt", os::KeyAlt},       {"tab", os::KeyTab},      {"back", os::KeyBack},
  };
  for (const Named& entry : kNames) {
    if (n == entry.name) return entry.key;
  }
  if (n.size() >= 2 && n[0] == 'f' && ParseNumber(n.substr(1), &number) && number >= 1 &&
      number <= 12) {
    return os::KeyF1 + static_cast<int>(number) - 1;
  }
  return -1;
}

bool ParseScript(const std::string& text, std::vector<KeyEvent>* events, std::string* error) {
  const bool ok = ForEachLine(
      text, "\"frame key down|up [every N until F]\"",
      [events](std::istringstream& fields) {
        std::string frame, key, action, every, period, until, last, extra;
        KeyEvent event;
        fields >> frame >> key >> action;
        bool good = static_cast<bool>(fields) && ParseNumber(frame, &event.frame) &&
                    event.frame >= 0 && (event.key = KeyFromName(key)) >= 0 &&
                    (Lower(action) == "down" || Lower(action) == "up");
        event.down = Lower(action) == "down";
        // The repeats: every N frames up to frame F, at most kMaxRepeats.
        long step = 1, end = event.frame;
        if (good && fields >> every) {
          good = Lower(every) == "every" && fields >> period >> until >> last &&
                 Lower(until) == "until" && ParseNumber(period, &step) && step >= 1 &&
                 ParseNumber(last, &end) && end >= event.frame &&
                 (end - event.frame) / step < kMaxRepeats;
        }
        good = good && !(fields >> extra);
        for (; good && event.frame <= end; event.frame += step) events->push_back(event);
        return good;
      },
      error);
  if (!ok) return false;
  std::stable_sort(events->begin(), events->end(),
                   [](const KeyEvent& a, const KeyEvent& b) { return a.frame < b.frame; });
  return true;
}

}  // namespace runner
