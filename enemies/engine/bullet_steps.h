// What every enemy bullet family shares, whatever its record: how it looks,
// how it retires, the ship test, the aimed launch and the flight along a
// heading.  The straight and aimed families, the chains and the volleys are
// rows over these steps.
#pragma once
#include <cmath>
#include <cstdint>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/engine/aim.h"
#include "enemies/engine/engine_parts.h"
#include "shell/game_state.h"

// ---- looks ----

enum class LookStyle : uint8_t {
  Cell,     // the cell (left, 0, left + w, h)
  Strip,    // cell animFrame of `cells` cells of w x h; the counter advances per draw
  Rotated,  // the w x h picture turned by the record's heading
};

// The drawing angle (degrees) of a heading: base - degrees, the degrees
// truncated toward zero before the subtraction (truncateFirst) or the
// difference truncated after it.  The library reduces it modulo 360.
struct Turn {
  int32_t base = 270;
  bool truncateFirst = true;
};
int32_t DrawAngle(const Turn& turn, float heading);
// The whole degrees of a heading, truncated toward zero.
int32_t HeadingDegrees(float heading);

struct BulletLook {
  LookStyle style = LookStyle::Cell;
  const int32_t* image = nullptr;
  int32_t w = 16, h = 16;
  int32_t left = 0;   // Cell: left edge of the cell in the picture
  int32_t cells = 1;  // Strip: cells side by side
  Blit blit = Blit::Additive;
  bool everyRecord = false;  // draw (and animate) free records too
  Turn turn{};               // Rotated
  // Cell: record i draws the cell at left + placeStep x (i mod places), its
  // place in a group of `places` (by parity, by position in a row).
  int32_t placeStep = 0;
  int32_t places = 1;
  // Rotated: the heading's whole degrees (truncated toward zero) are kept in
  // the record's draw angle before the draw.
  bool keepsAngle = false;
};

constexpr BulletLook AdditiveCell(const int32_t* image, int32_t w, int32_t h) {
  return {LookStyle::Cell, image, w, h, 0, 1, Blit::Additive, false, {}};
}
constexpr BulletLook AdditiveStrip(const int32_t* image, int32_t size, int32_t cells,
                                   bool everyRecord) {
  return {LookStyle::Strip, image, size, size, 0, cells, Blit::Additive, everyRecord, {}};
}
constexpr BulletLook RotatedLook(const int32_t* image, int32_t size, Turn turn = {}) {
  return {LookStyle::Rotated, image, size, size, 0, 1, Blit::Keyed, false, turn};
}
// A strip of `cells` square cells with this blit, drawn (and animated) for
// every record, free ones included.
constexpr BulletLook StripOf(const int32_t* image, int32_t size, int32_t cells, Blit blit) {
  return {LookStyle::Strip, image, size, size, 0, cells, blit, true, {}};
}
// The same look drawn for every record, free ones included.
constexpr BulletLook EveryRecord(BulletLook look) {
  look.everyRecord = true;
  return look;
}
// The cell (left, 0, left + w, h) of every record with this blit; with
// placeStep, the record's place in its group of `places` moves the cell.
constexpr BulletLook CellOf(const int32_t* image, int32_t w, int32_t h, int32_t left, Blit blit,
                            int32_t placeStep = 0, int32_t places = 1) {
  return {LookStyle::Cell, image, w, h, left, 1, blit, true, {}, placeStep, places};
}

constexpr bool ValidLook(const BulletLook& look, bool has_heading) {
  if (look.image == nullptr || look.w < 1 || look.h < 1 || look.places < 1) return false;
  if (look.style == LookStyle::Strip && look.cells < 1) return false;
  return look.style != LookStyle::Rotated || has_heading;
}

// The heading (radians) of a record that has one: `heading` in the boss
// records, `angle` in the others.
template <typename R>
constexpr bool HasHeading = requires(R r) { r.angle; } || requires(R r) { r.heading; };
template <typename R>
auto& HeadingOf(R& r) {
  if constexpr (requires { r.heading; }) {
    return r.heading;
  } else {
    return r.angle;
  }
}

// Draws the records as the look says: the active ones, or every record.
template <typename R>
void DrawLook(const BulletLook& look, TableRef<R> shots) {
  for (int32_t i = 0; i < shots.count; ++i) {
    R& r = shots[i];
    if (r.active == 0 && !look.everyRecord) continue;
    const int32_t x = Whole(r.x);
    const int32_t y = Whole(r.y);
    switch (look.style) {
      case LookStyle::Cell: {
        const int32_t left = look.left + look.placeStep * (i % look.places);
        BlitCell(look.blit, x, y, look.image, left, 0, left + look.w, look.h);
        break;
      }
      case LookStyle::Strip:
        DrawStripCell(look.blit, x, y, look.image, look.w, look.h, look.cells, r.animFrame);
        break;
      case LookStyle::Rotated:
        if constexpr (HasHeading<R>) {
          if constexpr (requires { r.drawAngle; }) {
            if (look.keepsAngle) r.drawAngle = HeadingDegrees(HeadingOf(r));
          }
          elDraw::DrawRotated(x, y, x + look.w, y + look.h, DrawAngle(look.turn, HeadingOf(r)),
                              *look.image, 0, 0, look.w, look.h);
        }
        break;
    }
  }
}

// ---- retirement and the ship ----

// The field of the straight families: y + 16 >= 0 and y <= 600, x not tested.
constexpr Bounds StraightField{-Unbounded, Unbounded, -16.0f, 600.0f};

// The ship box relative to (PlayerX, PlayerY): lo .. 30 on both axes.
constexpr Bounds ShipBox(float loX, float loY) { return {loX, 30.0f, loY, 30.0f}; }

struct Retire {
  Bounds field = StraightField;
  bool bombWave = true;        // every record retires while BombWave is 1
  bool groupFreed = false;     // the first record of each owner group decides for
                               // the group, which is cleared where it stands
  bool freeRecordsToo = true;  // free records are tested (and parked) as well;
                               // false: a drifting free record keeps its drift
  bool hitFrees = false;       // a record that hits the ship is freed and parked
};

// Clears PlayerAlive when (x, y) lies in the ship box; true on a hit.
inline bool ShipTest(float x, float y, const Bounds& ship) {
  if (PlayerAlive == 0 || !ship.Holds(x - PlayerX, y - PlayerY)) return false;
  PlayerAlive = 0;
  return true;
}

// Frees a record and parks it off the playfield.
template <typename R>
void Park(R& r) {
  r.active = 0;
  r.x = ParkX;
  r.y = ParkY;
}

// A record that is out is freed and parked; one still flying is tested
// against the ship.
template <typename R>
void RetireOrTest(R& r, bool out, const Bounds& ship) {
  if (out) {
    Park(r);
  } else {
    ShipTest(r.x, r.y, ship);
  }
}

// For each record in index order: `move(record)` (which moves the active
// ones), the retirement, then the ship test of the record if still active.
template <typename R, typename MoveFn>
void MoveAndRetire(TableRef<R> shots, const Retire& retire, int32_t per_group,
                   const Bounds& ship, MoveFn move) {
  const bool bomb = retire.bombWave && BombWave == 1;
  for (int32_t i = 0; i < shots.count; ++i) {
    R& r = shots[i];
    move(r);
    const bool tested = r.active == 1 || retire.freeRecordsToo;
    const bool out = tested && (bomb || !retire.field.Holds(r.x, r.y));
    if (retire.groupFreed) {
      if (out && i % per_group == 0) {
        for (int32_t k = i; k < i + per_group && k < shots.count; ++k) shots[k].active = 0;
      }
    } else if (out) {
      Park(r);
    }
    if (r.active == 1 && ShipTest(r.x, r.y, ship) && retire.hitFrees) Park(r);
  }
}

// ---- aimed records (AimedShot, PatternShot, SpiralShot) ----

// Places a record at (x, y) with `speed`, headed at the ship's corner + aim
// on both axes, turned by `spread` before the aiming rule's half-turn.
template <typename R>
void AimAtShip(R& r, float x, float y, float speed, float aim, float spread = 0.0f) {
  r.active = 1;
  r.x = x;
  r.y = y;
  r.x0 = x;
  r.y0 = y;
  r.speed = speed;
  r.dx = PlayerX + aim - x;
  r.dy = PlayerY + aim - y;
  HeadingOf(r) = AimAngle(r.dx, r.dy, spread);
}

// Moves an active record along its heading.
template <typename R>
void Fly(R& r) {
  if (r.active != 1) return;
  const float heading = HeadingOf(r);
  r.x += std::cos(heading) * r.speed * FrameTime;
  r.y += std::sin(heading) * r.speed * FrameTime;
}
