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

// A decimal number from 0 to `below` - 1 and nothing else.
bool ParseBelow(const std::string& s, int below, int* out) {
  if (s.empty() || s.size() > 6 ||
      !std::all_of(s.begin(), s.end(), [](unsigned char c) { return std::isdigit(c); }))
    return false;
  const int v = std::stoi(s);
  if (v >= below) return false;
  *out = v;
  return true;
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

bool ParseMouseWords(std::istringstream& fields, const std::string& first, InputEvent* event) {
  std::string a, b, c;
  if (Lower(first) == "mouse") {
    event->kind = InputEvent::Pointer;
    return static_cast<bool>(fields >> a >> b) && ParseBelow(a, kScreenWidth, &event->x) &&
           ParseBelow(b, kScreenHeight, &event->y);
  }
  if (Lower(first) != "click" || !(fields >> a >> b)) return false;
  event->kind = InputEvent::Button;
  event->button = Lower(a) == "left" ? 1 : Lower(a) == "right" ? 2 : 0;
  event->down = Lower(b) == "down";
  // "double" may follow a press; "every" starts the repeats.
  const std::streampos rest = fields.tellg();
  if (event->down && fields >> c && Lower(c) == "double") {
    event->double_click = true;
  } else {
    fields.clear();
    fields.seekg(rest);
  }
  return event->button != 0 && (event->down || Lower(b) == "up");
}

bool ParseScript(const std::string& text, std::vector<InputEvent>* events, std::string* error) {
  const bool ok = ForEachLine(
      text,
      "\"frame key down|up\", \"frame mouse X Y\" or \"frame click left|right down|up "
      "[double]\", each [every N until F]",
      [events](std::istringstream& fields) {
        std::string frame, key, action, every, period, until, last, extra;
        InputEvent event;
        fields >> frame >> key;
        bool good = static_cast<bool>(fields) && ParseNumber(frame, &event.frame) &&
                    event.frame >= 0;
        if (good && (Lower(key) == "mouse" || Lower(key) == "click")) {
          good = ParseMouseWords(fields, key, &event);
        } else {
          good = good && fields >> action && (event.key = KeyFromName(key)) >= 0 &&
                 (Lower(action) == "down" || Lower(action) == "up");
          event.down = Lower(action) == "down";
        }
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
                   [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
  return true;
}

}  // namespace runner
