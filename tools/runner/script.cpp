#include "script.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "os/keys.h"

namespace runner {
namespace {

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ParseNumber(const std::string& s, long* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  const long v = std::strtol(s.c_str(), &end, 0);
  if (end == nullptr || *end != '\0') return false;
  *out = v;
  return true;
}

}  // namespace

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
  std::istringstream in(text);
  std::string line;
  int line_number = 0;
  while (std::getline(in, line)) {
    ++line_number;
    line = line.substr(0, line.find('#'));
    std::istringstream fields(line);
    std::string frame, key, action, extra;
    if (!(fields >> frame)) continue;  // empty or comment line
    KeyEvent event;
    const bool ok = (fields >> key >> action) && !(fields >> extra) &&
                    ParseNumber(frame, &event.frame) && event.frame >= 0 &&
                    (event.key = KeyFromName(key)) >= 0 &&
                    (Lower(action) == "down" || Lower(action) == "up");
    if (!ok) {
      *error = "line " + std::to_string(line_number) + ": expected \"frame key down|up\"";
      return false;
    }
    event.down = Lower(action) == "down";
    events->push_back(event);
  }
  std::stable_sort(events->begin(), events->end(),
                   [](const KeyEvent& a, const KeyEvent& b) { return a.frame < b.frame; });
  return true;
}

}  // namespace runner
