// The load list, its handle globals and the start-up that fills them.
#include "shell/assets.h"

#include <iterator>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "shell/ending.h"
#include "shell/game_state.h"
#include "shell/scene.h"

#define ASSET_IMAGE(global, file) int32_t global = 0;
#define ASSET_SOUND(global, file) int32_t global = 0;
#include "shell/asset_list.inc"
#undef ASSET_IMAGE
#undef ASSET_SOUND

int32_t ImgMyme = 0;
int32_t ImgBoss3 = 0;
int32_t ImgBackground6 = 0;
int32_t ImgBackground38 = 0;
int32_t ImgSidePanel = 0;
int32_t ImgSceneryA = 0, ImgSceneryB = 0, ImgSceneryC = 0;
int32_t ImgSidePanelL = 0, ImgSidePanelR = 0;
int32_t ImgShipIntro = 0;

const AssetEntry AssetCatalogue[] = {
#define ASSET_IMAGE(global, file) {file, &global, false},
#define ASSET_SOUND(global, file) {file, &global, true},
#include "shell/asset_list.inc"
#undef ASSET_IMAGE
#undef ASSET_SOUND
};
const int AssetCount = static_cast<int>(sizeof AssetCatalogue / sizeof AssetCatalogue[0]);

// The pictures the game draws turned (the spinning enemies, the bullets drawn
// along their heading), each in a square box of its size.
const TurnedPicture TurnedPictures[] = {
    {&ImgSzak6, 79},     {&ImgSzak40, 119},    {&ImgSzak41, 119},    {&ImgVal40l, 39},
    {&ImgVal20w, 19},    {&ImgVal21w, 19},     {&ImgVall301, 30},    {&ImgVall302, 30},
    {&ImgVall3011, 30},  {&ImgVall3013, 30},   {&ImgVall3014, 30},   {&ImgVall3015, 30},
    {&ImgVall3016, 30},  {&ImgVall3017, 30},   {&ImgVall3018, 30},   {&ImgVal3017a, 30},
    {&ImgVal3018a, 30},
};
const int TurnedPictureCount = static_cast<int>(std::size(TurnedPictures));

void LoadAssets() {
  elDraw::Screen(800, 600, 2);
  elDraw::SetClip(180, 0, 620, 600);
  for (const AssetEntry& entry : AssetCatalogue) {
    *entry.handle = entry.sound ? elSound::LoadObject(entry.file, 1)
                                : elDraw::LoadObject(entry.file, 1);
  }
  // Turned once here, so that no frame in play turns one of them; the
  // credits' font opened and their glyphs made.
  for (const TurnedPicture& picture : TurnedPictures)
    elDraw::KeepTurned(*picture.handle, picture.size, picture.size);
  PrepareEndingCredits();
  HighScore = 500;
  SceneNumber = SceneTitle;
  PrevScene = 0;
}
