// What a recorded run shows of the game as played: facts "FACT@SCENE", the
// scene a number (shell/scene.h), gathered after every frame and kept on a
// recording's "seen" lines (recording.h), so that test_runner can check that
// the recordings together play the game as a player does.
//
// Of the stage scenes (2 to 9):
//   backgrounds   a stage frame with its background layers on
//   C, V, B       a shot of laser C, laser V or the ray salvo in flight
//   death         the ship's death explosion
//   prompt        the continue prompt up for kPromptWhile frames
//   continue      the prompt gone in the same stage: a continue taken
//   cycle         a boss's attack timeline set back after a whole cycle
//   defeat        a boss's defeat sequence running
// Of the title (1):
//   title-cycles  the title's picture cycle run through twice in one visit
// Each key where it did something, in the scene it was pressed in:
//   key-Return    the title left for the mode screen
//   key-F1, key-F2          a game started at level 1, at level 3
//   key-Space     the backgrounds turned off (mode screen), the ending left
//                 for the title (ending)
//   key-M, key-K, key-O     mouse steering, key steering, a ship that cannot
//                 die turned on (each where it was off)
//   key-Left, key-Right, key-Up, key-Down   the ship moved that way
//   key-B         the ray salvo started
//   key-C, key-V  laser C or V scheduled
//   key-Y         a continue taken at the prompt
//   key-S-pause, key-S-resume   a stage paused, resumed
//   key-S-prompt  S pressed while the continue prompt is up (the recorded
//                 PauseFlag says what it did)
//   key-T, key-T-prompt     back to the title (from a stage with the
//                 continue prompt up)
//   key-Escape    the game's loop ended
//   mouse         the ship moved to the pointer (mouse steering)
//   double-click  the ray salvo started by a double click
#pragma once
#include <cstdint>
#include <set>
#include <string>

namespace runner {

// The frames the continue prompt stays up before a run counts it as seen.
inline constexpr long kPromptWhile = 120;

class Observer {
 public:
  Observer();
  // The run's input as it is given, before the frame it comes before.
  void Key(int key, bool down);
  void Pointer(int x, int y);
  void Button(bool down, bool double_click);
  // After every frame that ran.
  void AfterFrame();
  // After the last frame.
  void AtEnd();
  const std::set<std::string>& Facts() const { return facts_; }

  // The state a fact is told from, after a frame.
  struct Glance {
    int32_t scene = 0;
    uint32_t pause = 0, prompt = 0, keyboard = 0, mouse = 0, no_death = 0, backgrounds_off = 0;
    uint32_t salvo = 0;
    int32_t laser_a = 0, laser_b = 0, level = 0;
    float x = 0, y = 0;
    int32_t attack_ticks[8] = {};
  };

 private:
  void See(const char* fact, int32_t scene);

  std::set<std::string> facts_;
  Glance before_;              // after the frame before
  std::set<int> held_;         // keys down
  std::set<int> pressed_;      // keys gone down since the frame before
  bool pointer_moved_ = false;  // until the ship is seen to follow
  int pointer_x_ = 0, pointer_y_ = 0;
  bool double_click_ = false;  // since the frame before
  int32_t escape_scene_ = -1;  // where Escape went down
  long prompt_frames_ = 0;     // the frames the continue prompt has been up
  int title_wraps_ = 0;        // the title's picture cycles in this visit
};

}  // namespace runner
