// The scrolling background layers of the stages: tables of 480-pixel strips
// that fall down the playfield at a constant speed or at speeds chosen by
// windows of the scroll position; the side-panel layers, the scenery objects
// and the scrolling boss pictures of the same design.
#pragma once
#include <cstdint>

// One 480-pixel strip of a layer.
struct BackgroundStrip {
  float x;
  float y;   // grows as the strip falls
  float dx;  // sideways speed (px/s), set by the ship's arrow keys
};

constexpr int32_t BackgroundStripCount = 5000;
constexpr int32_t BackgroundStripHeight = 480;

extern BackgroundStrip Bback1sStrips[BackgroundStripCount];
extern BackgroundStrip Bback2sStrips[BackgroundStripCount];
extern BackgroundStrip Bback3sStrips[BackgroundStripCount];
extern BackgroundStrip Bback6sStrips[BackgroundStripCount];
extern BackgroundStrip Background38Strips[BackgroundStripCount];
extern BackgroundStrip Background6Strips[BackgroundStripCount];
extern BackgroundStrip BackgroundAStrips[BackgroundStripCount];
extern BackgroundStrip BackgroundBStrips[BackgroundStripCount];
extern BackgroundStrip SidePanelLeftStrips[BackgroundStripCount];
extern BackgroundStrip SidePanelRightStrips[BackgroundStripCount];

// The pictures of the two layers that no scene draws; nothing loads them.
extern int32_t ImgBackgroundA, ImgBackgroundB;

// One frame of a layer: draw every strip, move it, wrap the table when its
// last strip has come down to the top of the screen.
void Bback1sDraw();
void Bback2sDraw();
void Bback3sDraw();
void Bback6sDraw();
void Background38Draw();
void Background6Draw();
void BackgroundADraw();
void BackgroundBDraw();
void SidePanelLeftDraw();
void SidePanelRightDraw();
// The two stage-3 side panels, opaque at x 0 and x 540.
void SidePanelsDraw();

// The layer speed (px/s) of speed-window set 1..6 at the scroll position: the
// sum of every window that holds (bounds inclusive), 0 outside all of them.
float LayerWindowSpeed(int32_t set, float scroll);

// The new-game placing of the eight stage layers: strip i at y 120 - 480 i,
// no sideways speed, x at the layer's start column.  The side panels are
// left alone.
void ResetBackgroundStrips();
// The ship's sideways drift: direction +1 (left key) or -1 (right key) sets
// every strip of the four drifting layers to 50, 55, 60 and 65 px/s times it.
void SetBackgroundDrift(int32_t direction);

// ---- scenery objects ----
struct SceneryObject {
  float x;
  float y;
  float speed;
  uint32_t active;
};
extern SceneryObject SceneryObjects[3];  // A, B, C

void SceneryASpawn();
void SceneryADraw();
void SceneryAMove();
void SceneryBSpawn();
void SceneryBDraw();
void SceneryBMove();
void SceneryCSpawn();
void SceneryCDraw();
void SceneryCMove();

// ---- scrolling boss pictures ----
struct BossPicture {
  int32_t tick;
  float x;
  float y;
  float speed;
  uint32_t active;
};
extern BossPicture BossPictures[8];
extern BossPicture SpareBossPicture;

void BossPictureSpawn();
void BossPictureDraw();
void BossPictureMove();

// Object-table reset of the boss-picture tables: tick 0, parked at
// (-500, 2550), speed 0, inactive.
void ResetBossPictures();
void ResetSpareBossPicture();
