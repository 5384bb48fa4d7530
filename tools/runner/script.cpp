#include "script.h"

#include <algorithm>
#include <cctype>

#include "input.h"
#include "os/keys.h"

namespace runner {
int KeyFromName(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return std::toupper(static_cast<unsigned char>(name[0]));
  }
  int64_t number = 0;
  if (name.size() > 1 && std::isdigit(static_cast<unsigned char>(name[0]))) {
    return ParseDecimal(name, 0, os::KeyCount - 1, &number) ? static_cast<int>(number) : -1;
  }
  const std::string n = LowerCase(name);
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
  if (n.size() >= 2 && n[0] == 'f' && ParseDecimal(std::string_view(n).substr(1), 1, 12, &number))
    return os::KeyF1 + static_cast<int>(number) - 1;
  return -1;
}

bool ParseScript(std::string_view text, long last_frame, std::vector<KeyEvent>* events,
                 std::string* error) {
  const LineRules rules{"\"frame key down|up [every N until F]\""};
  return ForEachLine(
      text, rules,
      [events, last_frame](LineWords& words) {
        KeyEvent event;
        std::string key, action;
        if (!words.Frame(&event.frame) || !words.Word("the key", &key))
          return false;
        event.key = KeyFromName(key);
        if (event.key < 0) return words.Fail(Quoted(key) + " names no key");
        if (!words.Word("down or up", &action)) return false;
        action = LowerCase(action);
        if (action != "down" && action != "up")
          return words.Fail(Quoted(action) + " is not down or up");
        event.down = action == "down";
        event.until = event.frame;
        if (words.More()) {
          if (!words.Keyword("every") || !words.Number("a period", 1, kLastFrame, &event.every) ||
              !words.Keyword("until") || !words.Frame(&event.until))
            return false;
          if (event.until < event.frame)
            return words.Fail("until " + std::to_string(event.until) + " comes before frame " +
                              std::to_string(event.frame));
        }
        if (!words.End() || !words.NotPast(event.frame, last_frame)) return false;
        event.until = std::min(event.until, last_frame);
        events->push_back(event);
        return true;
      },
      error);
}

KeySchedule::KeySchedule(std::vector<KeyEvent> lines) : lines_(std::move(lines)) {
  for (size_t i = 0; i < lines_.size(); ++i) due_.emplace(lines_[i].frame, i);
}

bool KeySchedule::Next(long frame, KeyEvent* event) {
  if (due_.empty() || due_.top().first > frame) return false;
  const auto [at, line] = due_.top();
  due_.pop();
  *event = lines_[line];
  event->frame = at;
  // Both at most 999999: no overflow.
  if (at + event->every <= event->until) due_.emplace(at + event->every, line);
  return true;
}

}  // namespace runner
