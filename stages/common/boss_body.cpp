#include "stages/common/boss_body.h"

#include "el/draw/elDraw.h"
#include "enemies/engine/engine_parts.h"

void RunMoveBands(BossState& boss, std::span<const MoveBand> bands) {
  boss.moveTimer += 10.0f * FrameTime;
  for (const MoveBand& band : bands) {
    if (band.Holds(boss.moveTimer)) band.action();
  }
}

namespace {

constexpr float kEntryGone = -480.0f;  // above this the entry picture is parked

void DrawEntry(const EntryFlight& flight) {
  elDraw::DrawObject(Whole(flight.entry->x), Whole(flight.entry->y), *flight.image, 0, 0,
                     flight.w, flight.h);
}

}  // namespace

void EntryWaits(const EntryFlight& flight) {
  DrawEntry(flight);
  flight.entry->x = flight.x;
  flight.entry->y = 600.0f;
  flight.entry->speed = flight.speed;
}

void EntryRises(const EntryFlight& flight) {
  DrawEntry(flight);
  BossEntry& entry = *flight.entry;
  entry.x = flight.x;
  entry.y -= entry.speed * FrameTime;
  if (entry.y < kEntryGone) {
    entry.speed = 0.0f;
    entry.x = ParkX;
    entry.y = ParkY;
  }
}

namespace {

void DrawPair(const int32_t* image, const FlamePair& pair, int32_t x, int32_t y, int32_t f) {
  for (int32_t i = 0; i < pair.count && i < MaxFlamesInGroup; ++i) {
    const FlamePoint& p = pair.at[i];
    elDraw::DrawObject(x + p.dx, y + p.dy + pair.step * f, *image, 80 * f, 0, 80 * f + 80, 80);
  }
}

}  // namespace

void DrawBossPicture(const BossBody& body) {
  BossState& boss = *body.state;
  const int32_t x = Whole(boss.x);
  const int32_t y = Whole(boss.y);
  elDraw::DrawObject(x, y, *body.image, 0, 0, body.w, body.h);
  if (boss.hit >= 1) {
    if (body.redrawOnHit) elDraw::DrawObject(x, y, *body.image, 0, 0, body.w, body.h);
    boss.hit = 0;
    if (body.marksHitShown) boss.hitShown = 1;
  }
  const BossFlames& flames = body.flames;
  const float hp = boss.hitPoints;
  const int32_t f = boss.flameFrame;
  if (0.0f < hp && hp <= flames.firstFrom) DrawPair(flames.image, flames.first, x, y, f);
  if (0.0f < hp && hp <= flames.secondFrom) {
    DrawPair(flames.secondImage != nullptr ? flames.secondImage : flames.image, flames.second, x,
             y, f);
  }
  boss.flameFrame += 1;
  if (boss.flameFrame > 9) {
    boss.flameFrame = 0;
    if (body.countsFlameLoops) {
      boss.flameLoop += 1;
      if (boss.flameLoop > 4) boss.flameLoop = 0;
    }
  }
}
