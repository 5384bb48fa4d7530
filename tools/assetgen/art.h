// Picture painters, one family per file (ship, enemies, bosses, bullets,
// effects, HUD, backgrounds, screens), looked up by catalogue path.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "tools/assetgen/catalogue.h"
#include "tools/assetgen/image.h"
#include "tools/assetgen/model.h"

namespace assetgen {

using Painter = std::function<Image(const CatalogueEntry&)>;
using PainterTable = std::map<std::string, Painter>;

void AddShipArt(PainterTable& table);
void AddEnemyArt(PainterTable& table);
void AddBossArt(PainterTable& table);
void AddBulletArt(PainterTable& table);
void AddEffectArt(PainterTable& table);
void AddHudArt(PainterTable& table);
void AddBackgroundArt(PainterTable& table);
void AddScreenArt(PainterTable& table);

const PainterTable& Painters();

// Paints the picture of a catalogue entry: its painter, or a small marker for
// pictures that the game loads but never draws.
Image PaintPicture(const CatalogueEntry& entry);

// A picture of entry's size whose grid cells are painted one by one.
Image PaintCells(const CatalogueEntry& entry, const std::function<Image(int index)>& cell);

// Shared models: the player's ships (design 1 or 2, nose up) and the bosses
// (by the stage whose boss they are, facing down), for the screens.
Model ShipModel(int design);
Model BossModel(int stage);

}  // namespace assetgen
