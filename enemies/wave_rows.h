// Row makers that several wave groups share: the scripted strip kinds (the
// top and bottom waves, the side waves) and the aimed lines (the top and
// bottom waves' guns, the rotating waves' guns).
#pragma once
#include <cstdint>

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/wave_engine.h"
#include "enemies/kind_rows.h"
#include "shell/assets.h"

// A scripted kind drawn from a strip of five 100 x 100 cells chosen by its
// clock (`sprite`: ClockCells or ClockCellsReversed), every slot drawn, free
// ones at their park point; it enters at (x, y) standing, flies its script,
// is freed outside its box, stops to explode and goes on exploding where it
// is parked; 150-call cycle.
struct StripFlight {
  TableRef<WaveEnemySlot> slots;
  const int32_t* image;
  int32_t x, y;
  Bounds box;
  void (*script)(WaveEnemySlot&);
};
constexpr WaveRow StripWave(const StripFlight& flight,
                            decltype(KindRow<WaveEnemySlot>::sprite) sprite, const Pieces& pieces,
                            bool restartsTimer) {
  return {
      .kind = {
          .slots = flight.slots,
          .x = Fixed(flight.x), .y = Fixed(flight.y), .vx = Fixed(0), .vy = Fixed(0),
          .image = flight.image, .w = 100, .h = 100,
          .sprite = sprite,
          .pieces = pieces,
          .unblendedPieces = WaveUnblendedPieces,
          .xSign = 1,
          .steer = flight.script,
          .box = flight.box,
      },
      .cycle = 150,
      .initRestartsTimer = restartsTimer,
  };
}

// Every free record placed at one fixed slot of the wave + (dx, 50) (the
// slot's active flag is not read), headed at the ship + 22 at the record's
// own speed, so that records fired together stretch into a line; retired
// outside -20 <= x <= 620, -20 <= y <= 600 (and while BombWave is 1 where
// `bombWave`); every record drawn and animated from the 24 cells of
// VAL20241.
struct LineGun {
  int32_t slot;
  float dx;
  bool bombWave;
  Speed speeds;
};
constexpr AimedRow AimedLine(TableRef<AimedShot> shots, OwnerRef owner, const LineGun& gun) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = gun.slot, .dx = gun.dx, .dy = 50},
      .aim = 22,
      .speed = gun.speeds,
      .retire = {.field = OrbField, .bombWave = gun.bombWave},
      .ship = ShipBox(10, 20),
      .look = AdditiveStrip(&ImgVal20241, 20, 24, true),
  };
}
