#include "tools/assetgen/model.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 Normalise(Vec3 v) {
  const double l = std::sqrt(Dot(v, v));
  return l < 1e-12 ? Vec3{0, 0, 1} : Vec3{v.x / l, v.y / l, v.z / l};
}

Vec2 ClosestOnSegment(Vec2 p, Vec2 a, Vec2 b) {
  const Vec2 ab = b - a;
  const double len2 = ab.x * ab.x + ab.y * ab.y;
  if (len2 < 1e-12) return a;
  const double t = std::clamp(((p.x - a.x) * ab.x + (p.y - a.y) * ab.y) / len2, 0.0, 1.0);
  return a + ab * t;
}

struct Rotation {
  double m[3][3];
  Vec3 Apply(Vec3 v) const {
    return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z, m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
            m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
  }
};

Rotation Multiply(const Rotation& a, const Rotation& b) {
  Rotation r{};
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      for (int k = 0; k < 3; ++k) r.m[i][j] += a.m[i][k] * b.m[k][j];
  return r;
}

Rotation MakeRotation(const View& v) {
  const double r = v.roll * kPi / 180, p = v.pitch * kPi / 180, y = v.yaw * kPi / 180;
  // Roll about y: positive lowers the left (x < 0) side away from the viewer.
  const Rotation roll{{{std::cos(r), 0, -std::sin(r)}, {0, 1, 0}, {std::sin(r), 0, std::cos(r)}}};
  // Pitch about x: positive lifts the front (y < 0) towards the viewer.
  const Rotation pitch{{{1, 0, 0}, {0, std::cos(p), std::sin(p)}, {0, -std::sin(p), std::cos(p)}}};
  const Rotation yaw{{{std::cos(y), -std::sin(y), 0}, {std::sin(y), std::cos(y), 0}, {0, 0, 1}}};
  return Multiply(yaw, Multiply(pitch, roll));
}

const Vec3 kLight = Normalise({-0.45, -0.6, 0.66});
const Vec3 kHalf = Normalise({kLight.x, kLight.y, kLight.z + 1});

}  // namespace

void Model::AddFace(std::vector<Vec3> pts, const Material& m) {
  if (pts.size() >= 3) faces_.push_back({std::move(pts), m});
}

void Model::AddTent(const Polygon& outline, Vec2 a, Vec2 b, double z0, double height, const Material& m) {
  const std::size_t n = outline.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 p = outline[i], q = outline[(i + 1) % n];
    const Vec2 rp = ClosestOnSegment(p, a, b), rq = ClosestOnSegment(q, a, b);
    std::vector<Vec3> f{{p.x, p.y, z0}, {q.x, q.y, z0}, {rq.x, rq.y, z0 + height}};
    if (std::hypot(rq.x - rp.x, rq.y - rp.y) > 1e-6) f.push_back({rp.x, rp.y, z0 + height});
    AddFace(std::move(f), m);
  }
}

void Model::AddHull(const Polygon& outline, double z0, double height, double ridgeInset, const Material& m) {
  double top = outline[0].y, bottom = outline[0].y;
  for (const Vec2& p : outline) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
  AddTent(outline, {0, top + ridgeInset}, {0, bottom - ridgeInset}, z0, height, m);
}

void Model::AddSlab(const Polygon& outline, double z0, double z1, const Material& m) {
  const std::size_t n = outline.size();
  for (std::size_t i = 0; i < n; ++i) {
    const Vec2 p = outline[i], q = outline[(i + 1) % n];
    AddFace({{p.x, p.y, z0}, {q.x, q.y, z0}, {q.x, q.y, z1}, {p.x, p.y, z1}}, m);
  }
  std::vector<Vec3> top;
  for (const Vec2& p : outline) top.push_back({p.x, p.y, z1});
  AddFace(std::move(top), m);
}

void Model::AddDome(Vec2 c, double rx, double ry, double z0, double height, const Material& m, int segments,
                    int rings) {
  auto point = [&](int ring, int seg) {
    const double phi = (kPi / 2) * ring / rings;  // 0 at the rim, pi/2 at the top
    const double a = 2 * kPi * seg / segments;
    return Vec3{c.x + rx * std::cos(phi) * std::cos(a), c.y + ry * std::cos(phi) * std::sin(a),
                z0 + height * std::sin(phi)};
  };
  for (int ring = 0; ring < rings; ++ring)
    for (int seg = 0; seg < segments; ++seg) {
      std::vector<Vec3> f{point(ring, seg), point(ring, seg + 1), point(ring + 1, seg + 1)};
      if (ring + 1 < rings) f.push_back(point(ring + 1, seg));
      AddFace(std::move(f), m);
    }
}

void Model::AddBarrel(Vec2 from, Vec2 to, double width, double z, const Material& m) {
  const double len = std::hypot(to.x - from.x, to.y - from.y);
  if (len < 1e-9) return;
  const Vec2 n{-(to.y - from.y) / len * width / 2, (to.x - from.x) / len * width / 2};
  AddTent({from + n, to + n, to - n, from - n}, from, to, z, width * 0.6, m);
}

void Model::AddGlow(Vec3 c, double r, Rgb core, Rgb rim) { glows_.push_back({c, r, core, rim}); }

void Model::MirrorSinceMark() {
  const std::size_t faceEnd = faces_.size(), glowEnd = glows_.size();
  for (std::size_t i = markFaces_; i < faceEnd; ++i) {
    Face f = faces_[i];
    std::reverse(f.pts.begin(), f.pts.end());
    for (Vec3& p : f.pts) p.x = -p.x;
    faces_.push_back(std::move(f));
  }
  for (std::size_t i = markGlows_; i < glowEnd; ++i) {
    GlowSpot g = glows_[i];
    g.centre.x = -g.centre.x;
    glows_.push_back(g);
  }
  Mark();
}

void Model::Append(const Model& other, Vec3 offset) {
  for (Face f : other.faces_) {
    for (Vec3& p : f.pts) p = {p.x + offset.x, p.y + offset.y, p.z + offset.z};
    faces_.push_back(std::move(f));
  }
  for (GlowSpot g : other.glows_) {
    g.centre = {g.centre.x + offset.x, g.centre.y + offset.y, g.centre.z + offset.z};
    glows_.push_back(g);
  }
}

void Render(Image& img, const Model& model, const View& view) {
  const Rotation rot = MakeRotation(view);
  struct Projected {
    Polygon pts;
    double depth;
    Rgb colour;
    Rgb edge;
    bool hasEdge;
    std::size_t order;
  };
  std::vector<Projected> list;
  list.reserve(model.faces().size());
  for (std::size_t i = 0; i < model.faces().size(); ++i) {
    const Face& f = model.faces()[i];
    std::vector<Vec3> t;
    for (const Vec3& p : f.pts) t.push_back(rot.Apply({p.x * view.scale, p.y * view.scale, p.z * view.scale}));
    Vec3 n{};
    for (std::size_t k = 0; k < t.size(); ++k) {  // Newell's normal
      const Vec3 a = t[k], b = t[(k + 1) % t.size()];
      n.x += (a.y - b.y) * (a.z + b.z);
      n.y += (a.z - b.z) * (a.x + b.x);
      n.z += (a.x - b.x) * (a.y + b.y);
    }
    n = Normalise(n);
    if (n.z < 0) n = {-n.x, -n.y, -n.z};
    if (n.z < 0.02) continue;  // seen edge-on
    Rgb colour;
    if (view.flat) {
      colour = view.flatColour;
    } else if (f.material.emissive) {
      colour = f.material.base;
    } else {
      const double diffuse = std::max(0.0, Dot(n, kLight));
      const double light = 0.38 + 0.8 * diffuse;
      const double spec = f.material.shine * std::pow(std::max(0.0, Dot(n, kHalf)), 24) * 200;
      const Rgb b = f.material.base;
      colour = MakeRgb(b.r * light + spec, b.g * light + spec, b.b * light + spec);
    }
    Projected p{{}, 0, colour, Scale(colour, f.material.edge), f.material.edge > 0, i};
    for (const Vec3& q : t) {
      p.pts.push_back({view.centre.x + q.x, view.centre.y + q.y});
      p.depth += q.z;
    }
    p.depth /= static_cast<double>(t.size());
    list.push_back(std::move(p));
  }
  std::stable_sort(list.begin(), list.end(), [](const Projected& a, const Projected& b) {
    if (std::abs(a.depth - b.depth) > 1e-9) return a.depth < b.depth;
    return a.order < b.order;
  });
  for (const Projected& p : list) {
    FillPolygon(img, p.pts, Solid(p.colour));
    if (p.hasEdge) DrawPolyline(img, p.pts, 0.9, Solid(p.edge), true);
  }
  if (view.flat) return;
  for (const GlowSpot& g : model.glows()) {
    const Vec3 c = rot.Apply({g.centre.x * view.scale, g.centre.y * view.scale, g.centre.z * view.scale});
    Glow(img, {view.centre.x + c.x, view.centre.y + c.y}, g.radius * view.scale, g.core, g.rim);
  }
}

}  // namespace assetgen
