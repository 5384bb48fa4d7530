// The starfield: 100 falling specks from the MYMY sheet.
#include "player/starfield.h"

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "shell/assets.h"

StarParticle StarParticles[StarParticleCount];

void StarfieldUpdate(int32_t range, int32_t base) {
  // A range below 1 gives every new particle the base speed.
  const int32_t spread = range < 1 ? 1 : range;
  for (StarParticle& p : StarParticles) {
    const int32_t cell = 3 * p.frame + 139;
    elDraw::DrawObject(static_cast<int32_t>(p.x), static_cast<int32_t>(p.y), ImgMymy, cell, 70,
                       cell + 3, 80);
    p.y += p.fall_speed * FrameTime;
    if (p.y > 600.0f) {
      p.frame = os::Random() % 7;
      p.x = static_cast<float>(os::Random() % 640);
      p.y = static_cast<float>(-(os::Random() % 50));
      p.fall_speed = static_cast<float>(os::Random() % spread + base);
    }
  }
}

void ResetStarParticles() {
  for (StarParticle& p : StarParticles) {
    p.frame = os::Random() % 7;
    p.x = static_cast<float>(os::Random() % 1240) - 400.0f;
    p.y = static_cast<float>(os::Random() % 480);
    p.fall_speed = static_cast<float>(os::Random() % 100 + 100);
  }
}
