// The bosses' shared body pieces.
#include "stages/common/boss_body.h"

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/engine/engine_parts.h"
#include "shell/assets.h"

namespace {

constexpr float kEntryGone = -480.0f;  // above this the entry picture is parked

void DrawEntry(const EntryFlight& flight) {
  elDraw::DrawObject(Whole(flight.entry->x), Whole(flight.entry->y), *flight.image, 0, 0,
                     flight.w, flight.h);
}

void DrawFlames(const FlamePoint (&flames)[2], int32_t x, int32_t y, int32_t f) {
  for (const FlamePoint& flame : flames) {
    elDraw::DrawObject(x + flame.dx, y + flame.dy + 28 * f, ImgZbak3b, 80 * f, 0, 80 * f + 80, 80);
  }
}

}  // namespace

void RunMoveBands(std::span<const MoveBand> bands, const BossState& boss) {
  for (const MoveBand& band : bands) {
    if (band.Holds(boss.moveTimer)) band.action();
  }
}

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

void DrawBossBody(BossState& boss, const BossLook& look) {
  const int32_t x = Whole(boss.x);
  const int32_t y = Whole(boss.y);
  elDraw::DrawObject(x, y, *look.image, 0, 0, look.w, look.h);
  if (boss.hit >= 1) {
    boss.hit = 0;
    boss.hitShown = 1;
  }
  const float hp = boss.hitPoints;
  if (0.0f < hp && hp <= 90.0f) DrawFlames(look.first, x, y, boss.flameFrame);
  if (0.0f < hp && hp <= 70.0f) DrawFlames(look.second, x, y, boss.flameFrame);
  boss.flameFrame += 1;
  if (boss.flameFrame > 9) {
    boss.flameFrame = 0;
    boss.flameLoop += 1;
    if (boss.flameLoop > 4) boss.flameLoop = 0;
  }
}
