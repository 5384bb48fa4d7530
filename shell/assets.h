// Handles of every picture and sound the game draws or plays, and the
// start-up that sets up the display and loads them.
#pragma once
#include <cstdint>

#define ASSET_IMAGE(global, file) extern int32_t global;
#define ASSET_SOUND(global, file) extern int32_t global;
#include "shell/asset_list.inc"
#undef ASSET_IMAGE
#undef ASSET_SOUND

// The ship sheet, loaded by the mode screen (0 until then).
extern int32_t ImgMyme;

// Handles the game reads that nothing ever loads: they stay 0, the library's
// internal buffer object.
extern int32_t ImgBoss3;
extern int32_t ImgBackground6;
extern int32_t ImgBackground38;
extern int32_t ImgSidePanel;
extern int32_t ImgSceneryA, ImgSceneryB, ImgSceneryC;
extern int32_t ImgSidePanelL, ImgSidePanelR;
extern int32_t ImgShipIntro;

// One entry of the load list (tests and tools walk it).
struct AssetEntry {
  const char* file;
  int32_t* handle;
  bool sound;
};
extern const AssetEntry AssetCatalogue[];
extern const int AssetCount;

// A picture the game draws turned, in a square box of `size` pixels.
struct TurnedPicture {
  int32_t* handle;
  int32_t size;
};
extern const TurnedPicture TurnedPictures[];
extern const int TurnedPictureCount;

// Display start-up, clip rectangle, every picture and sound in list order
// (the turned ones kept turned by every degree), HighScore 500, and the
// title as the first scene.
void LoadAssets();
