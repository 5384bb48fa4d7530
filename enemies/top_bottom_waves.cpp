// The top and bottom waves and their guns, as rows of the wave and bullet
// engines.
#include "enemies/top_bottom_waves.h"

#include "enemies/engine/wave_engine.h"
#include "enemies/kind_rows.h"
#include "enemies/wave_rows.h"
#include "shell/assets.h"
#include "shell/game_state.h"

namespace {

bool SubModeOne() { return GameSubMode == 1; }

// Falls (fall 1) or rises (fall -1) at 220 px/s, turns through three ever
// flatter diagonals to the right (side 1) or left (side -1), and leaves
// sideways at 410 px/s; Shot1 fires through the first turn, Shot2 through
// the second, while the gate holds (no gate: always).
struct TopBottomTurn {
  float side, fall;
  void (*shot1)();
  void (*shot2)();
  bool (*gate)() = nullptr;
};
constexpr WaveScript TopBottomScript(const TopBottomTurn& turn) {
  const float side = turn.side;
  const float fall = turn.fall;
  return {
      .rate = 25,
      .phases = {{
          {0, 220 * fall},
          {110 * side, 220 * fall, turn.shot1},
          {210 * side, 220 * fall, turn.shot2},
          {310 * side, 220 * fall},
          {410 * side, 0},
      }},
      .gate = turn.gate,
  };
}

// Drawn from its strip in order; Init restarts the slot's timer.
constexpr WaveRow TopBottomWave(const StripFlight& flight) {
  return StripWave(flight, ClockCells, DebrisSprayFading, true);
}

// Freed past the bottom or past the side the kind turns to.
constexpr Bounds RightTurnBox{.right = 620, .bottom = 600};
constexpr Bounds LeftTurnBox{.left = 80, .bottom = 600};

}  // namespace

WAVE_SCRIPT(Szak30A, TopBottomScript({.side = 1, .fall = 1,
                                      .shot1 = Szak30AShot1Fire, .shot2 = Szak30AShot2Fire}))
WAVE_SCRIPT(Szak31A, TopBottomScript({.side = -1, .fall = 1,
                                      .shot1 = Szak31AShot1Fire, .shot2 = Szak31AShot2Fire}))
WAVE_SCRIPT(Szak32A, TopBottomScript({.side = 1, .fall = -1,
                                      .shot1 = Szak32AShot1Fire, .shot2 = Szak32AShot2Fire,
                                      .gate = SubModeOne}))
WAVE_SCRIPT(Szak33A, TopBottomScript({.side = -1, .fall = -1,
                                      .shot1 = Szak33AShot1Fire, .shot2 = Szak33AShot2Fire,
                                      .gate = SubModeOne}))

WAVE_KIND(Szak30A, TopBottomWave({.slots = Table(Szak30ASlots), .image = &ImgSzak30,
                                  .x = 185, .y = -100, .box = RightTurnBox,
                                  .script = RunScript<Szak30AScript>}))
WAVE_KIND(Szak31A, TopBottomWave({.slots = Table(Szak31ASlots), .image = &ImgSzak31,
                                  .x = 515, .y = -100, .box = LeftTurnBox,
                                  .script = RunScript<Szak31AScript>}))
WAVE_KIND(Szak32A, TopBottomWave({.slots = Table(Szak32ASlots), .image = &ImgSzak32,
                                  .x = 185, .y = 600, .box = RightTurnBox,
                                  .script = RunScript<Szak32AScript>}))
WAVE_KIND(Szak33A, TopBottomWave({.slots = Table(Szak33ASlots), .image = &ImgSzak33,
                                  .x = 515, .y = 600, .box = LeftTurnBox,
                                  .script = RunScript<Szak33AScript>}))

AIMED_FAMILY(Szak30AShot1, AimedLine(Table(Szak30AShot1Slots), Owner<Szak30ASlots>(),
                                     {.slot = 0, .dx = 40, .bombWave = true,
                                      .speeds = Graded({230, 270, 310, 350})}))
AIMED_FAMILY(Szak30AShot2, AimedLine(Table(Szak30AShot2Slots), Owner<Szak30ASlots>(),
                                     {.slot = 1, .dx = 40, .bombWave = true,
                                      .speeds = Graded({200, 230, 260, 290, 340})}))
AIMED_FAMILY(Szak31AShot1, AimedLine(Table(Szak31AShot1Slots), Owner<Szak31ASlots>(),
                                     {.slot = 0, .dx = 40, .bombWave = true,
                                      .speeds = Graded({230, 270, 310, 350})}))
AIMED_FAMILY(Szak31AShot2, AimedLine(Table(Szak31AShot2Slots), Owner<Szak31ASlots>(),
                                     {.slot = 1, .dx = 40, .bombWave = true,
                                      .speeds = Graded({200, 230, 260, 290, 340})}))
AIMED_FAMILY(Szak32AShot1, AimedLine(Table(Szak32AShot1Slots), Owner<Szak32ASlots>(),
                                     {.slot = 0, .dx = 40, .bombWave = true,
                                      .speeds = Graded({80, 100, 120, 140})}))
AIMED_FAMILY(Szak32AShot2, AimedLine(Table(Szak32AShot2Slots), Owner<Szak32ASlots>(),
                                     {.slot = 1, .dx = 40, .bombWave = true,
                                      .speeds = Graded({80, 100, 120, 140, 160})}))
AIMED_FAMILY(Szak33AShot1, AimedLine(Table(Szak33AShot1Slots), Owner<Szak33ASlots>(),
                                     {.slot = 0, .dx = 40, .bombWave = true,
                                      .speeds = Graded({80, 100, 120, 140})}))
AIMED_FAMILY(Szak33AShot2, AimedLine(Table(Szak33AShot2Slots), Owner<Szak33ASlots>(),
                                     {.slot = 1, .dx = 40, .bombWave = true,
                                      .speeds = Graded({80, 100, 120, 140, 160})}))
