// The rotating waves and their guns, as rows of the wave and bullet engines.
#include "enemies/rotating_waves.h"

#include "enemies/engine/wave_engine.h"
#include "enemies/kind_rows.h"
#include "enemies/wave_rows.h"
#include "shell/assets.h"

namespace {

// From the top: falls at 220 px/s, turning right (side 1) or left (side -1)
// through three ever flatter diagonals, and drifts sideways at 180 px/s,
// its clock running at `rate`; Shot1 fires through the first window, Shot2
// through the second.
struct TopTurn {
  float rate;
  float side;
  void (*shot1)();
  void (*shot2)();
};
constexpr WaveScript TopScript(const TopTurn& turn) {
  const float side = turn.side;
  return {
      .rate = turn.rate,
      .phases = {{
          {0, 220, turn.shot1},
          {110 * side, 220, turn.shot2},
          {210 * side, 220},
          {310 * side, 220},
          {180 * side, 0},
      }},
  };
}

// From the bottom: rises fast at 400 px/s, then at 220 px/s through the
// same turns, and drifts sideways at 180 px/s; no guns.
constexpr WaveScript BottomScript(float side) {
  return {
      .rate = 25,
      .phases = {{
          {0, -400},
          {110 * side, -220},
          {210 * side, -220},
          {310 * side, -220},
          {180 * side, 0},
      }},
  };
}

// Enters at (x, y) standing; drawn turned by its angle, which turns 7
// degrees a frame on parked slots too; explodes only while active.  Leaving
// 60 <= x <= 620, -120 <= y <= 600 parks it at x 340, and each such free
// sends a lock record whose point lies outside 150 <= x <= 620, -70 <= y <=
// 600 away to (370, 0), unlocked; Init and the explosion's end put it home
// at (290, 0).  The sight mark of a locked, active slot sits at + (30, 30).
struct RotatingFlight {
  TableRef<WaveEnemySlot> slots;
  TableRef<LockOnTarget> locks;
  const int32_t* image;
  int32_t x, y;
  void (*script)(WaveEnemySlot&);
  bool restartsTimer;  // Init restarts the slot's timer
};
constexpr WaveRow RotatingWave(const RotatingFlight& flight) {
  return {
      .kind = {
          .slots = flight.slots,
          .x = Fixed(flight.x), .y = Fixed(flight.y), .vx = Fixed(0), .vy = Fixed(0),
          .image = flight.image, .w = 119, .h = 119,
          .rotated = true, .spin = 7,
          .freeSlotsDraw = true,
          .pieces = FiveWayBurst(Blit::Half),
          .unblendedPieces = WaveUnblendedPieces,
          .xSign = 1,
          .steer = flight.script,
          .box = {.left = 60, .right = 620, .top = -120, .bottom = 600},
          .parkX = 340,
          .lock = {.targets = flight.locks, .sightX = 30, .sightY = 30,
                   .resetOnSpawn = true, .homeX = 290, .homeY = 0,
                   .keepBox = {150, 620, -70, 600},
                   .awayX = 370, .awayY = 0},
      },
      .cycle = 150,
      .initRestartsTimer = flight.restartsTimer,
  };
}

}  // namespace

WAVE_SCRIPT(Szak40A, TopScript({.rate = 40, .side = 1,
                                .shot1 = Szak40AShot1Fire, .shot2 = Szak40AShot2Fire}))
WAVE_SCRIPT(Szak41A, TopScript({.rate = 25, .side = -1,
                                .shot1 = Szak41AShot1Fire, .shot2 = Szak41AShot2Fire}))
WAVE_SCRIPT(Szak40B, BottomScript(1))
WAVE_SCRIPT(Szak41B, BottomScript(-1))

WAVE_KIND(Szak40A, RotatingWave({.slots = Table(Szak40ASlots),
                                 .locks = Table(Szak40ALockTargets),
                                 .image = &ImgSzak40, .x = 205, .y = -120,
                                 .script = RunScript<Szak40AScript>,
                                 .restartsTimer = true}))
WAVE_KIND(Szak41A, RotatingWave({.slots = Table(Szak41ASlots),
                                 .locks = Table(Szak41ALockTargets),
                                 .image = &ImgSzak41, .x = 495, .y = -120,
                                 .script = RunScript<Szak41AScript>,
                                 .restartsTimer = true}))
WAVE_KIND(Szak40B, RotatingWave({.slots = Table(Szak40BSlots),
                                 .locks = Table(Szak40BLockTargets),
                                 .image = &ImgSzak40, .x = 185, .y = 600,
                                 .script = RunScript<Szak40BScript>,
                                 .restartsTimer = false}))
WAVE_KIND(Szak41B, RotatingWave({.slots = Table(Szak41BSlots),
                                 .locks = Table(Szak41BLockTargets),
                                 .image = &ImgSzak41, .x = 515, .y = 600,
                                 .script = RunScript<Szak41BScript>,
                                 .restartsTimer = false}))

AIMED_FAMILY(Szak40AShot1, AimedLine(Table(Szak40AShot1Slots), Owner<Szak40ASlots>(),
                                     {.slot = 0, .dx = 50, .bombWave = false,
                                      .speeds = Graded({260, 280, 300, 320})}))
AIMED_FAMILY(Szak40AShot2, AimedLine(Table(Szak40AShot2Slots), Owner<Szak40ASlots>(),
                                     {.slot = 1, .dx = 50, .bombWave = false,
                                      .speeds = Graded({260, 280, 300, 320, 340})}))
AIMED_FAMILY(Szak41AShot1, AimedLine(Table(Szak41AShot1Slots), Owner<Szak41ASlots>(),
                                     {.slot = 0, .dx = 50, .bombWave = false,
                                      .speeds = Graded({260, 280, 300, 320})}))
AIMED_FAMILY(Szak41AShot2, AimedLine(Table(Szak41AShot2Slots), Owner<Szak41ASlots>(),
                                     {.slot = 1, .dx = 50, .bombWave = false,
                                      .speeds = Graded({260, 280, 300, 320, 340})}))
