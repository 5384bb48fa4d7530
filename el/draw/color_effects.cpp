// Per-pixel colour effects: float-weighted blends, table crossfades (uniform,
// per channel or growing along a gradient), brightness, darkening, grey,
// channel masks and the shadow blit.  All share the software blit frame;
// source pixel 0 is transparent in every one.
#include "el/draw/soft_blit.h"
#include "el/draw/soft_blit_frame.h"

namespace elDraw {
namespace {

using soft::Area;
using soft::Plane;

// trunc(s_c x a_c + d_c x (1 - a_c)) on native channel values.
struct AlphaRule {
  soft::NativeChannels ch;
  float a[3], rest[3];
  AlphaRule(float red, float green, float blue) {
    a[0] = soft::ClampUnit(red);
    a[1] = soft::ClampUnit(green);
    a[2] = soft::ClampUnit(blue);
    for (int c = 0; c < 3; ++c) rest[c] = 1.0f - a[c];
  }
  unsigned Channel(uint16_t s, uint16_t d, int c) const {
    return static_cast<unsigned>(static_cast<float>(ch.Get(s, c)) * a[c] +
                                 static_cast<float>(ch.Get(d, c)) * rest[c]);
  }
  uint16_t operator()(uint16_t s, uint16_t d) const {
    return ch.Compose(Channel(s, d, 0), Channel(s, d, 1), Channel(s, d, 2));
  }
};

// trunc(s_c x f_c) on native channel values.
struct BrightnessRule {
  soft::NativeChannels ch;
  float f[3];
  BrightnessRule(float red, float green, float blue) {
    f[0] = soft::ClampUnit(red);
    f[1] = soft::ClampUnit(green);
    f[2] = soft::ClampUnit(blue);
  }
  uint16_t operator()(uint16_t s, uint16_t) const {
    return ch.Compose(static_cast<unsigned>(static_cast<float>(ch.Get(s, 0)) * f[0]),
                      static_cast<unsigned>(static_cast<float>(ch.Get(s, 1)) * f[1]),
                      static_cast<unsigned>(static_cast<float>(ch.Get(s, 2)) * f[2]));
  }
};

// max(0, s_c - (31 - k_c)) through SubtractiveTable.
struct DarkenRule {
  int b[3];
  DarkenRule(int32_t red, int32_t green, int32_t blue)
      : b{31 - soft::ClampLevel(red), 31 - soft::ClampLevel(green), 31 - soft::ClampLevel(blue)} {}
  uint16_t operator()(uint16_t s, uint16_t) const {
    const uint8_t* cs = soft::Split(s);
    return static_cast<uint16_t>(SubtractiveTable[SubtractiveIndex(0, cs[0], b[0])] |
                                 SubtractiveTable[SubtractiveIndex(1, cs[1], b[1])] |
                                 SubtractiveTable[SubtractiveIndex(2, cs[2], b[2])]);
  }
};

struct GreyRule {
  soft::Placer place;
  uint16_t operator()(uint16_t s, uint16_t) const {
    const uint8_t* cs = soft::Split(s);
    const unsigned g = GreyTable[cs[0] + cs[1] + cs[2]];
    return place(g, g, g);
  }
};

struct MaskRule {
  uint16_t mask;
  uint16_t operator()(uint16_t s, uint16_t) const { return static_cast<uint16_t>(s & mask); }
};

// max(0, d_c - s_red) through SubtractiveTable: the source's red darkens.
struct ShadowRule {
  uint16_t operator()(uint16_t s, uint16_t d) const {
    const uint8_t* cd = soft::Split(d);
    const int r = soft::Split(s)[0];
    return static_cast<uint16_t>(SubtractiveTable[SubtractiveIndex(0, cd[0], r)] |
                                 SubtractiveTable[SubtractiveIndex(1, cd[1], r)] |
                                 SubtractiveTable[SubtractiveIndex(2, cd[2], r)]);
  }
};

// ---- gradients ----
// Beyond position `start` the three values move one notch towards full
// source every `step` positions; along each row (direction 0, starting
// afresh on every row) or down the rows (any other direction).

// Table levels 31 - k, a notch lowers a level that is not 0.
struct CrossfadeValues {
  int initial[3], level[3];
  CrossfadeValues(int32_t red, int32_t green, int32_t blue)
      : initial{31 - soft::ClampLevel(red), 31 - soft::ClampLevel(green),
                31 - soft::ClampLevel(blue)} {
    Reset();
  }
  void Reset() {
    for (int c = 0; c < 3; ++c) level[c] = initial[c];
  }
  void Notch() {
    for (int c = 0; c < 3; ++c)
      if (level[c] != 0) --level[c];
  }
  uint16_t Apply(uint16_t s, uint16_t d) const {
    return soft::BlendRule(CrossfadeTable, level[0], level[1], level[2])(s, d);
  }
};

// Destination weights 1 - a; a notch takes 1/32 off, not below 0.
struct AlphaValues {
  soft::NativeChannels ch;
  float initial[3], weight[3];
  AlphaValues(float red, float green, float blue)
      : initial{1.0f - soft::ClampUnit(red), 1.0f - soft::ClampUnit(green),
                1.0f - soft::ClampUnit(blue)} {
    Reset();
  }
  void Reset() {
    for (int c = 0; c < 3; ++c) weight[c] = initial[c];
  }
  void Notch() {
    for (int c = 0; c < 3; ++c) {
      weight[c] -= 0.03125f;
      if (weight[c] < 0.0f) weight[c] = 0.0f;
    }
  }
  unsigned Channel(uint16_t s, uint16_t d, int c) const {
    return static_cast<unsigned>(static_cast<float>(ch.Get(s, c)) * (1.0f - weight[c]) +
                                 static_cast<float>(ch.Get(d, c)) * weight[c]);
  }
  uint16_t Apply(uint16_t s, uint16_t d) const {
    return ch.Compose(Channel(s, d, 0), Channel(s, d, 1), Channel(s, d, 2));
  }
};

// Counts positions beyond `start` and notches every `step` of them.
template <class Values>
struct GradientCounter {
  int start, step, counter = 0;
  void Pass(int position, Values& values) {
    if (position <= start) return;
    if (++counter >= step) {
      counter = 0;
      values.Notch();
    }
  }
};

template <class Values>
int32_t DrawGradient(int32_t x, int32_t y, Values values, int32_t direction, int32_t start,
                     int32_t step, int32_t handle, int32_t left, int32_t top, int32_t right,
                     int32_t bottom) {
  GradientCounter<Values> counter{static_cast<uint16_t>(start), step};
  return soft::ClippedBlit(
      x, y, handle, left, top, right, bottom, [&](const Plane& src, const Plane& dst, const Area& a) {
        for (int i = 0; i < a.h; ++i) {
          if (direction == 0) {
            values.Reset();
            counter.counter = 0;
          } else {
            counter.Pass(i, values);
          }
          const uint16_t* s = src.Row(a.top + i) + a.left;
          uint16_t* d = dst.Row(a.y + i) + a.x;
          for (int j = 0; j < a.w; ++j) {
            if (direction == 0) counter.Pass(j, values);
            if (s[j] != 0) d[j] = values.Apply(s[j], d[j]);
          }
        }
      });
}

}  // namespace

int32_t DrawAlpha(int32_t x, int32_t y, float a, int32_t handle, int32_t left, int32_t top,
                  int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, AlphaRule(a, a, a));
}

int32_t DrawAlphaRGB(int32_t x, int32_t y, float a_red, float a_green, float a_blue,
                     int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         AlphaRule(a_red, a_green, a_blue));
}

int32_t DrawAlphaGradient(int32_t x, int32_t y, float a_red, float a_green, float a_blue,
                          int32_t direction, int32_t start, int32_t step, int32_t handle,
                          int32_t left, int32_t top, int32_t right, int32_t bottom) {
  return DrawGradient(x, y, AlphaValues(a_red, a_green, a_blue), direction, start, step, handle,
                      left, top, right, bottom);
}

int32_t DrawCrossfade(int32_t x, int32_t y, int32_t level, int32_t handle, int32_t left,
                      int32_t top, int32_t right, int32_t bottom) {
  return DrawCrossfade2(x, y, level, level, level, handle, left, top, right, bottom);
}

int32_t DrawCrossfade2(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                       int32_t level_blue, int32_t handle, int32_t left, int32_t top,
                       int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         soft::BlendRule(CrossfadeTable, 31 - soft::ClampLevel(level_red),
                                         31 - soft::ClampLevel(level_green),
                                         31 - soft::ClampLevel(level_blue)));
}

int32_t DrawCrossfadeGradient(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                              int32_t level_blue, int32_t direction, int32_t start, int32_t step,
                              int32_t handle, int32_t left, int32_t top, int32_t right,
                              int32_t bottom) {
  return DrawGradient(x, y, CrossfadeValues(level_red, level_green, level_blue), direction, start,
                      step, handle, left, top, right, bottom);
}

int32_t DrawBrightnessV(int32_t x, int32_t y, float f, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, BrightnessRule(f, f, f));
}

int32_t DrawBrightnessRGBV(int32_t x, int32_t y, float f_red, float f_green, float f_blue,
                           int32_t handle, int32_t left, int32_t top, int32_t right,
                           int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         BrightnessRule(f_red, f_green, f_blue));
}

int32_t DrawDarkened(int32_t x, int32_t y, int32_t level, int32_t handle, int32_t left,
                     int32_t top, int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, DarkenRule(level, level, level));
}

int32_t DrawDarkenedRGB(int32_t x, int32_t y, int32_t level_red, int32_t level_green,
                        int32_t level_blue, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         DarkenRule(level_red, level_green, level_blue));
}

int32_t DrawGrey(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top, int32_t right,
                 int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, GreyRule());
}

int32_t DrawMasked(int32_t x, int32_t y, int32_t keep_red, int32_t keep_green,
                   int32_t keep_blue, int32_t handle, int32_t left, int32_t top, int32_t right,
                   int32_t bottom) {
  const uint32_t mask = (keep_red != 0 ? RedMask : 0) | (keep_green != 0 ? GreenMask : 0) |
                        (keep_blue != 0 ? BlueMask : 0);
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom,
                         MaskRule{static_cast<uint16_t>(mask)});
}

int32_t DrawSubtractive(int32_t x, int32_t y, int32_t handle, int32_t left, int32_t top,
                        int32_t right, int32_t bottom) {
  return soft::KeyedBlit(x, y, handle, left, top, right, bottom, ShadowRule());
}

}  // namespace elDraw
