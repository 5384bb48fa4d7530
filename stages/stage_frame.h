// The frame that every stage scene shares, driven by one constexpr row per
// stage (its parameters, its boss and its script tables), e.g.
//
//   constexpr BossRow Stage9Boss{.state = &Boss9State, .move = Boss9Move,
//       .draw = Boss9Draw, .defeat = Boss9Defeat, .windowLo = 1300,
//       .windowHi = 11100, .attackBelow = 980, .cycle = {1770, 1770, 1770, 1770},
//       .timeoutLo = 11000, .timeoutHi = 11100, .attack = Boss9Attack};
//   constexpr StageRow Stage9Row{.scene = SceneStage9, .scrollRate = 14, ...,
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
  float windowLo = 0.0f;      // the block runs while lo < ScrollPos < hi
  float windowHi = 0.0f;
  float attackBelow = 0.0f;   // the attack tick runs while 0 < HP < this
  int32_t cycle[4] = {NoSetBack, NoSetBack, NoSetBack, NoSetBack};  // by GameLevel 0..3:
                              // after the attack list the tick goes back to 0 once >= this
  float timeoutLo = 0.0f;     // HP 0 and defeat while lo <= ScrollPos <= hi
  float timeoutHi = 0.0f;
  std::span<const ScriptItem> attack = {};  // on the attack tick and the HP
};

// The five release windows of the power-up item, each [start, start + 50].
constexpr float PowerUpWindowLength = 50.0f;

struct StageRow {
  int32_t scene = 0;            // the stage's scene number (the stage is scene - 1)
  float scrollRate = 0.0f;      // ScrollPos per second
  const char* music = nullptr;  // the stage's MIDI piece; nullptr = none
  bool musicOnEntry = false;    // started in the entry block, SceneFrame not counted
  bool countsFrames = false;    // SceneFrame counted (the music starts on frame 1)
  bool entryClearsPause = false;  // the entry block clears PauseFlag,
                                  // ContinuePrompt and CountdownActive
  int32_t continueBombs = 5;    // BombStock given by the continue key
  StageBackground background = {};
  const BossRow* boss = nullptr;
  // After PlayerShotsDraw: bullet families run before the kinds.
  std::span<const ScriptItem> afterShots = {};
  // The kinds' Move and Update with their wave windows.
  std::span<const ScriptItem> kinds = {};
  // Bullet families run before the power-up item.
  std::span<const ScriptItem> beforePowerUp = {};
  float powerUpWindows[5] = {100, 300, 500, 800, 1000};
  bool powerUpMovesFirst = false;  // the item falls before it is drawn
  // Draws between the power-up item and the ship.
  std::span<const ScriptItem> beforeShip = {};
  // After PlayerUpdate, in this order: the bullet families' Move and Draw.
  std::span<const ScriptItem> families[3] = {};
  bool placesSight = true;          // SightPlace runs before the HUD
  bool sidePanels = false;          // the side panels are drawn before the present
  bool bombNeedsLaserIdle = false;  // the bomb waits for LaserAReady 0
  bool raySalvo = true;             // ShipRaySchedule runs while the salvo is on
  bool homingLasers = false;        // at GameLevel 3 the four homing-laser launchers
                                    // run after the shot hit pass
  bool autoFireBlock = true;        // the automatic-fire block runs
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
