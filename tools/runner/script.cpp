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

namespace {

// The words after "down" or "up": down or not, else false with the fault.
bool DownOrUp(LineWords& words, bool* down) {
  std::string action;
  if (!words.Word("down or up", &action)) return false;
  action = LowerCase(action);
  if (action != "down" && action != "up") return words.Fail(Quoted(action) + " is not down or up");
  *down = action == "down";
  return true;
}

// The words of a mouse line after "mouse" or "click" (`first`): "X Y", or
// "left|right down|up [double]".
bool MouseWords(LineWords& words, const std::string& first, InputEvent* event) {
  if (first == "mouse") {
    event->kind = InputEvent::Pointer;
    return words.Number("the pointer's x", 0, kScreenWidth - 1, &event->x) &&
           words.Number("the pointer's y", 0, kScreenHeight - 1, &event->y);
  }
  event->kind = InputEvent::Button;
  std::string button;
  if (!words.Word("the button", &button)) return false;
  button = LowerCase(button);
  if (button != "left" && button != "right")
    return words.Fail(Quoted(button) + " is not left or right");
  event->button = button == "left" ? 1 : 2;
  if (!DownOrUp(words, &event->down)) return false;
  // "double" may follow a press, "every" begins the repeats.
  if (event->down && words.More()) {
    LineWords ahead = words;
    std::string next;
    ahead.Word("double", &next);
    if (LowerCase(next) == "double") {
      words = ahead;
      event->double_click = true;
    }
  }
  return true;
}

}  // namespace

bool ParseScript(std::string_view text, long last_frame, std::vector<InputEvent>* events,
                 std::string* error) {
  const LineRules rules{
      "\"frame key down|up\", \"frame mouse X Y\" or \"frame click left|right down|up "
      "[double]\", each [every N until F]"};
  return ForEachLine(
      text, rules,
      [events, last_frame](LineWords& words) {
        InputEvent event;
        std::string key;
        if (!words.Frame(&event.frame) || !words.Word("the key", &key))
          return false;
        const std::string first = LowerCase(key);
        if (first == "mouse" || first == "click") {
          if (!MouseWords(words, first, &event)) return false;
        } else {
          event.key = KeyFromName(key);
          if (event.key < 0) return words.Fail(Quoted(key) + " names no key");
          if (!DownOrUp(words, &event.down)) return false;
        }
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

InputSchedule::InputSchedule(std::vector<InputEvent> lines) : lines_(std::move(lines)) {
  for (size_t i = 0; i < lines_.size(); ++i) due_.emplace(lines_[i].frame, i);
}

bool InputSchedule::Next(long frame, InputEvent* event) {
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
