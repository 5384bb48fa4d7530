// Faceted flat-shaded models: craft are built from raised facets (tents,
// slabs, domes) and drawn from above with a fixed light, so the same model can
// be banked, turned or mirrored for every frame of a sheet.
//
// Model space: x right, y down (the picture's own axes), z towards the viewer.
#pragma once

#include <vector>

#include "tools/assetgen/image.h"
#include "tools/assetgen/raster.h"

namespace assetgen {

struct Vec3 {
  double x = 0, y = 0, z = 0;
};

struct Material {
  Rgb base;
  double shine = 0;        // specular highlight strength 0..1
  bool emissive = false;   // drawn in its own colour, unlit
  double edge = 0;         // > 0: facet edges drawn darker by this factor
};

struct Face {
  std::vector<Vec3> pts;
  Material material;
};

struct GlowSpot {
  Vec3 centre;
  double radius;
  Rgb core, rim;
};

class Model {
 public:
  void AddFace(std::vector<Vec3> pts, const Material& m);
  // Facets from every outline edge (at height z0) up to the nearest point of
  // the ridge segment a-b at height z0 + height: a raised, bevelled hull.
  void AddTent(const Polygon& outline, Vec2 a, Vec2 b, double z0, double height, const Material& m);
  // Tent whose ridge runs along x = 0 between the outline's own front and back.
  void AddHull(const Polygon& outline, double z0, double height, double ridgeInset, const Material& m);
  // Flat top at z1 with walls down to z0.
  void AddSlab(const Polygon& outline, double z0, double z1, const Material& m);
  // Faceted dome: `rings` bands of `segments` facets.
  void AddDome(Vec2 c, double rx, double ry, double z0, double height, const Material& m,
               int segments = 12, int rings = 3);
  // A gun barrel: a thin slab from `from` to `to`.
  void AddBarrel(Vec2 from, Vec2 to, double width, double z, const Material& m);
  void AddGlow(Vec3 c, double r, Rgb core, Rgb rim);

  // Everything added after Mark() is copied mirrored about x = 0 by MirrorSinceMark().
  void Mark() { markFaces_ = faces_.size(), markGlows_ = glows_.size(); }
  void MirrorSinceMark();

  // Appends another model moved by offset.
  void Append(const Model& other, Vec3 offset = {});

  const std::vector<Face>& faces() const { return faces_; }
  const std::vector<GlowSpot>& glows() const { return glows_; }

 private:
  std::vector<Face> faces_;
  std::vector<GlowSpot> glows_;
  std::size_t markFaces_ = 0, markGlows_ = 0;
};

struct View {
  Vec2 centre;          // where model (0, 0) lands in the picture
  double scale = 1;
  double roll = 0;      // degrees about the model's y axis; positive dips the left side
  double pitch = 0;     // degrees about x; positive tips the front (-y) towards the viewer
  double yaw = 0;       // degrees in the picture plane, clockwise on screen
  bool flat = false;    // ignore lighting: every lit facet in `flatColour`
  Rgb flatColour;
};

void Render(Image& img, const Model& model, const View& view);

}  // namespace assetgen
