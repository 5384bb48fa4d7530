// Shows the drawing module's blits and the present's transition on the
// game's pictures: two scenes take turns; each draws an opaque background
// strip scrolling under a keyed one, keyed sprites (a formation of fighters,
// the player's ship, explosions, a boss), a stretched sprite, a mirrored
// one and a half-transparent wash, with the clip rectangle at the
// playfield (x 180 to 620) as in the game.  Every 150 frames the scene
// changes the game's way: the finished frame is captured into object 1 and
// the pattern-3 transition with a band of 26 removes it row by row.
//
//   vantris_drawdemo [--headless] [--windowed] [--frames N] [--assets DIR]
//                    [--hold-step S] [--shot FILE.BMP]
//
// --hold-step S stops the first transition at step S (so that a screenshot
// can catch it); --shot writes the last presented frame as a BMP.  Under
// SDL it runs until Escape or N frames; headless it draws N frames
// (default 200).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "os/system.h"
#include "tools/demo/demo_screen.h"

namespace {

struct Pictures {
  int32_t ground = 0;  // opaque strip, 440 x 480
  int32_t cloud = 0;   // keyed strip, 440 x 480
  int32_t cloud2 = 0;  // keyed strip of the other scene
  int32_t ship = 0;    // 7 frames of 60 x 70
  int32_t fighter = 0; // 70 x 80
  int32_t blast = 0;   // 10 frames of 80 x 80
  int32_t boss = 0;    // 440 x 360
};

bool Load(Pictures* p) {
  const struct {
    int32_t* handle;
    const char* name;
  } files[] = {
      {&p->ground, "IMAGE/BBACK2S.BMP"}, {&p->cloud, "IMAGE/BBACK1S.BMP"},
      {&p->cloud2, "IMAGE/BBACK3S.BMP"}, {&p->ship, "IMAGE/MYME1.BMP"},
      {&p->fighter, "IMAGE/SZAK10.BMP"}, {&p->blast, "IMAGE/ZBAK3B.BMP"},
      {&p->boss, "IMAGE/BOSS11.BMP"},
  };
  for (const auto& f : files) {
    *f.handle = elDraw::LoadObject(f.name, 1);
    if (*f.handle == 0) return false;
  }
  return true;
}

// The frame outside the playfield: fills are not clipped.
void DrawPanels() {
  elDraw::FillRect(0, 0, 180, 600, 0x18E3);
  elDraw::FillRect(620, 0, 800, 600, 0x18E3);
  elDraw::FillRect(176, 0, 180, 600, 0x8410);
  elDraw::FillRect(620, 0, 624, 600, 0x8410);
}

void SceneOne(const Pictures& p, int frame) {
  // Two copies of each strip scroll down over one another.
  const int ground = frame * 2 % 480, cloud = frame * 5 % 480;
  elDraw::DrawObjectOpaque(180, ground - 480, p.ground, 0, 0, 440, 480);
  elDraw::DrawObjectOpaque(180, ground, p.ground, 0, 0, 440, 480);
  elDraw::DrawObject(180, cloud - 480, p.cloud, 0, 0, 440, 480);
  elDraw::DrawObject(180, cloud, p.cloud, 0, 0, 440, 480);
  // A formation of fighters, the outer ones half outside the playfield.
  for (int i = 0; i < 6; ++i) {
    const int x = 145 + i * 90, y = 60 + (i % 2) * 50 + (frame % 200) - 60;
    elDraw::DrawObject(x, y, p.fighter, 0, 0, 70, 80);
  }
  // Explosions running through their frames.
  for (int i = 0; i < 3; ++i) {
    const int f = (frame / 4 + i * 3) % 10;
    elDraw::DrawObject(230 + i * 120, 300, p.blast, f * 80, 0, f * 80 + 80, 80);
  }
  // The ship, level, and a copy twice its size.
  const int sx = 370 + (frame % 120 < 60 ? frame % 60 : 60 - frame % 60) - 30;
  elDraw::DrawObject(sx, 480, p.ship, 180, 0, 240, 70);
  elDraw::StretchDrawObject(200, 420, p.ship, 0, 0, 60, 70, 120, 140);
  elDraw::DrawMirror(500, 400, 1, p.ship, 0, 0, 60, 70);  // banking the other way
  // A half-transparent wash over the bottom of the playfield.
  elDraw::BlendRect(180, 570, 620, 600, 0x001F);
  DrawPanels();
}

void SceneTwo(const Pictures& p, int frame) {
  elDraw::FillRect(180, 0, 620, 600, 0x0008);
  const int cloud = frame * 3 % 480;
  elDraw::DrawObject(180, cloud - 480, p.cloud2, 0, 0, 440, 480);
  elDraw::DrawObject(180, cloud, p.cloud2, 0, 0, 440, 480);
  elDraw::DrawObject(180, 20 + (frame % 60 < 30 ? frame % 30 : 30 - frame % 30), p.boss, 0, 0,
                     440, 360);
  for (int i = 0; i < 4; ++i) {
    const int f = (frame / 3 + i * 2) % 7;
    elDraw::DrawObject(220 + i * 100, 470, p.ship, f * 60, 0, f * 60 + 60, 70);
  }
  elDraw::DrawJitterRows(440, 380, 3, p.fighter, 0, 0, 70, 80);
  DrawPanels();
}

}  // namespace

int main(int argc, char** argv) {
  int frames = -1, hold_step = 0;
  std::string shot, assets = VANTRIS_ASSET_DIR;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--hold-step") == 0 && i + 1 < argc) hold_step = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--shot") == 0 && i + 1 < argc) shot = argv[++i];
    if (std::strcmp(argv[i], "--assets") == 0 && i + 1 < argc) assets = argv[++i];
  }
  const os::StartOptions options = os::OptionsFromCommandLine(argc, argv);
  const bool headless = options.backend == os::Backend::Headless;
  if (frames < 0 && headless) frames = 200;
  if (!demo::OpenScreen(options, "VANTRIS draw demo")) return 1;
  elDraw::SetClip(180, 0, 620, 600);
  os::SetExeDir(assets + "/");  // the pictures are named from the program's folder
  Pictures pictures;
  if (!Load(&pictures)) {
    os::SayLine("the pictures under %s/IMAGE could not be loaded (cmake target assets)",
                assets.c_str());
    return 1;
  }
  elSystem::SetFrameRate(60);
  int frame = 0, scene = 1, held = 0;
  while (!demo::Quit && (frames < 0 || frame < frames)) {
    if (!demo::FrameDue(headless)) continue;
    if (headless) FrameTime = 1.0f / 60.0f;
    elDraw::ClearScreen();
    if (scene == 1)
      SceneOne(pictures, frame);
    else
      SceneTwo(pictures, frame);
    if (frame % 150 == 149) {
      // The scene change: keep the finished frame, then let the new scene
      // run under it while the transition takes it away.
      elDraw::CaptureScreen(1, 0, 0, 800, 600);
      scene = 3 - scene;
      TransitionPattern = 3;
      TransitionBand = 26;
      TransitionStep = 26;
      TransitionDir = -1;
    }
    if (hold_step > 0 && !held && TransitionStep == hold_step) {
      TransitionDir = 0;  // the transition stays on this step
      held = 1;
    }
    elDraw::SetVSync(1);
    elDraw::Flip();
    ++frame;
  }
  int result = 0;
  if (!shot.empty()) {
    if (headless && os::headless::WriteFrameBmp(os::headless::LastPresented(), shot)) {
      std::printf("wrote %s\n", shot.c_str());
    } else if (!headless) {
      if (!demo::SaveScreenshot(shot)) result = 1;
    } else {
      os::SayLine("could not write %s", shot.c_str());
      result = 1;
    }
  }
  os::DestroyWindow(MainWindow);
  os::Stop();
  return result;
}
