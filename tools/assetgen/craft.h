// Building blocks of the enemy craft and bosses: parts (turrets, engines,
// armour greebles) and whole-craft archetypes driven by a row of parameters.
// Every craft is modelled nose up (towards -y) and centred on (0, 0); a View
// turns it to face down or sideways.
#pragma once

#include <cstdint>

#include "tools/assetgen/model.h"

namespace assetgen {

struct Palette {
  Rgb hull, armour, accent, glass, glowCore, glowRim;
};

Material Metal(Rgb c);
Material Glass(Rgb c);
Material Lamp(Rgb c);  // emissive

// Parts.
void AddTurret(Model& m, Vec2 at, double radius, double z, const Palette& p, int barrels);
void AddEngine(Model& m, Vec2 at, double radius, double z, const Palette& p);
// Small raised plates scattered symmetrically over the box (right half given).
void AddGreebles(Model& m, double x0, double y0, double x1, double y1, double z, int count, Rgb colour,
                 std::uint32_t seed);

enum class Archetype { kFighter, kGunship, kCruiser, kCatamaran, kCrab, kManta, kDisc, kPinwheel };

struct CraftSpec {
  Archetype type;
  double length, width;  // extent nose to tail and across
  double sweep;          // shape factor 0..1 (wing sweep, hull taper, blade curl ...)
  int guns;              // turrets or gun barrels
  Palette colours;
  std::uint32_t seed;    // greeble layout
};

Model BuildCraft(const CraftSpec& spec);

}  // namespace assetgen
