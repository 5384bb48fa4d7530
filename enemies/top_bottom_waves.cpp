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
// the second, while the gate holds.
constexpr WaveScript TopBottomScript(float side, float fall, void (*shot1)(), void (*shot2)(),
                                     bool (*gate)()) {
  return {
      .rate = 25,
      .phases = {{
          {0, 220 * fall},
          {110 * side, 220 * fall, shot1},
          {210 * side, 220 * fall, shot2},
          {310 * side, 220 * fall},
          {410 * side, 0},
      }},
      .gate = gate,
  };
}

// Drawn from its strip in order; Init restarts the slot's timer.
constexpr WaveRow TopBottomWave(TableRef<WaveEnemySlot> slots, const int32_t* image, int32_t x,
                                int32_t y, Bounds box, void (*script)(WaveEnemySlot&)) {
  return StripWave(slots, image, x, y, ClockCells, DebrisSprayFading, box, script, true);
}

// Freed past the bottom or past the side the kind turns to.
constexpr Bounds RightTurnBox{.right = 620, .bottom = 600};
constexpr Bounds LeftTurnBox{.left = 80, .bottom = 600};

}  // namespace

WAVE_SCRIPT(Szak30A, TopBottomScript(1, 1, Szak30AShot1Fire, Szak30AShot2Fire, nullptr))
WAVE_SCRIPT(Szak31A, TopBottomScript(-1, 1, Szak31AShot1Fire, Szak31AShot2Fire, nullptr))
WAVE_SCRIPT(Szak32A, TopBottomScript(1, -1, Szak32AShot1Fire, Szak32AShot2Fire, SubModeOne))
WAVE_SCRIPT(Szak33A, TopBottomScript(-1, -1, Szak33AShot1Fire, Szak33AShot2Fire, SubModeOne))

WAVE_KIND(Szak30A, TopBottomWave(Table(Szak30ASlots), &ImgSzak30, 185, -100, RightTurnBox,
                                 RunScript<Szak30AScript>))
WAVE_KIND(Szak31A, TopBottomWave(Table(Szak31ASlots), &ImgSzak31, 515, -100, LeftTurnBox,
                                 RunScript<Szak31AScript>))
WAVE_KIND(Szak32A, TopBottomWave(Table(Szak32ASlots), &ImgSzak32, 185, 600, RightTurnBox,
                                 RunScript<Szak32AScript>))
WAVE_KIND(Szak33A, TopBottomWave(Table(Szak33ASlots), &ImgSzak33, 515, 600, LeftTurnBox,
                                 RunScript<Szak33AScript>))

AIMED_FAMILY(Szak30AShot1, AimedLine(Table(Szak30AShot1Slots), Owner<Szak30ASlots>(), 0, 40,
                                     Graded({230, 270, 310, 350}), true))
AIMED_FAMILY(Szak30AShot2, AimedLine(Table(Szak30AShot2Slots), Owner<Szak30ASlots>(), 1, 40,
                                     Graded({200, 230, 260, 290, 340}), true))
AIMED_FAMILY(Szak31AShot1, AimedLine(Table(Szak31AShot1Slots), Owner<Szak31ASlots>(), 0, 40,
                                     Graded({230, 270, 310, 350}), true))
AIMED_FAMILY(Szak31AShot2, AimedLine(Table(Szak31AShot2Slots), Owner<Szak31ASlots>(), 1, 40,
                                     Graded({200, 230, 260, 290, 340}), true))
AIMED_FAMILY(Szak32AShot1, AimedLine(Table(Szak32AShot1Slots), Owner<Szak32ASlots>(), 0, 40,
                                     Graded({80, 100, 120, 140}), true))
AIMED_FAMILY(Szak32AShot2, AimedLine(Table(Szak32AShot2Slots), Owner<Szak32ASlots>(), 1, 40,
                                     Graded({80, 100, 120, 140, 160}), true))
AIMED_FAMILY(Szak33AShot1, AimedLine(Table(Szak33AShot1Slots), Owner<Szak33ASlots>(), 0, 40,
                                     Graded({80, 100, 120, 140}), true))
AIMED_FAMILY(Szak33AShot2, AimedLine(Table(Szak33AShot2Slots), Owner<Szak33ASlots>(), 1, 40,
                                     Graded({80, 100, 120, 140, 160}), true))
