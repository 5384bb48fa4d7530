#include "stages/common/boss_body.h"

#include "el/draw/elDraw.h"
#include "shell/assets.h"

void RunMoveBands(BossState& boss, std::span<const MoveBand> bands) {
  boss.moveTimer += 10.0f * FrameTime;
  for (const MoveBand& band : bands) {
    if (band.Holds(boss.moveTimer)) band.action();
  }
}

void DrawFlames(std::span<const Flame> flames, int32_t x, int32_t y, int32_t f) {
  for (const Flame& flame : flames) {
    elDraw::DrawObject(x + flame.dx, y + flame.dy + flame.step * f, ImgZbak3b, 80 * f, 0,
                       80 * f + 80, 80);
  }
}
