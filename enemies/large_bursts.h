// The explosion of the large kinds: bursts of 80 x 80 cells around the
// kind's picture, eight (sixteen for Szak60), each a piece of the kind
// engine that stays where it is put.
#pragma once
#include <array>
#include <cstdint>

#include "enemies/engine/kind_engine.h"
#include "shell/assets.h"

namespace large_bursts {

// The eight burst points around a 200 x 160 picture; the last four sit
// `out` pixels further out on both axes.
constexpr Pieces Eight(const std::array<const int32_t*, 8>& images, Blit blit, int32_t out = 0,
                       int32_t shift = 0) {
  constexpr int32_t kX[8] = {-25, 135, 55, 55, -2, 112, -2, 112};
  constexpr int32_t kY[8] = {35, 35, -45, 115, -22, -22, 92, 92};
  constexpr int32_t kOutX[8] = {0, 0, 0, 0, -1, 1, -1, 1};
  constexpr int32_t kOutY[8] = {0, 0, 0, 0, -1, -1, 1, 1};
  Pieces pieces{};
  for (size_t i = 0; i < 8; ++i) {
    pieces[i] = {images[i], 80, kX[i] + out * kOutX[i] + shift, 0,
                 kY[i] + out * kOutY[i] + shift, 0, blit};
  }
  return pieces;
}

constexpr const int32_t* Z2 = &ImgZbak2b;
constexpr const int32_t* Z3 = &ImgZbak3b;

// ZBAK3B, ZBAK2B at the three middle points, ZBAK3B last: most large kinds.
constexpr std::array<const int32_t*, 8> Mixed{Z3, Z3, Z3, Z3, Z2, Z2, Z2, Z3};

// Sixteen bursts: the eight, one pixel out, and the same eight 100 pixels
// lower right, for the 300 x 300 picture.
constexpr Pieces Sixteen(Blit blit) {
  const Pieces first = Eight(Mixed, blit, 1);
  const Pieces second = Eight(Mixed, blit, 1, 100);
  Pieces pieces{};
  for (size_t i = 0; i < 8; ++i) {
    pieces[i] = first[i];
    pieces[i + 8] = second[i];
  }
  return pieces;
}

}  // namespace large_bursts
