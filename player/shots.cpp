// The ray salvo and the two lasers: schedules, emits, movement and draws.
#include "player/shots.h"

#include <limits>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/record_resets.h"
#include "player/powerup.h"
#include "shell/assets.h"
#include "shell/game_state.h"

ShipRay ShipRays[ShipRayCount];
LaserSegment LaserASegments[LaserSegmentCount];
LaserSegment LaserBSegments[LaserSegmentCount];
LaserSegment SpareSegments1[SpareSegmentCount];
LaserSegment SpareSegments2[SpareSegmentCount];
LaserSegment SpareSegments3[SpareSegmentCount];
LaserSegment SpareSegments4[SpareSegmentCount];
LaserSegment SpareSegments5[SpareSegmentCount];

namespace {

constexpr int32_t kTopExit = -60;  // a shot whose y falls below this is freed

// ---- ray paths ----

struct RayWindow {
  float low, high;  // inclusive
  int32_t dx, dy;   // the step of the left-curling group
};
constexpr float kPathEnd = std::numeric_limits<float>::infinity();

// Past the last window's start a ray keeps its last step until it leaves the
// top, so a long frame cannot strand it on the screen.
constexpr RayWindow kLongPath[] = {
    {0, 3, -6, 0},   {4, 6, -6, -3},  {7, 9, -6, -6},  {10, 12, -3, -6},  {13, 15, 0, -6},
    {16, 18, 1, -6}, {19, 21, 2, -6}, {22, 24, 3, -6}, {25, 27, 4, -6},   {28, kPathEnd, 5, -6}};
constexpr RayWindow kShortPath[] = {
    {0, 3, -6, 0},   {4, 6, -6, -3},  {7, 9, -6, -6},  {10, 12, -3, -6}, {13, 15, 0, -6},
    {16, 18, 1, -6}, {19, 21, 2, -6}, {22, kPathEnd, 3, -6}};

template <int N>
bool FindStep(const RayWindow (&path)[N], float age, int32_t* dx, int32_t* dy) {
  for (const RayWindow& w : path) {
    if (w.low <= age && age <= w.high) {
      *dx = w.dx;
      *dy = w.dy;
      return true;
    }
  }
  return false;
}

// ---- lasers ----

struct LaserSet {
  LaserSegment* segments;
  int32_t* counter;
  uint32_t* flash;
  int32_t side_offset;  // x of the side segments from the ship
  int32_t side_step;    // their dx
};
const LaserSet kLaserA{LaserASegments, &LaserACounter, &LaserAFlash, 15, 4};
const LaserSet kLaserB{LaserBSegments, &LaserBCounter, &LaserBFlash, 30, 6};

constexpr int32_t kLaserGroups = 12;
constexpr int32_t kLaserPeriod = 4;
constexpr int32_t kLaserStep = 20;  // px per frame upward
constexpr int32_t kLeftBase = 13;
constexpr int32_t kRightBase = 26;

void LaserSchedule(const LaserSet& set, void (*emit)(int32_t, int32_t, int32_t)) {
  int32_t& counter = *set.counter;
  counter += 1;
  if (counter % kLaserPeriod == 0) {
    const int32_t k = counter / kLaserPeriod;
    if (k >= 1 && k <= kLaserGroups) emit(k, kLeftBase + k, kRightBase + k);
  }
  if (counter >= kLaserGroups * kLaserPeriod) counter = 0;
}

// A side segment leaves from (x, y) unless it still flies.
void LaunchSide(const LaserSet& set, LaserSegment& s, int32_t x, int32_t y) {
  if (s.active) return;
  s.active = 1;
  s.x = x;
  s.y = y;
  s.dy = kLaserStep;
  s.dx = set.side_step;
}

void LaserEmit(const LaserSet& set, int32_t centre, int32_t left, int32_t right) {
  const int32_t px = static_cast<int32_t>(PlayerX);
  const int32_t y = static_cast<int32_t>(PlayerY) - 38;
  LaserSegment& c = set.segments[centre];
  if (!c.active) {
    *set.flash = 1;
    c.active = 1;
    c.x = px;
    c.y = y;
    c.dy = kLaserStep;
    elSound::Play(SndShot, -1);
  }
  if (SideLaser != 1) return;
  LaunchSide(set, set.segments[left], px - set.side_offset, y);
  LaunchSide(set, set.segments[right], px + set.side_offset, y);
}

void LaserMove(LaserSegment* segments, int32_t slot) {
  LaserSegment& s = segments[slot];
  s.y -= s.dy;
  if (slot >= kRightBase) {
    s.x += s.dx;
  } else if (slot >= kLeftBase) {
    s.x -= s.dx;
  }
  if (s.y < kTopExit) s.active = 0;
}

void ResetSegments(LaserSegment* table, int32_t count, int32_t x, int32_t y) {
  for (int32_t i = 0; i < count; ++i) {
    table[i].x = x;
    table[i].y = y;
    table[i].active = 0;
  }
}

void DrawAdd(int32_t x, int32_t y, int32_t handle, int32_t w, int32_t h) {
  elDraw::DrawAdditive(x, y, handle, 0, 0, w, h);
}

void DrawRays() {
  if (GameLevel < 1 || GameLevel > 3) return;
  // Small rays first (short paths), then the large ones over them.
  for (int32_t i = 100; i < 200; ++i) {
    const ShipRay& r = ShipRays[i];
    if (r.active) DrawAdd(r.x, r.y, ImgRay2, 20, 20);
  }
  for (int32_t i = 0; i < 100; ++i) {
    const ShipRay& r = ShipRays[i];
    if (r.active) DrawAdd(r.x - 5, r.y - 5, ImgRay1, 30, 30);
  }
}

void DrawLaserA() {
  struct Pictures {
    const int32_t *flash, *left, *right, *centre;
  };
  static const Pictures kLow{&ImgFlhst, &ImgSflh2, &ImgSflh3, &ImgSflh1};
  static const Pictures kHigh{&ImgFlhst3, &ImgSflh22, &ImgSflh33, &ImgSflh11};
  const Pictures* p = nullptr;
  if (GameLevel == 1 || GameLevel == 2) p = &kLow;
  if (GameLevel == 3) p = &kHigh;
  if (!p) return;
  if (LaserAFlash) {
    DrawAdd(static_cast<int32_t>(PlayerX) - 5, static_cast<int32_t>(PlayerY) - 15, *p->flash, 70,
            36);
  }
  for (int32_t i = 0; i < LaserSegmentCount; ++i) {
    const LaserSegment& s = LaserASegments[i];
    if (!s.active) continue;
    const int32_t picture = i >= kRightBase ? *p->right : i >= kLeftBase ? *p->left : *p->centre;
    DrawAdd(s.x, s.y, picture, 60, 60);
  }
  LaserAFlash = 0;
}

void DrawLaserB() {
  if (LaserBFlash) {
    DrawAdd(static_cast<int32_t>(PlayerX) - 5, static_cast<int32_t>(PlayerY) - 15, ImgFlhst2, 70,
            36);
  }
  for (int32_t i = 0; i < LaserSegmentCount; ++i) {
    const LaserSegment& s = LaserBSegments[i];
    if (!s.active) continue;
    if (i >= kRightBase) {
      DrawAdd(s.x, s.y, ImgFlw3_2, 60, 60);
    } else if (i >= kLeftBase) {
      DrawAdd(s.x, s.y, ImgFlw2_1, 60, 60);
    } else {
      DrawAdd(s.x - 30, s.y, ImgFlw1_3, 120, 60);
    }
  }
  LaserBFlash = 0;
}

}  // namespace

void ShipRayStep(int32_t slot, float age, int32_t* dx, int32_t* dy) {
  *dx = 0;
  *dy = 0;
  const int32_t group = slot / 50;  // 0 long left, 1 long right, 2 short left, 3 short right
  const bool found = group < 2 ? FindStep(kLongPath, age, dx, dy)
                               : FindStep(kShortPath, age, dx, dy);
  if (found && (group == 1 || group == 3)) *dx = -*dx;
}

void ShipRaySchedule() {
  BombSalvoCounter += 1;
  if (BombSalvoCounter % 3 == 0) {
    const int32_t k = BombSalvoCounter / 3;
    if (k >= 1 && k <= 49) ShipRayEmit(k, 50 + k, 100 + k, 150 + k);
  }
  if (BombSalvoCounter >= 147) {
    BombSalvoCounter = 0;
    BombSalvoActive = 0;
    BombWave = 0;
    LaserAReady = 1;
    LaserBReady = 1;
  }
}

void ShipRayEmit(int32_t a, int32_t b, int32_t c, int32_t d) {
  const int32_t px = static_cast<int32_t>(PlayerX);
  const int32_t y = static_cast<int32_t>(PlayerY) + 10;
  const int32_t slots[4] = {a, b, c, d};
  const int32_t offsets[4] = {12, 28, 12, 28};
  for (int i = 0; i < 4; ++i) {
    ShipRay& r = ShipRays[slots[i]];
    if (r.active) continue;
    r.active = 1;
    r.x = px + offsets[i];
    r.y = y;
  }
}

void PlayerLaserASchedule() { LaserSchedule(kLaserA, PlayerLaserAEmit); }
void PlayerLaserBSchedule() { LaserSchedule(kLaserB, PlayerLaserBEmit); }

void PlayerLaserAEmit(int32_t centre, int32_t left, int32_t right) {
  LaserEmit(kLaserA, centre, left, right);
}
void PlayerLaserBEmit(int32_t centre, int32_t left, int32_t right) {
  LaserEmit(kLaserB, centre, left, right);
}

void ShipRayMove(int32_t slot) {
  ShipRay& r = ShipRays[slot];
  r.age += 20.0f * FrameTime;
  int32_t dx, dy;
  ShipRayStep(slot, r.age, &dx, &dy);
  r.x += dx;
  r.y += dy;
  if (r.y < kTopExit) {
    r.active = 0;
    r.age = 0.0f;
  }
}

void LaserASegmentMove(int32_t slot) { LaserMove(LaserASegments, slot); }
void LaserBSegmentMove(int32_t slot) { LaserMove(LaserBSegments, slot); }

void PlayerShotsMove() {
  for (int32_t i = 0; i < LaserSegmentCount; ++i) {
    if (LaserBSegments[i].active) LaserBSegmentMove(i);
  }
  for (int32_t i = 0; i < LaserSegmentCount; ++i) {
    if (LaserASegments[i].active) LaserASegmentMove(i);
  }
  for (int32_t i = 0; i < ShipRayCount; ++i) {
    if (ShipRays[i].active) ShipRayMove(i);
  }
}

void PlayerShotsDraw() {
  if (ShipType != 1) return;
  DrawRays();
  DrawLaserA();
  DrawLaserB();
}

void ResetShipRays() {
  for (ShipRay& r : ShipRays) r = {ParkXInt, ParkYInt, 0.0f, 0};
}
void ResetLaserASegments() { ResetSegments(LaserASegments, LaserSegmentCount, ParkXInt, ParkYInt); }
void ResetLaserBSegments() { ResetSegments(LaserBSegments, LaserSegmentCount, ParkXInt, ParkYInt); }
void ResetSpareSegments1() { ResetSegments(SpareSegments1, SpareSegmentCount, 0, 0); }
void ResetSpareSegments2() { ResetSegments(SpareSegments2, SpareSegmentCount, 0, 0); }
void ResetSpareSegments3() { ResetSegments(SpareSegments3, SpareSegmentCount, 0, 0); }
void ResetSpareSegments4() { ResetSegments(SpareSegments4, SpareSegmentCount, 0, 0); }
void ResetSpareSegments5() { ResetSegments(SpareSegments5, SpareSegmentCount, 0, 0); }
