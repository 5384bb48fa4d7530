// The defeat sequence shared by every boss.
#include "stages/common/boss_defeat.h"

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "enemies/engine/engine_parts.h"
#include "os/system.h"
#include "shell/assets.h"
#include "shell/object_resets.h"
#include "shell/scene.h"

namespace {

struct ExplosionLook {
  const int32_t* image;
  int32_t cell;       // square cells side by side
  int32_t lastFrame;  // then back to 0
  float left;         // offset of the spread from the boss's x
};

// Each record is drawn where the previous call put it, steps its picture on
// and jumps to a new random point over the boss (x drawn first, then y).
void Explode(std::span<DefeatExplosion> records, const ExplosionLook& look, const BossState& boss,
             int32_t spreadX, int32_t spreadY) {
  for (DefeatExplosion& e : records) {
    elDraw::DrawObject(Whole(e.x), Whole(e.y), *look.image, look.cell * e.frame, 0,
                       look.cell * e.frame + look.cell, look.cell);
    e.frame += 1;
    if (e.frame > look.lastFrame) e.frame = 0;
    e.x = boss.x + static_cast<float>(os::Random() % spreadX) - look.left;
    e.y = boss.y + static_cast<float>(os::Random() % spreadY);
  }
}

}  // namespace

void RunDefeat(const DefeatRow& row) {
  BossState& boss = *row.boss;
  if (boss.hitPoints > 0.0f) return;
  Explode(row.bigExplosions, {.image = &ImgBbak1b, .cell = 160, .lastFrame = 3, .left = 100.0f},
          boss, row.spreadX, row.spreadYBig);
  Explode(row.smallExplosions, {.image = &ImgZbak1b, .cell = 60, .lastFrame = 9, .left = 40.0f},
          boss, row.spreadX, row.spreadYSmall);
  elSound::Play(SndBom, -1);
  boss.defeatTimer += 10.0f * FrameTime;
  const float t = boss.defeatTimer;
  if (DefeatMusicStopAfter < t && t < DefeatMusicStopBefore) elSound::StopMidi();
  if (t > DefeatSceneChangeAfter) {
    // The stage clear: every table back to its start (this boss's hit points
    // too, so a later call in the same frame does nothing), then the frame
    // drawn so far becomes the old picture of the transition.
    ResetObjectTablesA();
    ResetObjectTablesB();
    ChangeScene(row.nextScene, JitteredRowsTransition, row.transitionBand);
  }
}
