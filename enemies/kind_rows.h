// Row shapes the small kinds' groups share: explosion piece lists, the field
// boxes of the bullet pictures, and the shapes of their commonest guns.  Each
// helper returns a plain constexpr row; the kinds' .cpp files name every row
// with its own numbers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "enemies/engine/bullet_engine.h"
#include "enemies/engine/kind_engine.h"
#include "shell/assets.h"

// ---- explosion pieces ----

// The same pieces drawn with another blit (colour-keyed, while
// BlendExplosions is 0).
constexpr Pieces Reblitted(Pieces pieces, Blit blit = Blit::Keyed) {
  for (Piece& p : pieces) p.blit = blit;
  return pieces;
}

// Cell f of the 80-pixel explosion strip at the slot's corner, nothing else.
constexpr Pieces MainPiece(Blit blit = Blit::Additive) {
  return {{{&ImgZbak2b, 80, 0, 0, 0, 0, blit}}};
}

// Five copies of a cell of the long strip ImgZbak3b flying apart from the
// corner; the second is drawn with its own blit.
constexpr Pieces FiveWayBurst(Blit second) {
  return {{
      {&ImgZbak3b, 80, 0, 0, 0, 0, Blit::Additive},
      {&ImgZbak3b, 80, 20, -6, 20, -6, second},
      {&ImgZbak3b, 80, 20, 6, 20, 2, Blit::Additive},
      {&ImgZbak3b, 80, 20, -6, 20, 6, Blit::Additive},
      {&ImgZbak3b, 80, 20, 1, 20, -6, Blit::Additive},
  }};
}

// The 80 x 80 cell six times: the main one, drawn fifth, and five copies
// scattered around it, for the kinds that turn down; those that turn up
// (and Szak12) scatter them mirrored through the corner.
constexpr Pieces DownTurnPieces{{
    {&ImgZbak2b, 80, 20, -6, 20, 1, Blit::Additive},
    {&ImgZbak2b, 80, 20, -6, 20, -6, Blit::Half},
    {&ImgZbak2b, 80, 20, 6, 20, -4, Blit::Additive},
    {&ImgZbak2b, 80, 20, -2, 20, 6, Blit::Half},
    {&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Additive},
    {&ImgZbak2b, 80, 20, 6, 20, 6, Blit::Additive},
}};
constexpr Pieces UpTurnPieces = [] {
  Pieces pieces = DownTurnPieces;
  for (Piece& p : pieces) {
    p.xf = -p.xf;
    p.yf = -p.yf;
  }
  return pieces;
}();

// A debris piece: cell f of the 40-pixel debris strip, additive, at
// (20 + xf f, 20 + yf f).
constexpr Piece Debris(int32_t xf, int32_t yf) {
  return {&ImgZbak6b, 40, 20, xf, 20, yf, Blit::Additive};
}

// The main cell (drawn with `main`) followed by up to six debris pieces.
constexpr Pieces WithDebris(Blit main, std::initializer_list<Piece> debris) {
  Pieces pieces = MainPiece(main);
  size_t i = 1;
  for (const Piece& p : debris) {
    if (i < pieces.size()) pieces[i++] = p;
  }
  return pieces;
}

// The main cell half-transparent under six debris pieces (Szak9, Szak6C).
constexpr Pieces HalfAndSixDebris = WithDebris(
    Blit::Half,
    {Debris(-1, -6), Debris(1, 7), Debris(7, -1), Debris(-6, 3), Debris(-7, -6), Debris(5, -1)});

// The main cell under six debris pieces flying apart (the diagonal waves).
constexpr Pieces DebrisSpray = WithDebris(
    Blit::Additive,
    {Debris(-4, -6), Debris(1, 7), Debris(7, -1), Debris(-6, 3), Debris(7, 6), Debris(5, -8)});

// The same spray with its last two pieces half-transparent, the fifth thrown
// up and to the left instead (the top and bottom waves).
constexpr Pieces DebrisSprayFading = [] {
  Pieces pieces = DebrisSpray;
  pieces[5] = {&ImgZbak6b, 40, 20, -7, 20, -6, Blit::Half};
  pieces[6].blit = Blit::Half;
  return pieces;
}();

// ---- lock records ----

// The lock of a kind that leaves at a side: the sight at (10, 10) on the
// slot while locked; spawn leaves the record alone; home at (290, 0) at the
// explosion's end; a slot leaving at the bottom keeps its record, one
// leaving at a side sends it away to (370, 0) unless the sight point's x
// lies within 110 .. 620.
constexpr KindLock SideExitLock(TableRef<LockOnTarget> locks) {
  return {.targets = locks, .sightX = 10, .sightY = 10, .homeX = 290, .homeY = 0,
          .keepBox = {.left = 110, .right = 620}, .awayX = 370, .awayY = 0,
          .testOnRowExit = false, .testOnSideExit = true};
}

// A lockable kind entering at a side edge (x entryX), flying right (side
// +1) or left (side -1).
template <typename Slot>
struct SideEntry {
  TableRef<Slot> slots;
  TableRef<LockOnTarget> locks;
  int32_t entryX;
  float side;
};

// The lock of a kind that puts its record home at (290, homeY) on spawn and
// at the explosion's end, and away at (370, homeY) whenever its slot leaves
// the box with the sight point outside 150 <= x <= 620, -70 <= y <= 600.
struct LockSight {
  int32_t sightX, sightY;
  int32_t homeY;
};
constexpr KindLock BoxedLock(TableRef<LockOnTarget> locks, const LockSight& at) {
  return {.targets = locks, .sightX = at.sightX, .sightY = at.sightY, .resetOnSpawn = true,
          .homeX = 290, .homeY = at.homeY, .keepBox = {150, 620, -70, 600},
          .awayX = 370, .awayY = at.homeY};
}

// ---- bullet fields ----

// Aimed darts (VALL302, VALL301): x + 30 >= 0, x <= 800, y + 30 >= 0, y <= 600.
constexpr Bounds DartField{-30.0f, 800.0f, -30.0f, 600.0f};
// Aimed orbs (VAL201): x + 20 >= 0, x <= 620, y + 20 >= 0, y <= 600.
constexpr Bounds OrbField{-20.0f, 620.0f, -20.0f, 600.0f};

// ---- gun shapes ----

// One aimed dart per owner slot from (dx, dy) off the owner, turned by its
// heading, aimed 15 pixels into the ship.
struct DartGun {
  float dx, dy;
  RandomValue speed;
};
constexpr AimedRow Darts(TableRef<AimedShot> shots, OwnerRef owner, const DartGun& gun) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .dx = gun.dx, .dy = gun.dy},
      .aim = 15,
      .speed = SpeedOf(gun.speed),
      .retire = {.field = DartField},
      .ship = ShipBox(0, 10),
      .look = RotatedLook(&ImgVall302, 30),
  };
}

// A line of orbs from one fixed owner slot + (30, dy), aimed 22 pixels into
// the ship, one speed per record so the line stretches along its aim; every
// record drawn and animated from the 7-cell strip.
struct OrbGun {
  int32_t slot;
  float dy;
  Speed speeds;
};
constexpr AimedRow OrbLine(TableRef<AimedShot> shots, OwnerRef owner, const OrbGun& gun) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .fixedSlot = gun.slot, .dx = 30, .dy = gun.dy},
      .aim = 22,
      .speed = gun.speeds,
      .retire = {.field = OrbField},
      .ship = ShipBox(10, 20),
      .look = AdditiveStrip(&ImgVal201, 20, 7, true),
  };
}

// The four and the five speeds of the orb lines.
constexpr Speed FourOrbs = Graded({120, 160, 200, 240});
constexpr Speed FiveOrbs = Graded({120, 160, 200, 240, 280});

// A graded line of five needles (VAL15L) per owner slot from (dx, dy) off
// the owner: vy 140 .. 220 by place, drifting vx px/s sideways (0: straight
// down).
struct NeedleGun {
  float dx, dy;
  int32_t vx = 0;
};
constexpr StraightRow Needles(TableRef<StraightShot> shots, OwnerRef owner, const NeedleGun& gun) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .perOwner = 5, .dx = gun.dx, .dy = gun.dy},
      .vy = Graded({140, 160, 180, 200, 220}),
      .vx = SpeedOf(gun.vx),
      .xSign = gun.vx == 0 ? 0.0f : 1.0f,
      .ship = ShipBox(14, 10),
      .look = AdditiveCell(&ImgVal15l, 15, 30),
  };
}

// A single falling bullet's motion: down at vy, sideways at vx px/s to the
// left (side -1) or the right (side +1), or not at all (side 0).
struct Fall {
  RandomValue vy;
  int32_t vx = 0;
  float side = 0.0f;
};

// One falling bullet per owner slot, from (dx, dy) off the owner.
struct DropGun {
  float dx, dy;
  Fall fall;
  BulletLook look;
  Bounds ship = ShipBox(14, 24);
};
constexpr StraightRow Drops(TableRef<StraightShot> shots, OwnerRef owner, const DropGun& gun) {
  return {
      .shots = shots,
      .launch = {.owner = owner, .dx = gun.dx, .dy = gun.dy},
      .vy = SpeedOf(gun.fall.vy),
      .vx = SpeedOf(gun.fall.vx),
      .xSign = gun.fall.side,
      .ship = gun.ship,
      .look = gun.look,
  };
}
