// The straight and aimed bullet families.
#include "enemies/engine/bullet_engine.h"

#include "el/system/angles.h"
#include "os/system.h"

int32_t DrawAngle(const Turn& turn, float heading) {
  const double degrees = static_cast<double>(heading) * 180.0 / Pi;
  if (turn.truncateFirst) return turn.base - Whole(degrees);
  return Whole(turn.base - degrees);
}

int32_t HeadingDegrees(float heading) { return Whole(static_cast<double>(heading) * 180.0 / Pi); }

void StraightFire(const StraightRow& row) {
  for (int32_t i = 0; i < row.shots.count; ++i) {
    StraightShot& r = row.shots[i];
    if (r.active != 0) continue;
    const Point at = LaunchPoint(row.launch, i);
    const int32_t place = row.launch.Place(i);
    r.active = 1;
    r.x = at.x;
    r.y = at.y;
    r.vy = DrawSpeed(row.vy, place);
    r.vx = DrawSpeed(row.vx, place);
  }
}

void StraightMove(const StraightRow& row) {
  const bool sideways = row.xSign != 0.0f;
  MoveAndRetire(row.shots, row.retire, row.launch.perOwner, row.ship, [&](StraightShot& r) {
    if (r.active == 1) r.y += r.vy * FrameTime;
    if (sideways && (r.active == 1 || row.sideForFree)) r.x += row.xSign * r.vx * FrameTime;
  });
}

void StraightDraw(const StraightRow& row) { DrawLook(row.look, row.shots); }

void AimedFire(const AimedRow& row) {
  for (int32_t i = 0; i < row.shots.count; ++i) {
    AimedShot& r = row.shots[i];
    if (r.active != 0) continue;
    const Point at = LaunchPoint(row.launch, i);
    if (row.spareAtLaunch.written) r.spare1 = r.spare2 = DrawValue(row.spareAtLaunch);
    const float spread = row.turnInAim ? row.turn : 0.0f;
    AimAtShip(r, at.x, at.y, DrawSpeed(row.speed, row.launch.Place(i)), row.aim, spread);
    if (!row.turnInAim && row.turn != 0.0f) r.angle += row.turn;
    if (row.push.side != 0.0f) r.pushDistance = 0.0f;
  }
}

namespace {

void Push(const LinePush& push, AimedShot& r) {
  r.pushDistance += push.rate * FrameTime;
  if (r.pushDistance <= push.limit) {
    r.x += push.side * (r.speed * FrameTime / push.sideDivisor);
    r.y += r.speed * FrameTime / push.downDivisor;
  } else {
    r.pushDistance = push.limit;
  }
}

}  // namespace

void AimedMove(const AimedRow& row) {
  const bool pushed = row.push.side != 0.0f;
  MoveAndRetire(row.shots, row.retire, row.launch.perOwner, row.ship, [&](AimedShot& r) {
    if (pushed && r.active == 1) Push(row.push, r);
    Fly(r);
  });
}

namespace {

// COLORREF: red in the low byte, then green, then blue.
constexpr uint32_t ColorRef(int32_t red, int32_t green, int32_t blue) {
  return static_cast<uint32_t>(red & 0xFF) | static_cast<uint32_t>(green & 0xFF) << 8 |
         static_cast<uint32_t>(blue & 0xFF) << 16;
}

void DrawChain(const LineChainLook& chain, TableRef<AimedShot> shots) {
  const int32_t r1 = os::Random() % chain.redJitter;
  const int32_t r2 = os::Random() % chain.greenJitter;
  if (shots[0].active == 0) return;
  for (int32_t k = 0; k < chain.segments; ++k) {
    const AimedShot& from = shots[k];
    const AimedShot& to = shots[k + 1];
    const auto seg = static_cast<size_t>(k);
    elDraw::DrawLine(Whole(from.x), Whole(from.y), Whole(to.x), Whole(to.y),
                     ColorRef(chain.red - r1, chain.green[seg] - r2, chain.blue),
                     chain.width[seg]);
  }
}

}  // namespace

void AimedDraw(const AimedRow& row) {
  if (row.chain != nullptr) {
    DrawChain(*row.chain, row.shots);
  } else {
    DrawLook(row.look, row.shots);
  }
}
