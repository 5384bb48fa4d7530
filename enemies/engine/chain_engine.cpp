// The bending chains.
#include "enemies/engine/chain_engine.h"

#include <cmath>

namespace {

void Free(const ChainRow& row, SweepShot& r) {
  r.active = 0;
  r.timer = 0.0f;
  r.angle = row.startAngle;
  r.driftX = 0.0f;
  r.driftY = 0.0f;
}

void Step(const ChainRow& row, SweepShot& r, int32_t k) {
  r.x += row.sense * std::cos(r.angle) * r.speed * FrameTime;
  r.y += row.sense * std::sin(r.angle) * r.speed * FrameTime;
  r.timer += row.timerRate * FrameTime;
  if (r.timer >= 0.0f && r.timer <= row.turnUntil) r.angle += row.turn;
  if (r.timer >= row.turnUntil) r.timer = row.timerEnd;
  const float drift = row.driftBase + row.driftStep * static_cast<float>(k);
  r.y += row.driftYSign * r.driftY * FrameTime;
  r.driftY = drift;
  r.x += row.driftXSign * r.driftX * FrameTime;
  r.driftX = drift;
}

}  // namespace

void ChainFire(const ChainRow& row) {
  for (int32_t i = 0; i < row.shots.count; ++i) {
    SweepShot& r = row.shots[i];
    if (r.active != 0) continue;
    const Point at = LaunchPoint(row.launch, i);
    r.active = 1;
    r.timer = 0.0f;
    r.angle = row.startAngle;
    r.driftX = 0.0f;
    r.driftY = 0.0f;
    r.x = at.x;
    r.y = at.y;
    const int32_t first = i - i % ChainLength;
    for (int32_t k = 0; k < ChainLength; ++k) row.shots[first + k].speed = row.speeds[k];
  }
}

void ChainMove(const ChainRow& row) {
  for (int32_t first = 0; first < row.shots.count; first += ChainLength) {
    const SweepShot& lead = row.shots[first];
    for (int32_t k = 0; k < ChainLength; ++k) {
      SweepShot& r = row.shots[first + k];
      if (r.active == 1) Step(row, r, k);
      if (!row.field.Holds(lead.x, lead.y)) Free(row, r);
      if (r.active == 1 || row.shipTestsFree) ShipTest(r.x, r.y, row.ship);
    }
  }
}

void ChainDraw(const ChainRow& row) {
  if (row.headImage == nullptr) {
    DrawLook(row.look, row.shots);
    return;
  }
  BulletLook head = row.look;
  head.image = row.headImage;
  for (int32_t first = 0; first < row.shots.count; first += ChainLength) {
    DrawLook(row.look, TableRef<SweepShot>{&row.shots[first], ChainLength - 1});
    DrawLook(head, TableRef<SweepShot>{&row.shots[first + ChainLength - 1], 1});
  }
}
