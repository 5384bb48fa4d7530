// The frame that every stage scene shares, driven by one row of parameters
// per stage.
#pragma once
#include <cstdint>

struct StageParams {
  int32_t scene;            // the stage's scene number
  float scroll_rate;        // ScrollPos per second
  const char* music;        // the stage's MIDI piece; nullptr = none
  bool music_on_entry;      // started in the entry block, SceneFrame not counted
  bool counts_frames;       // SceneFrame counted (the music starts on frame 1)
  bool entry_clears_pause;  // the entry block clears PauseFlag, ContinuePrompt
                            // and CountdownActive
  int32_t continue_bombs;   // BombStock given by the continue key
  int32_t next_scene;       // where the boss's defeat leads
  int32_t band;             // transition band of that scene change
  bool homing_lasers;       // at GameLevel 3 the four homing-laser launchers
                            // run after the shot hit pass
  float last_power_up_window;  // start of the last power-up scroll window
  bool power_up_moves_first;   // the item falls before it is drawn
  bool boss2_missile_draws;    // the two Boss2 homing-missile draws run
  bool places_sight;           // SightPlace runs before the HUD
  bool side_panels;            // the side panels are drawn before the present
  bool bomb_needs_laser_idle;  // the bomb waits for LaserAReady 0
  bool ray_salvo;              // ShipRaySchedule runs while the salvo is on
  bool auto_fire_block;        // the automatic-fire block runs
};

// Rows for stages 1 to 8 (index 0 is stage 1).
extern const StageParams StageTable[8];

// SceneFrame wraps to 0 when it reaches this.
constexpr int32_t SceneFrameWrap = 100999999;

// Called in every unpaused stage frame after the ship is drawn and before
// the HUD; nullptr = nothing.  For tools: the headless runner calls enemy
// roles by name there.
extern void (*StageFrameHook)();

// One frame of a stage scene: entry block, the paused frame with the continue
// key, or an unpaused frame (count, clear, scroll, draw, present, then the
// work after the present, last the continue countdown).
void RunStageFrame(const StageParams& stage);
