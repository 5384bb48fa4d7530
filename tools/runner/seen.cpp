#include "seen.h"

#include <algorithm>
#include <iterator>

#include "os/keys.h"
#include "shell/shell.h"
#include "state_walk.h"

namespace runner {
namespace {

using Glance = Observer::Glance;

bool IsStage(int32_t scene) { return scene >= SceneStage1 && scene <= SceneStage8; }
// A frame of play in one scene where the ship flies: a stage or the ending.
bool InPlay(const Glance& b, const Glance& a) {
  return b.scene == a.scene && (IsStage(a.scene) || a.scene == SceneEnding);
}
bool TurnedOn(uint32_t before, uint32_t after) { return before == 0 && after == 1; }

static_assert(sizeof(Glance::attack_ticks) / sizeof(int32_t) == std::size(kBossRows),
              "a glance keeps every boss's attack timeline");

Glance Look() {
  Glance g{.scene = SceneNumber, .pause = PauseFlag, .prompt = ContinuePrompt,
           .keyboard = KeyboardControl, .mouse = MouseControl, .no_death = NoDeath,
           .backgrounds_off = BackgroundOff, .salvo = BombSalvoActive,
           .laser_a = LaserACounter, .laser_b = LaserBCounter, .level = GameLevel,
           .x = PlayerX, .y = PlayerY};
  for (size_t i = 0; i < std::size(kBossRows); ++i)
    g.attack_ticks[i] = kBossRows[i].state->attackTick;
  return g;
}

// A key held through a frame, and what it did there as told by the state
// before and after the frame (those read while the frame runs: the scenes
// read the last key pressed, the ship the keys held).
struct HeldKey {
  int key;
  const char* fact;
  bool (*did)(const Glance& b, const Glance& a);
};
const HeldKey kHeldKeys[] = {
    {os::KeyReturn, "key-Return",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneTitle && a.scene == SceneModeSelect;
     }},
    {os::KeyF1, "key-F1",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneModeSelect && a.scene == SceneStage1 && a.level == 1;
     }},
    {os::KeyF2, "key-F2",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneModeSelect && a.scene == SceneStage1 && a.level == 3;
     }},
    {os::KeySpace, "key-Space",
     [](const Glance& b, const Glance& a) {
       return (b.scene == SceneModeSelect && TurnedOn(b.backgrounds_off, a.backgrounds_off)) ||
              (b.scene == SceneEnding && a.scene == SceneTitle);
     }},
    {'M', "key-M",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneModeSelect && TurnedOn(b.mouse, a.mouse);
     }},
    {'K', "key-K",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneModeSelect && TurnedOn(b.keyboard, a.keyboard);
     }},
    {'O', "key-O",
     [](const Glance& b, const Glance& a) {
       return b.scene == SceneModeSelect && TurnedOn(b.no_death, a.no_death);
     }},
    {os::KeyLeft, "key-Left",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.x < b.x; }},
    {os::KeyRight, "key-Right",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.x > b.x; }},
    {os::KeyUp, "key-Up",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.y < b.y; }},
    {os::KeyDown, "key-Down",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.y > b.y; }},
    {'B', "key-B",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && TurnedOn(b.salvo, a.salvo); }},
    {'C', "key-C",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.laser_a != b.laser_a; }},
    {'V', "key-V",
     [](const Glance& b, const Glance& a) { return InPlay(b, a) && a.laser_b != b.laser_b; }},
    {'Y', "key-Y",
     [](const Glance& b, const Glance& a) {
       return IsStage(b.scene) && b.scene == a.scene && b.prompt == 1 && a.prompt == 0;
     }},
};

// What S or T did on going down (the key handler acts on them at once), or
// nullptr.
const char* Pressed(int key, const Glance& b, const Glance& a) {
  if (key == 'S' && IsStage(b.scene)) {
    if (b.prompt == 1) return "key-S-prompt";
    if (TurnedOn(b.pause, a.pause)) return "key-S-pause";
    if (b.pause == 1 && a.pause == 0) return "key-S-resume";
  }
  if (key == 'T' && b.scene != SceneTitle && a.scene == SceneTitle)
    return IsStage(b.scene) && b.prompt == 1 ? "key-T-prompt" : "key-T";
  return nullptr;
}

}  // namespace

Observer::Observer() : before_(Look()) {}

void Observer::See(const char* fact, int32_t scene) {
  facts_.insert(std::string(fact) + "@" + std::to_string(scene));
}

void Observer::Key(int key, bool down) {
  if (!down) {
    held_.erase(key);
    return;
  }
  held_.insert(key);
  pressed_.insert(key);
  if (key == os::KeyEscape) escape_scene_ = before_.scene;
}

void Observer::Pointer(int x, int y) {
  pointer_moved_ = true;
  pointer_x_ = x;
  pointer_y_ = y;
}

void Observer::Button(bool down, bool double_click) { double_click_ = down && double_click; }

void Observer::AfterFrame() {
  const Glance b = before_, a = Look();
  const int32_t scene = a.scene;
  auto flying = [](const auto& table) {
    return std::any_of(std::begin(table), std::end(table),
                       [](const auto& record) { return record.active != 0; });
  };
  title_wraps_ = scene != SceneTitle ? 0 : title_wraps_ + (TitleCounter == 0 ? 1 : 0);
  if (title_wraps_ == 2) See("title-cycles", scene);
  prompt_frames_ = a.prompt == 1 ? prompt_frames_ + 1 : 0;
  if (IsStage(scene)) {
    if (BackgroundOff == 0) See("backgrounds", scene);
    if (flying(LaserASegments)) See("C", scene);
    if (flying(LaserBSegments)) See("V", scene);
    if (flying(ShipRays)) See("B", scene);
    if (DeathBurstCounter > 0) See("death", scene);
    if (prompt_frames_ == kPromptWhile) See("prompt", scene);
    if (b.prompt == 1 && a.prompt == 0 && scene == b.scene) See("continue", scene);
    for (size_t i = 0; i < std::size(kBossRows); ++i) {
      const BossState& boss = *kBossRows[i].state;
      if (scene == b.scene && b.attack_ticks[i] > 0 && a.attack_ticks[i] == 0 &&
          boss.hitPoints > 0.0f)
        See("cycle", scene);
      if (boss.defeatTimer > 0.0f) See("defeat", scene);
    }
  }

  for (const HeldKey& key : kHeldKeys) {
    if (held_.count(key.key) != 0 && key.did(b, a)) See(key.fact, b.scene);
  }
  for (int key : pressed_) {
    if (const char* fact = Pressed(key, b, a)) See(fact, b.scene);
  }
  pressed_.clear();
  if (pointer_moved_ && IsStage(scene) && a.mouse == 1 &&
      a.x == static_cast<float>(pointer_x_ - 30) && a.y == static_cast<float>(pointer_y_ - 30) &&
      (a.x != b.x || a.y != b.y)) {
    See("mouse", scene);
    pointer_moved_ = false;
  }
  if (double_click_ && InPlay(b, a) && TurnedOn(b.salvo, a.salvo)) See("double-click", scene);
  double_click_ = false;
  before_ = a;
}

void Observer::AtEnd() {
  if (escape_scene_ >= 0 && LoopEnded()) See("key-Escape", escape_scene_);
}

}  // namespace runner
