// The field of 100 small falling particles behind the action.
#pragma once
#include <cstdint>

struct StarParticle {
  int32_t frame;  // 0..6: which 3 x 10 cell of the MYMY sheet
  float x;
  float y;
  float fall_speed;  // px/s
};

constexpr int32_t StarParticleCount = 100;
extern StarParticle StarParticles[StarParticleCount];

// Draws every particle where it stands, then moves it; a particle that has
// fallen below the screen comes back at the top with a new cell, x and a
// speed of base .. base + range - 1.
void StarfieldUpdate(int32_t range, int32_t base);

// Object-table reset: the particles scattered over x -400 .. 839 and
// y 0 .. 479 with random cells and speeds of 100 .. 199 px/s (four draws per
// particle: cell, x, y, speed).
void ResetStarParticles();
