// The four homing-laser families over one engine.
#include "player/homing_lasers.h"

#include <cmath>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "player/hit_pass.h"
#include "player/homing_common.h"
#include "player/homing_storage.h"
#include "shell/assets.h"
#include "shell/game_state.h"

namespace {

struct HomingLaserFamily {
  HomingLaserSegment* segments;  // 3 chains of 15
  SlotReader target;             // the target kind's slots
  LockOnTarget* locks;           // the target kind's lock records
  void (*hit)(int32_t);          // the target kind's hit setter
  int32_t* counters;             // three launch counters in HomingLaserCounter
  float side;                    // -1 curls left, +1 right
  bool reverses;                 // each launch turns the heading by pi (speed 300)
};

// Each family's launch counters are three of HomingLaserCounter, in this order.
constexpr HomingLaserFamily HomingLaserSzak6D{
    .segments = HomingLaserSzak6DSlots,
    .target = ReadSlot<Szak6DSlots>,
    .locks = Szak6DLockTargets,
    .hit = Szak6DHit,
    .counters = HomingLaserCounter + 0 * HomingLaserTargets,
    .side = -1.0f,
    .reverses = true,
};
constexpr HomingLaserFamily HomingLaserSzak6E{
    .segments = HomingLaserSzak6ESlots,
    .target = ReadSlot<Szak6ESlots>,
    .locks = Szak6ELockTargets,
    .hit = Szak6EHit,
    .counters = HomingLaserCounter + 1 * HomingLaserTargets,
    .side = 1.0f,
    .reverses = false,
};
constexpr HomingLaserFamily HomingLaserSzak13A{
    .segments = HomingLaserSzak13ASlots,
    .target = ReadSlot<Szak13ASlots>,
    .locks = Szak13ALockTargets,
    .hit = Szak13AHit,
    .counters = HomingLaserCounter + 2 * HomingLaserTargets,
    .side = -1.0f,
    .reverses = false,
};
constexpr HomingLaserFamily HomingLaserSzak13B{
    .segments = HomingLaserSzak13BSlots,
    .target = ReadSlot<Szak13BSlots>,
    .locks = Szak13BLockTargets,
    .hit = Szak13BHit,
    .counters = HomingLaserCounter + 3 * HomingLaserTargets,
    .side = 1.0f,
    .reverses = false,
};

// Path age per second.
constexpr float AgeRate = 30.0f;
// From this age on the segment homes (at exactly 45 it also takes the last
// curl step).
constexpr float HomingAge = 45.0f;
// The speed the reversing family writes at launch (nothing reads it).
constexpr float ReversingSpeed = 300.0f;

struct CurlWindow {
  float from, to;  // inclusive
  int32_t sx, sy;
};
constexpr CurlWindow CurlPath[] = {
    {0, 5, 6, 3},    {6, 10, 6, 1},   {11, 15, 7, 0},  {16, 20, 7, -2},
    {21, 25, 7, -7}, {26, 30, 3, -7}, {31, 40, 1, -7}, {41, 45, 0, -7},
};

HomingLaserSegment& Segment(const HomingLaserFamily& f, int32_t t, int32_t j) {
  return f.segments[t * HomingLaserChainLength + j];
}

void Emit(const HomingLaserFamily& f, int32_t t, int32_t j) {
  if (t < 0 || t >= HomingLaserTargets || j < 0 || j >= HomingLaserChainLength) return;
  HomingLaserSegment& s = Segment(f, t, j);
  if (s.active != 0) return;
  s.active = 1;
  s.x = PlayerX + 20.0f;
  s.y = PlayerY + 10.0f;
  s.age = 0.0f;
  if (f.reverses) {
    s.angle += HomingPi;
    s.speed = ReversingSpeed;
  }
}

void Schedule(const HomingLaserFamily& f) {
  for (int32_t t = 0; t < HomingLaserTargets; ++t) {
    if (f.target(t).active == 0) continue;
    int32_t& counter = f.counters[t];
    counter += 1;
    if (counter >= 1 && counter <= HomingLaserLastSegment) Emit(f, t, counter);
    if (counter >= HomingLaserCycle) counter = 0;
  }
}

void Fly(HomingLaserSegment& s, const LockOnTarget& target, float side) {
  s.age += AgeRate * FrameTime;
  int32_t sx = 0, sy = 0;
  if (HomingLaserCurlStep(s.age, &sx, &sy)) {
    s.x += side * static_cast<float>(sx);
    s.y += static_cast<float>(sy);
  }
  if (s.age < HomingAge) return;
  if (target.locked != 0) {
    s.y += 10.0f * std::sin(s.angle);
    s.x += 10.0f * std::cos(s.angle);
    s.dx = static_cast<float>(target.x + 20) - s.x;
    s.dy = static_cast<float>(target.y + 20) - s.y;
    s.angle = AimAngle(s.dx, s.dy);
  } else {
    s.y += 16.0f * std::sin(s.angle);
    s.x += 10.0f * std::cos(s.angle);
  }
}

void Move(const HomingLaserFamily& f) {
  for (int32_t t = 0; t < HomingLaserTargets; ++t) {
    const LockOnTarget& target = f.locks[t];
    for (int32_t j = 0; j < HomingLaserChainLength; ++j) {
      HomingLaserSegment& s = Segment(f, t, j);
      if (s.active != 0) Fly(s, target, f.side);
      if (s.x + 20.0f < 180.0f || s.x > 620.0f || s.y + 20.0f < 0.0f || s.y > 600.0f ||
          BombWave == 1) {
        s.active = 0;
        s.x = ParkX;
        s.y = ParkY;
        s.aux = 0;
        s.age = 0.0f;
      }
      const float ox = s.x - static_cast<float>(target.x);
      const float oy = s.y - static_cast<float>(target.y);
      if (ox >= 0.0f && ox <= 40.0f && oy >= 0.0f && oy <= 40.0f) {
        s.active = 0;
        s.x = ParkX;
        s.y = ParkY;
        if (j >= HomingLaserLastSegment) {
          f.hit(t);
          AddScore(HomingLaserPoints);
        }
      }
    }
  }
}

void Draw(const HomingLaserFamily& f) {
  if (ShipType != 1) return;
  for (int32_t k = 0; k < HomingLaserTargets * HomingLaserChainLength; ++k) {
    const HomingLaserSegment& s = f.segments[k];
    if (s.active == 0) continue;
    elDraw::DrawAdditive(static_cast<int32_t>(s.x), static_cast<int32_t>(s.y), ImgRay10, 0, 0, 20,
                         20);
  }
}

}  // namespace

bool HomingLaserCurlStep(float age, int32_t* sx, int32_t* sy) {
  for (const CurlWindow& w : CurlPath) {
    if (age >= w.from && age <= w.to) {
      *sx = w.sx;
      *sy = w.sy;
      return true;
    }
  }
  return false;
}

// Each family's roles over its row.
void HomingLaserSzak6DSchedule() { Schedule(HomingLaserSzak6D); }
void HomingLaserSzak6DEmit(int32_t t, int32_t j) { Emit(HomingLaserSzak6D, t, j); }
void HomingLaserSzak6DMove() { Move(HomingLaserSzak6D); }
void HomingLaserSzak6DDraw() { Draw(HomingLaserSzak6D); }
void HomingLaserSzak6ESchedule() { Schedule(HomingLaserSzak6E); }
void HomingLaserSzak6EEmit(int32_t t, int32_t j) { Emit(HomingLaserSzak6E, t, j); }
void HomingLaserSzak6EMove() { Move(HomingLaserSzak6E); }
void HomingLaserSzak6EDraw() { Draw(HomingLaserSzak6E); }
void HomingLaserSzak13ASchedule() { Schedule(HomingLaserSzak13A); }
void HomingLaserSzak13AEmit(int32_t t, int32_t j) { Emit(HomingLaserSzak13A, t, j); }
void HomingLaserSzak13AMove() { Move(HomingLaserSzak13A); }
void HomingLaserSzak13ADraw() { Draw(HomingLaserSzak13A); }
void HomingLaserSzak13BSchedule() { Schedule(HomingLaserSzak13B); }
void HomingLaserSzak13BEmit(int32_t t, int32_t j) { Emit(HomingLaserSzak13B, t, j); }
void HomingLaserSzak13BMove() { Move(HomingLaserSzak13B); }
void HomingLaserSzak13BDraw() { Draw(HomingLaserSzak13B); }
