// The frame that every stage scene shares, driven by one constexpr row per
// stage (its parameters, its boss and its script tables), e.g.
//
//   constexpr BossRow Stage9Boss{.state = &Boss9State, .move = Boss9Move,
//       .draw = Boss9Draw, .defeat = Boss9Defeat, .window_lo = 1300,
//       .window_hi = 11100, .attack_below = 980, .cycle = {1770, 1770, 1770, 1770},
//       .timeout_lo = 11000, .timeout_hi = 11100, .attack = Boss9Attack};
//   constexpr StageRow Stage9Row{.scene = SceneStage9, .scroll_rate = 14, ...,
//       .boss = &Stage9Boss, .kinds = Stage9Kinds, .families = {Boss9Families,
//       Stage9KindFamilies}};
//   void Stage9Scene() { RunStageFrame(Stage9Row); }
//
// The script sections (stage_script.h) sit at fixed points of the frame;
// an empty section does nothing.
#pragma once
#include <climits>
#include <cstdint>
#include <span>

#include "stages/boss_records.h"
#include "stages/common/stage_script.h"
#include "stages/stage_background.h"

// A cycle that never sets the tick back (it wraps to 0 only at the largest
// tick, far beyond any fight).
constexpr int32_t NoSetBack = INT32_MAX;

// The boss block of a stage.
struct BossRow {
  BossState* state = nullptr;
  ScriptOp move = nullptr;    // then draw, which ends by calling defeat; a row
  ScriptOp draw = nullptr;    // without a draw calls defeat in its place
  ScriptOp defeat = nullptr;  // also called by the time-out
  float window_lo = 0.0f;     // the block runs while lo < ScrollPos < hi
  float window_hi = 0.0f;
  float attack_below = 0.0f;  // the attack tick runs while 0 < HP < this
  int32_t cycle[4] = {NoSetBack, NoSetBack, NoSetBack, NoSetBack};  // by GameLevel 0..3:
                              // after the attack list the tick goes back to 0 once >= this
  float timeout_lo = 0.0f;    // HP 0 and defeat while lo <= ScrollPos <= hi
  float timeout_hi = 0.0f;
  std::span<const ScriptItem> attack = {};  // on the attack tick and the HP
};

// The five release windows of the power-up item, each [start, start + 50].
constexpr float PowerUpWindowLength = 50.0f;

struct StageRow {
  int32_t scene = 0;          // the stage's scene number (the stage is scene - 1)
  float scroll_rate = 0.0f;   // ScrollPos per second
  const char* music = nullptr;  // the stage's MIDI piece; nullptr = none
  bool music_on_entry = false;  // started in the entry block, SceneFrame not counted
  bool counts_frames = false;   // SceneFrame counted (the music starts on frame 1)
  bool entry_clears_pause = false;  // the entry block clears PauseFlag,
                                    // ContinuePrompt and CountdownActive
  int32_t continue_bombs = 5;   // BombStock given by the continue key
  StageBackground background = {};
  const BossRow* boss = nullptr;
  // After PlayerShotsDraw: bullet families run before the kinds.
  std::span<const ScriptItem> after_shots = {};
  // The kinds' Move and Update with their wave windows.
  std::span<const ScriptItem> kinds = {};
  // Bullet families run before the power-up item.
  std::span<const ScriptItem> before_power_up = {};
  float power_up_windows[5] = {100, 300, 500, 800, 1000};
  bool power_up_moves_first = false;  // the item falls before it is drawn
  // Draws between the power-up item and the ship.
  std::span<const ScriptItem> before_ship = {};
  // After PlayerUpdate, in this order: the bullet families' Move and Draw.
  std::span<const ScriptItem> families[3] = {};
  bool places_sight = true;           // SightPlace runs before the HUD
  bool side_panels = false;           // the side panels are drawn before the present
  bool bomb_needs_laser_idle = false;  // the bomb waits for LaserAReady 0
  bool ray_salvo = true;              // ShipRaySchedule runs while the salvo is on
  bool homing_lasers = false;  // at GameLevel 3 the four homing-laser launchers
                               // run after the shot hit pass
  bool auto_fire_block = true;  // the automatic-fire block runs
};

// SceneFrame wraps to 0 when it reaches this.
constexpr int32_t SceneFrameWrap = 100999999;

// Called in every unpaused stage frame after the bullet families and before
// the sight; nullptr = nothing.  For tools: the headless runner calls game
// roles by name there.
extern void (*StageFrameHook)();

// The boss block: while the boss window is open the boss's Move and Draw,
// the attack tick with the attack list and the set-back while 0 < HP <
// limit, then the time-out.
void RunBossBlock(const BossRow& boss);

// One frame of a stage scene: entry block, the paused frame with the continue
// key, or an unpaused frame (count, clear, scroll, draw, present, then the
// work after the present, last the continue countdown).
void RunStageFrame(const StageRow& stage);
