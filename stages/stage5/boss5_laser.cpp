// The stage-5 boss's laser beams: one record each, armed at a fixed point of
// the boss.
#include "stages/stage5/boss5_laser.h"

#include "el/draw/elDraw.h"
#include "enemies/engine/bullet_steps.h"
#include "shell/assets.h"

namespace {

struct LaserRow {
  LaserBeam* beam;
  float dx, dy;  // from the boss's corner
};

// The beam's corner minus the ship's, tested once as the beam is armed.
constexpr Bounds kBeamShip{-60, 30, -220, 30};
constexpr int32_t kCellW = 90, kCellH = 400, kCells = 4;

void LaserFire(const LaserRow& row) {
  LaserBeam& beam = *row.beam;
  if (beam.active != 0) return;
  beam.active = 1;
  beam.x = Boss5State.x + row.dx;
  beam.y = Boss5State.y + row.dy;
  ShipTest(beam.x, beam.y, kBeamShip);
}

void LaserDraw(const LaserRow& row) {
  LaserBeam& beam = *row.beam;
  if (beam.active != 0) {
    beam.frame += 1;
    if (beam.frame > kCells) {
      beam.frame = 0;
      beam.active = 0;
    }
  }
  if (beam.frame < 1 || beam.frame > kCells) return;
  const int32_t left = kCellW * (beam.frame - 1);
  elDraw::DrawAdditive(Whole(beam.x), Whole(beam.y), ImgValarm51, left, 0, left + kCellW, kCellH);
}

constexpr LaserRow Boss5Valarm51ARow{&Boss5Valarm51ASlots[0], 36, 205};
constexpr LaserRow Boss5Valarm51BRow{&Boss5Valarm51BSlots[0], 254, 205};

}  // namespace

void Boss5Valarm51AFire() { LaserFire(Boss5Valarm51ARow); }
void Boss5Valarm51ADraw() { LaserDraw(Boss5Valarm51ARow); }
void Boss5Valarm51BFire() { LaserFire(Boss5Valarm51BRow); }
void Boss5Valarm51BDraw() { LaserDraw(Boss5Valarm51BRow); }
