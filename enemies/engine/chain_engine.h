// Bending chains (SweepShot): groups of seven records that leave one point
// together, each at its own speed, turn through a fixed step per Move call
// (not scaled by the frame time) while their timer runs, drift sideways by
// the drift stored in the previous call, and live and die as one group: the
// group's record 0 decides retirement for all seven (position left as it
// is).  BombWave does not retire chains.
//
//   Fire  every free record placed at its owner slot + the offset, timer 0,
//         heading at the start angle, no drift; the group's seven speeds
//         written.
//   Move  per record: the step along (or against) the heading, the timer,
//         the turn while 0 <= timer <= turnUntil, the stop (timer set to
//         timerEnd once it reaches turnUntil), the drifts; the retirement by
//         record 0; the ship test (of the active records, or of every
//         record where the row says so).
//   Draw  every active record turned by its heading (the last record of a
//         chain with its own picture where the row has one).
//
// A chain is added with one CHAIN_FAMILY line in its kind group's .cpp,
// defining stem##Fire, stem##Move and stem##Draw.
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/bullet_steps.h"
#include "enemies/engine/engine_parts.h"
#include "enemies/records.h"

constexpr int32_t ChainLength = 7;

struct ChainRow {
  TableRef<SweepShot> shots;  // groups of ChainLength records
  Launch launch;              // perOwner ChainLength, or one fixed owner slot
  float startAngle = 0.0f;
  float turn = 0.0f;   // added to the heading per Move call while turning
  float sense = 1.0f;  // +1: moves along the heading; -1: against it
  std::array<float, ChainLength> speeds{};
  // Drift of record k: driftBase + driftStep k px/s, applied with these signs
  // (x += driftXSign driftX FrameTime) one call after it is stored.
  float driftBase = 16.0f, driftStep = -7.0f;
  float driftXSign = -1.0f, driftYSign = -1.0f;
  // The turn timer: + timerRate per second; turning while 0 <= timer <=
  // turnUntil; from turnUntil on it is set to timerEnd for good.
  float timerRate = 20.0f, turnUntil = 17.0f, timerEnd = 18.0f;
  Bounds field{-30.0f, 800.0f, -30.0f, 600.0f};  // record 0 of the group
  Bounds ship = ShipBox(0, 10);
  bool shipTestsFree = false;  // free records are tested too (they lie off the field)
  BulletLook look{};
  const int32_t* headImage = nullptr;  // the last record of each chain drawn with
                                       // this picture (none: the look's)
};

constexpr bool ValidRow(const ChainRow& row) {
  const bool grouped =
      row.launch.fixedSlot >= 0 ? row.shots.count == ChainLength : row.launch.perOwner == ChainLength;
  return grouped && row.launch.Fits(row.shots.count) && ValidLook(row.look, true);
}

void ChainFire(const ChainRow& row);
void ChainMove(const ChainRow& row);
void ChainDraw(const ChainRow& row);

#define CHAIN_FAMILY(stem, ...)                                                      \
  constexpr ChainRow stem##Row = __VA_ARGS__;                                        \
  static_assert(ValidRow(stem##Row), #stem ": the row does not fit its tables");     \
  void stem##Fire() { ChainFire(stem##Row); }                                        \
  void stem##Move() { ChainMove(stem##Row); }                                        \
  void stem##Draw() { ChainDraw(stem##Row); }
