// The rotating waves and their guns, as rows of the wave and bullet engines.
#include "enemies/rotating_waves.h"

#include "enemies/engine/wave_engine.h"
#include "enemies/kind_rows.h"
#include "enemies/wave_rows.h"
#include "shell/assets.h"

namespace {

// From the top: falls at 220 px/s, turning right (side 1) or left (side -1)
// through three ever flatter diagonals, and drifts sideways at 180 px/s;
// Shot1 fires through the first window, Shot2 through the second.
constexpr WaveScript TopScript(float rate, float side, void (*shot1)(), void (*shot2)()) {
  return {
      .rate = rate,
      .phases = {{
          {0, 220, shot1},
          {110 * side, 220, shot2},
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
constexpr WaveRow RotatingWave(TableRef<WaveEnemySlot> slots, TableRef<LockOnTarget> locks,
                               const int32_t* image, int32_t x, int32_t y,
                               void (*script)(WaveEnemySlot&), bool restarts_timer) {
  return {
      .kind = {
          .slots = slots,
          .x = Fixed(x), .y = Fixed(y), .vx = Fixed(0), .vy = Fixed(0),
          .image = image, .w = 119, .h = 119,
          .rotated = true, .spin = 7,
          .freeSlotsDraw = true,
          .pieces = FiveWayBurst(Blit::Half),
          .unblendedPieces = WaveUnblendedPieces,
          .xSign = 1,
          .steer = script,
          .box = {60, 620, -120, 600},
          .parkX = 340,
          .lock = {.targets = locks, .sightX = 30, .sightY = 30,
                   .resetOnSpawn = true, .homeX = 290, .homeY = 0,
                   .keepBox = {150, 620, -70, 600},
                   .awayX = 370, .awayY = 0},
      },
      .cycle = 150,
      .initRestartsTimer = restarts_timer,
  };
}

}  // namespace

WAVE_SCRIPT(Szak40A, TopScript(40, 1, Szak40AShot1Fire, Szak40AShot2Fire))
WAVE_SCRIPT(Szak41A, TopScript(25, -1, Szak41AShot1Fire, Szak41AShot2Fire))
WAVE_SCRIPT(Szak40B, BottomScript(1))
WAVE_SCRIPT(Szak41B, BottomScript(-1))

WAVE_KIND(Szak40A, RotatingWave(Table(Szak40ASlots), Table(Szak40ALockTargets), &ImgSzak40, 205,
                                -120, RunScript<Szak40AScript>, true))
WAVE_KIND(Szak41A, RotatingWave(Table(Szak41ASlots), Table(Szak41ALockTargets), &ImgSzak41, 495,
                                -120, RunScript<Szak41AScript>, true))
WAVE_KIND(Szak40B, RotatingWave(Table(Szak40BSlots), Table(Szak40BLockTargets), &ImgSzak40, 185,
                                600, RunScript<Szak40BScript>, false))
WAVE_KIND(Szak41B, RotatingWave(Table(Szak41BSlots), Table(Szak41BLockTargets), &ImgSzak41, 515,
                                600, RunScript<Szak41BScript>, false))

AIMED_FAMILY(Szak40AShot1, AimedLine(Table(Szak40AShot1Slots), Owner<Szak40ASlots>(), 0, 50,
                                     Graded({260, 280, 300, 320}), false))
AIMED_FAMILY(Szak40AShot2, AimedLine(Table(Szak40AShot2Slots), Owner<Szak40ASlots>(), 1, 50,
                                     Graded({260, 280, 300, 320, 340}), false))
AIMED_FAMILY(Szak41AShot1, AimedLine(Table(Szak41AShot1Slots), Owner<Szak41ASlots>(), 0, 50,
                                     Graded({260, 280, 300, 320}), false))
AIMED_FAMILY(Szak41AShot2, AimedLine(Table(Szak41AShot2Slots), Owner<Szak41ASlots>(), 1, 50,
                                     Graded({260, 280, 300, 320, 340}), false))
