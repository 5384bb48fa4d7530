// Small software rasteriser: hard-edged shapes filled through colour shaders.
// There is no anti-aliasing on purpose: black is the transparent colour, so a
// soft edge would leave a dark fringe in the game.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/assetgen/image.h"

namespace assetgen {

struct Vec2 {
  double x = 0, y = 0;
};
inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }

using Polygon = std::vector<Vec2>;

// Colour of the pixel whose centre is (x, y).
using Shader = std::function<Rgb(double x, double y)>;

Shader Solid(Rgb c);
Shader VerticalGradient(double y0, Rgb c0, double y1, Rgb c1);
Shader HorizontalGradient(double x0, Rgb c0, double x1, Rgb c1);
// inner colour at the centre to outer at radius r, eased by power.
Shader RadialGradient(Vec2 c, double r, Rgb inner, Rgb outer, double power = 1.0);

void FillPolygon(Image& img, const Polygon& poly, const Shader& shade);  // even-odd
void FillEllipse(Image& img, Vec2 c, double rx, double ry, const Shader& shade);
void FillCircle(Image& img, Vec2 c, double r, const Shader& shade);
void FillRing(Image& img, Vec2 c, double r0, double r1, const Shader& shade);
void FillRect(Image& img, double x0, double y0, double x1, double y1, const Shader& shade);
void DrawLine(Image& img, Vec2 a, Vec2 b, double width, const Shader& shade);
void DrawPolyline(Image& img, const Polygon& pts, double width, const Shader& shade, bool closed);
// A disc that fades from core at the centre to rim at its edge.
void Glow(Image& img, Vec2 c, double r, Rgb core, Rgb rim, double power = 1.5);
// Same, squashed to an ellipse.
void GlowEllipse(Image& img, Vec2 c, double rx, double ry, Rgb core, Rgb rim, double power = 1.5);

// Darkens every inked pixel that touches transparent black, giving a crisp rim.
void OutlineInner(Image& img, double factor);
// Adds a rim of colour on the transparent pixels around the inked ones.
void OutlineOuter(Image& img, Rgb colour);

// Point helpers.
Polygon Translate(const Polygon& pts, Vec2 d);
Polygon ScalePoints(const Polygon& pts, double sx, double sy, Vec2 about = {});
Polygon RotatePoints(const Polygon& pts, double degrees, Vec2 about = {});
// Right half (x >= 0) given from front to back; returns the closed outline
// mirrored about x = 0.
Polygon MirrorClosed(const Polygon& rightHalf);
Polygon RegularPolygon(Vec2 c, double r, int sides, double phaseDegrees);
Polygon StarPolygon(Vec2 c, double outer, double inner, int points, double phaseDegrees);

// 4x4 ordered dither: true when the pixel survives at coverage level (0..1).
bool DitherKeep(int x, int y, double level);

// Our own deterministic generator (numerical recipes LCG constants).
class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed * 2654435761u + 12345u) {}
  std::uint32_t Next();
  double Unit();                     // [0, 1)
  double Range(double lo, double hi);
  int Int(int n);                    // [0, n)

 private:
  std::uint32_t state_;
};

// Value noise 0..1 on a lattice of cell size `cell`, periodic with periodX and
// periodY lattice cells (so a picture of periodX * cell pixels tiles).
double PeriodicNoise(double x, double y, double cell, int periodX, int periodY, std::uint32_t seed);
// Fractal sum of PeriodicNoise octaves, still periodic, result 0..1.
double PeriodicFbm(double x, double y, double cell, int periodX, int periodY, int octaves,
                   std::uint32_t seed);

}  // namespace assetgen

namespace assetgen {

// Signed distance shapes (negative inside), filled with a colour ramp from the
// rim inwards: the glowing look of bullets, beams and energy.
using Sdf = std::function<double(Vec2 p)>;

struct Ramp {
  Rgb rim, mid, core;
  Rgb At(double t) const;  // 0 rim .. 1 core
};

Sdf SdfCircle(Vec2 c, double r);
Sdf SdfEllipse(Vec2 c, double rx, double ry);
// Capsule from a (radius ra) to b (radius rb).
Sdf SdfCapsule(Vec2 a, Vec2 b, double ra, double rb);
Sdf SdfPolygon(Polygon poly);
Sdf SdfUnion(Sdf a, Sdf b);
Sdf SdfSubtract(Sdf a, Sdf b);  // a without b
Sdf SdfRing(Vec2 c, double r, double halfWidth);

// Pixels with sdf <= 0 get ramp.At(depth into the shape / depth).
void FillSdf(Image& img, const Sdf& sdf, const Ramp& ramp, double depth);

}  // namespace assetgen
