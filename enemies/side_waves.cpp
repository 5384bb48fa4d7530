// The side waves and their guns, as rows of the wave and bullet engines.
#include "enemies/side_waves.h"

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/wave_engine.h"
#include "enemies/wave_rows.h"
#include "shell/assets.h"
#include "shell/game_state.h"

namespace {

bool ModeTwoOrSubModeOne() { return GameMode == 2 || GameSubMode == 1; }

// Crosses at 220 px/s to the right (side 1) or left (side -1), turns down
// (fall 1) or up (fall -1) through three ever steeper diagonals and leaves
// at 410 px/s, its clock running at `rate`; Shot1 fires through the first
// turn while the gate holds (no gate: always).
struct SideTurn {
  float rate;
  float side, fall;
  void (*shot1)();
  bool (*gate)() = nullptr;
};
constexpr WaveScript SideScript(const SideTurn& turn) {
  const float side = turn.side;
  const float fall = turn.fall;
  return {
      .rate = turn.rate,
      .phases = {{
          {220 * side, 0},
          {220 * side, 110 * fall, turn.shot1},
          {220 * side, 210 * fall},
          {220 * side, 310 * fall},
          {0, 410 * fall},
      }},
      .gate = turn.gate,
  };
}

// Drawn from its strip in reverse; Init leaves the slot's timer, so the
// five timers stay equal.
constexpr WaveRow SideWave(const StripFlight& flight, const Pieces& pieces) {
  return StripWave(flight, ClockCellsReversed, pieces, false);
}

// One aimed bullet per enemy slot from the slot + (42, 50) at 210 ..
// 309 px/s, headed at the ship + 22; retired outside -16 <= x <= 620,
// -16 <= y <= 600 or while BombWave is 1; drawn from the 24 cells of
// VAL16241 while it flies.
constexpr AimedRow SideGun(TableRef<AimedShot> shots, OwnerRef owner) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .dx = 42, .dy = 50},
      .aim = 22,
      .speed = SpeedOf(Rand(100, 210)),
      .spareAtLaunch = Fixed(300),
      .retire = {.field = {.left = -16, .right = 620, .top = -16, .bottom = 600}},
      .ship = ShipBox(14, 24),
      .look = AdditiveStrip(&ImgVal16241, 16, 24, false),
  };
}

}  // namespace

WAVE_SCRIPT(Szak30B, SideScript({.rate = 30, .side = 1, .fall = 1, .shot1 = Szak30BShot1Fire}))
WAVE_SCRIPT(Szak31B, SideScript({.rate = 25, .side = -1, .fall = 1, .shot1 = Szak31BShot1Fire}))
WAVE_SCRIPT(Szak32B, SideScript({.rate = 30, .side = 1, .fall = -1, .shot1 = Szak32BShot1Fire,
                                 .gate = ModeTwoOrSubModeOne}))
WAVE_SCRIPT(Szak33B, SideScript({.rate = 30, .side = -1, .fall = -1, .shot1 = Szak33BShot1Fire,
                                 .gate = ModeTwoOrSubModeOne}))

WAVE_KIND(Szak30B, SideWave({.slots = Table(Szak30BSlots), .image = &ImgSzak30, .x = 80, .y = 100,
                             .box = {.right = 620, .bottom = 600},
                             .script = RunScript<Szak30BScript>},
                            DownTurnPieces))
WAVE_KIND(Szak31B, SideWave({.slots = Table(Szak31BSlots), .image = &ImgSzak31, .x = 620, .y = 100,
                             .box = {.left = 80, .bottom = 600},
                             .script = RunScript<Szak31BScript>},
                            DownTurnPieces))
WAVE_KIND(Szak32B, SideWave({.slots = Table(Szak32BSlots), .image = &ImgSzak32, .x = 80, .y = 240,
                             .box = {.right = 620, .top = -100},
                             .script = RunScript<Szak32BScript>},
                            UpTurnPieces))
WAVE_KIND(Szak33B, SideWave({.slots = Table(Szak33BSlots), .image = &ImgSzak33, .x = 620, .y = 240,
                             .box = {.left = 80, .top = -100},
                             .script = RunScript<Szak33BScript>},
                            UpTurnPieces))

AIMED_FAMILY(Szak30BShot1, SideGun(Table(Szak30BShot1Slots), Owner<Szak30BSlots>()))
AIMED_FAMILY(Szak31BShot1, SideGun(Table(Szak31BShot1Slots), Owner<Szak31BSlots>()))
AIMED_FAMILY(Szak32BShot1, SideGun(Table(Szak32BShot1Slots), Owner<Szak32BSlots>()))
AIMED_FAMILY(Szak33BShot1, SideGun(Table(Szak33BShot1Slots), Owner<Szak33BSlots>()))
