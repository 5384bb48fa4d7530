// Explosion piece lists that several kinds share (the kind engine's Pieces,
// in drawing order; f is the explosion cell).
#pragma once
#include "enemies/engine/kind_engine.h"
#include "shell/assets.h"

// Five copies of the 80 x 80 ZBAK3B cell: the main one, then four spreading
// out, the first of them half-transparent.
constexpr Pieces Zbak3bCluster{{
    {&ImgZbak3b, 80, 0, 0, 0, 0, Blit::Additive},
    {&ImgZbak3b, 80, 20, -6, 20, -6, Blit::Half},
    {&ImgZbak3b, 80, 20, 6, 20, 2, Blit::Additive},
    {&ImgZbak3b, 80, 20, -6, 20, 6, Blit::Additive},
    {&ImgZbak3b, 80, 20, 1, 20, -6, Blit::Additive},
}};

// The 80 x 80 ZBAK2B cell, then six 40 x 40 pieces of ZBAK6B debris flying
// apart.
constexpr Pieces Zbak2bDebrisSpray{{
    {&ImgZbak2b, 80, 0, 0, 0, 0, Blit::Additive},
    {&ImgZbak6b, 40, 20, -4, 20, -6, Blit::Additive},
    {&ImgZbak6b, 40, 20, 1, 20, 7, Blit::Additive},
    {&ImgZbak6b, 40, 20, 7, 20, -1, Blit::Additive},
    {&ImgZbak6b, 40, 20, -6, 20, 3, Blit::Additive},
    {&ImgZbak6b, 40, 20, 7, 20, 6, Blit::Additive},
    {&ImgZbak6b, 40, 20, 5, 20, -8, Blit::Additive},
}};

// The same spray with its last two pieces half-transparent, the fifth
// thrown up and to the left instead.
constexpr Pieces Zbak2bDebrisSprayFading = [] {
  Pieces pieces = Zbak2bDebrisSpray;
  pieces[5] = {&ImgZbak6b, 40, 20, -7, 20, -6, Blit::Half};
  pieces[6].blit = Blit::Half;
  return pieces;
}();
