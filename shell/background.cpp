// The background layers, written once as a layer engine over a row of
// parameters per layer; the speed windows are data.
#include "shell/background.h"

#include <limits>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/record_resets.h"
#include "shell/assets.h"
#include "shell/game_state.h"

BackgroundStrip Bback1sStrips[BackgroundStripCount];
BackgroundStrip Bback2sStrips[BackgroundStripCount];
BackgroundStrip Bback3sStrips[BackgroundStripCount];
BackgroundStrip Bback6sStrips[BackgroundStripCount];
BackgroundStrip Background38Strips[BackgroundStripCount];
BackgroundStrip Background6Strips[BackgroundStripCount];
BackgroundStrip BackgroundAStrips[BackgroundStripCount];
BackgroundStrip BackgroundBStrips[BackgroundStripCount];
BackgroundStrip SidePanelLeftStrips[BackgroundStripCount];
BackgroundStrip SidePanelRightStrips[BackgroundStripCount];

int32_t ImgBackgroundA = 0, ImgBackgroundB = 0;

SceneryObject SceneryObjects[3];
BossPicture BossPictures[8];
BossPicture SpareBossPicture;

namespace {

// ---- speed windows ----

struct SpeedWindow {
  float low, high;  // inclusive
  float speed;      // px/s
};

constexpr float kOpen = std::numeric_limits<float>::infinity();

constexpr SpeedWindow kWindows1[] = {
    {0, 500, 140},    {500, 530, 150},   {530, 560, 250},     {560, 590, 350},  {590, 620, 450},
    {620, 650, 550},  {650, 1000, 650},  {1000, 1150, 300},   {1150, kOpen, 150}};
constexpr SpeedWindow kWindows2[] = {
    {0, 600, 140},    {600, 650, 200},   {650, 700, 250},     {700, 750, 300},  {750, 800, 370},
    {800, 850, 430},  {850, 900, 530},   {900, 1150, 320},    {1150, kOpen, 140}};
constexpr SpeedWindow kWindows3[] = {
    {0, 500, 150},    {500, 530, 200},   {530, 560, 300},     {560, 590, 400},  {590, 620, 300},
    {620, 650, 400},  {650, 1000, 250},  {1000, 1150, 200},   {1150, kOpen, 150}};
constexpr SpeedWindow kWindows4[] = {
    {0, 400, 140},    {400, 450, 200},   {450, 500, 250},     {500, 550, 320},  {550, 600, 390},
    {600, 650, 450},  {650, 1000, 400},  {1000, 1150, 360},   {1150, kOpen, 140}};
constexpr SpeedWindow kWindows5[] = {
    {0, 500, 150},    {500, 530, 150},   {530, 560, 250},     {560, 590, 350},  {590, 620, 450},
    {620, 650, 2550}, {650, 1000, 400},  {1000, 1150, 300},   {1150, kOpen, 250}};
// Set 6 has no window from 700 to 750: the layer stands still there.
constexpr SpeedWindow kWindows6[] = {
    {0, 500, 150},      {500, 530, 200},    {530, 560, 300},    {560, 590, 400},
    {590, 620, 2550},   {620, 650, 600},    {650, 700, 640},    {750, 800, 360},
    {800, 830, 200},    {830, 960, 300},    {960, 990, 400},    {990, 1020, 2550},
    {1020, 1050, 600},  {1050, 1100, 400},  {1100, kOpen, 260}};

struct WindowSet {
  const SpeedWindow* windows;
  int count;
};
template <int N>
constexpr WindowSet Set(const SpeedWindow (&w)[N]) {
  return {w, N};
}
constexpr WindowSet kWindowSets[] = {Set(kWindows1), Set(kWindows2), Set(kWindows3),
                                     Set(kWindows4), Set(kWindows5), Set(kWindows6)};

// ---- the layer engine ----

enum class Blit { Keyed, Opaque };
enum class Column {
  Fixed,      // x back to the column every strip
  PlusDrift,  // x back to the column, then this frame's drift added
  Carried,    // x carries the drift over from frame to frame
};
enum class Wrap {
  Y,          // strips back to y -480 i
  YAndX100,   // the same, and x 100
  Column,     // strips back to (column, -480 i); the walk ends
};

struct Layer {
  BackgroundStrip* strips;
  const int32_t* picture;
  int32_t width;
  Blit blit;
  float column;
  float speed;     // constant speed, when windows is 0
  int32_t windows; // speed-window set 1..6, 0 = constant
  Column x_rule;
  Wrap wrap;
  float start_x;   // x that a new game gives every strip
};

constexpr float kNoStart = 0.0f;  // the side panels are not placed by a new game

const Layer kBback1s{Bback1sStrips, &ImgBback1s, 440, Blit::Keyed, 180, 130, 0,
                     Column::Fixed, Wrap::YAndX100, 180};
const Layer kBback2s{Bback2sStrips, &ImgBback2s, 440, Blit::Opaque, 180, 100, 0,
                     Column::Fixed, Wrap::YAndX100, 180};
const Layer kBback3s{Bback3sStrips, &ImgBback3s, 440, Blit::Keyed, 180, 0, 1,
                     Column::Fixed, Wrap::YAndX100, 180};
const Layer kBback6s{Bback6sStrips, &ImgBback6s, 640, Blit::Keyed, 80, 0, 2,
                     Column::Fixed, Wrap::Y, 80};
const Layer kBackground38{Background38Strips, &ImgBackground38, 440, Blit::Keyed, 180, 0, 3,
                          Column::Fixed, Wrap::Y, -500};
const Layer kBackground6{Background6Strips, &ImgBackground6, 640, Blit::Opaque, 80, 0, 4,
                         Column::PlusDrift, Wrap::Y, 80};
const Layer kBackgroundA{BackgroundAStrips, &ImgBackgroundA, 640, Blit::Opaque, 80, 0, 5,
                         Column::Carried, Wrap::Y, 80};
const Layer kBackgroundB{BackgroundBStrips, &ImgBackgroundB, 640, Blit::Opaque, 80, 0, 6,
                         Column::PlusDrift, Wrap::Y, 80};
const Layer kSidePanelLeft{SidePanelLeftStrips, &ImgSidePanelL, 100, Blit::Keyed, 0, 0, 0,
                           Column::Fixed, Wrap::Column, kNoStart};
const Layer kSidePanelRight{SidePanelRightStrips, &ImgSidePanelR, 100, Blit::Keyed, 540, 0, 0,
                            Column::Fixed, Wrap::Column, kNoStart};

// The eight layers that a new game places.
const Layer* const kStageLayers[] = {&kBback1s,     &kBback2s,      &kBback3s,
                                     &kBackground6, &kBackgroundA,  &kBback6s,
                                     &kBackgroundB, &kBackground38};

void WrapLayer(const Layer& layer) {
  for (int32_t i = 0; i < BackgroundStripCount; ++i) {
    BackgroundStrip& s = layer.strips[i];
    s.y = -static_cast<float>(BackgroundStripHeight) * static_cast<float>(i);
    if (layer.wrap == Wrap::YAndX100) s.x = 100.0f;
    if (layer.wrap == Wrap::Column) s.x = layer.column;
  }
}

void LayerFrame(const Layer& layer) {
  const float speed =
      layer.windows ? LayerWindowSpeed(layer.windows, ScrollPos) : layer.speed;
  const BackgroundStrip& last = layer.strips[BackgroundStripCount - 1];
  for (int32_t i = 0; i < BackgroundStripCount; ++i) {
    BackgroundStrip& s = layer.strips[i];
    const int32_t x = static_cast<int32_t>(s.x);
    const int32_t y = static_cast<int32_t>(s.y);
    // (Most of the strips lie above the screen, cut away whole.)
    const bool shown = elDraw::RowsReachClip(y, BackgroundStripHeight);
    if (shown && layer.blit == Blit::Keyed) {
      elDraw::DrawObject(x, y, *layer.picture, 0, 0, layer.width, BackgroundStripHeight);
    } else if (shown) {
      elDraw::DrawObjectOpaque(x, y, *layer.picture, 0, 0, layer.width, BackgroundStripHeight);
    }
    if (layer.x_rule != Column::Carried) s.x = layer.column;
    s.y += speed * FrameTime;
    if (layer.x_rule != Column::Fixed) {
      s.x += s.dx * FrameTime;
      s.dx = 0.0f;
      if (s.x < -100.0f) s.x = -100.0f;
      if (s.x > 100.0f) s.x = 100.0f;
    }
    if (last.y >= 0.0f) {
      WrapLayer(layer);
      break;
    }
  }
}

// ---- scenery ----

struct Scenery {
  SceneryObject* record;
  const int32_t* picture;
  float speed;
};
const Scenery kSceneryA{&SceneryObjects[0], &ImgSceneryA, 180};
const Scenery kSceneryB{&SceneryObjects[1], &ImgSceneryB, 220};
const Scenery kSceneryC{&SceneryObjects[2], &ImgSceneryC, 220};

void ScenerySpawn(const Scenery& s) {
  SceneryObject& r = *s.record;
  if (r.active) return;
  r.x = 100.0f;
  r.y = -300.0f;
  r.active = 1;
}

void SceneryDraw(const Scenery& s) {
  const SceneryObject& r = *s.record;
  if (!r.active) return;
  elDraw::DrawObject(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y), *s.picture, 0, 0, 440,
                     300);
}

void SceneryMove(const Scenery& s) {
  SceneryObject& r = *s.record;
  if (r.active) {
    // The first move after a spawn uses the speed left from before.
    r.y += r.speed * FrameTime;
    r.speed = s.speed;
  }
  if (r.y > 480.0f) {
    r.active = 0;
    r.x = ParkX;
    r.y = ParkY;
  }
}

// ---- boss pictures ----

struct BossPictureRow {
  float start_x, start_y;
  const int32_t* picture;
  int32_t width, height;
  int32_t tick;  // the tick of the timeline that places it
};
const BossPictureRow kBossPictureRows[8] = {
    {100, -360, &ImgBoss11, 440, 360, 10},   {100, -380, &ImgBoss3, 440, 380, 400},
    {90, -380, &ImgBoss31, 460, 380, 800},   {100, -380, &ImgBoss41, 440, 380, 1200},
    {130, -460, &ImgBoss51, 380, 460, 1600}, {100, -460, &ImgBoss61, 440, 400, 2000},
    {70, -400, &ImgBoss71, 500, 400, 2400},  {80, -380, &ImgBoss8, 480, 380, 2800}};
constexpr int32_t kBossPictureCycle = 3200;

void ParkBossPicture(BossPicture& p) {
  p.tick = 0;
  p.x = ParkX;
  p.y = ParkY;
  p.speed = 0.0f;
  p.active = 0;
}

}  // namespace

float LayerWindowSpeed(int32_t set, float scroll) {
  if (set < 1 || set > 6) return 0.0f;
  const WindowSet& ws = kWindowSets[set - 1];
  float speed = 0.0f;
  for (int i = 0; i < ws.count; ++i) {
    if (ws.windows[i].low <= scroll && scroll <= ws.windows[i].high) speed += ws.windows[i].speed;
  }
  return speed;
}

void Bback1sDraw() { LayerFrame(kBback1s); }
void Bback2sDraw() { LayerFrame(kBback2s); }
void Bback3sDraw() { LayerFrame(kBback3s); }
void Bback6sDraw() { LayerFrame(kBback6s); }
void Background38Draw() { LayerFrame(kBackground38); }
void Background6Draw() { LayerFrame(kBackground6); }
void BackgroundADraw() { LayerFrame(kBackgroundA); }
void BackgroundBDraw() { LayerFrame(kBackgroundB); }
void SidePanelLeftDraw() { LayerFrame(kSidePanelLeft); }
void SidePanelRightDraw() { LayerFrame(kSidePanelRight); }

void SidePanelsDraw() {
  elDraw::DrawObjectOpaque(0, 0, ImgSidePanel, 0, 0, 100, 480);
  elDraw::DrawObjectOpaque(540, 0, ImgSidePanel, 0, 0, 100, 480);
}

void ResetBackgroundStrips() {
  for (const Layer* layer : kStageLayers) {
    for (int32_t i = 0; i < BackgroundStripCount; ++i) {
      BackgroundStrip& s = layer->strips[i];
      s.x = layer->start_x;
      s.y = 120.0f - static_cast<float>(BackgroundStripHeight) * static_cast<float>(i);
      s.dx = 0.0f;
    }
  }
}

void SetBackgroundDrift(int32_t direction) {
  struct Drift {
    BackgroundStrip* strips;
    float speed;
  };
  static const Drift kDrifts[] = {{Background6Strips, 50},
                                  {BackgroundAStrips, 55},
                                  {Bback6sStrips, 60},
                                  {BackgroundBStrips, 65}};
  for (const Drift& d : kDrifts) {
    const float dx = d.speed * static_cast<float>(direction);
    for (int32_t i = 0; i < BackgroundStripCount; ++i) d.strips[i].dx = dx;
  }
}

void SceneryASpawn() { ScenerySpawn(kSceneryA); }
void SceneryADraw() { SceneryDraw(kSceneryA); }
void SceneryAMove() { SceneryMove(kSceneryA); }
void SceneryBSpawn() { ScenerySpawn(kSceneryB); }
void SceneryBDraw() { SceneryDraw(kSceneryB); }
void SceneryBMove() { SceneryMove(kSceneryB); }
void SceneryCSpawn() { ScenerySpawn(kSceneryC); }
void SceneryCDraw() { SceneryDraw(kSceneryC); }
void SceneryCMove() { SceneryMove(kSceneryC); }

void BossPictureSpawn() {
  for (BossPicture& p : BossPictures) p.tick += 1;
  // Every record's tick is tested against the whole timeline; the ticks run
  // in step, so each rank is placed once per cycle.
  for (BossPicture& p : BossPictures) {
    for (int32_t rank = 0; rank < 8; ++rank) {
      const BossPictureRow& row = kBossPictureRows[rank];
      BossPicture& target = BossPictures[rank];
      if (p.tick == row.tick && !target.active) {
        target.x = row.start_x;
        target.y = row.start_y;
        target.active = 1;
      }
    }
    if (p.tick == kBossPictureCycle) p.tick = 0;
  }
}

void BossPictureDraw() {
  for (const BossPicture& p : BossPictures) {
    if (!p.active) continue;
    for (int32_t j = 0; j < 8; ++j) {
      const BossPictureRow& row = kBossPictureRows[j];
      elDraw::DrawObject(static_cast<int32_t>(BossPictures[j].x),
                         static_cast<int32_t>(BossPictures[j].y), *row.picture, 0, 0, row.width,
                         row.height);
    }
  }
}

void BossPictureMove() {
  for (BossPicture& p : BossPictures) {
    if (p.active) {
      p.y += p.speed * FrameTime;
      p.speed = 178.0f;
    }
    if (p.y > 480.0f) {
      p.active = 0;
      p.x = ParkX;
      p.y = ParkY;
    }
  }
}

void ResetBossPictures() {
  for (BossPicture& p : BossPictures) ParkBossPicture(p);
}

void ResetSpareBossPicture() { ParkBossPicture(SpareBossPicture); }
