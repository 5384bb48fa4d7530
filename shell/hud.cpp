// The head-up display and the continue countdown at the end of each stage frame.
#include <cstdio>

#include "el/draw/elDraw.h"
#include "el/sound/elSound.h"
#include "el/system/elSystem.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/scene.h"

namespace {

// The digit of a formatted character, or -1 for anything else (the sign of
// a negative number), which has no picture and draws nothing.
int DigitOf(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Small digit of the HUD sheet, drawn at (x, 6).
void DrawSmallDigit(int x, char c) {
  const int d = DigitOf(c);
  if (d < 0) return;
  elDraw::DrawObject(x, 6, ImgMymy, 8 + 7 * d, 70, 15 + 7 * d, 80);
}

// Formats n into HudText and draws its first `count` characters as small
// digits from x, 10 pixels apart.
void DrawSmallNumber(const char* format, int32_t n, int x, int count) {
  std::snprintf(HudText, sizeof HudText, format, n);
  for (int i = 0; i < count && HudText[i] != '\0'; ++i) {
    DrawSmallDigit(x + 10 * i, HudText[i]);
  }
}

}  // namespace

void DrawHud() {
  std::snprintf(HudText, sizeof HudText, "%09d", Score);
  for (int i = 0; i < 9 && HudText[i] != '\0'; ++i) {
    const int d = DigitOf(HudText[i]);
    if (d < 0) continue;
    elDraw::DrawObject(180 + 20 * i, 0, ImgSuji09, 20 * d, 0, 20 * d + 20, 25);
  }
  DrawSmallNumber("%09d", HighScore, 380, 9);
  if (Lives >= 0) DrawSmallNumber("%03d", Lives, 520, 3);
  if (BombStock >= 0) DrawSmallNumber("%02d", BombStock, 600, 2);
  elDraw::DrawObject(570, 6, ImgMymy, 170, 70, 194, 80);
  elDraw::DrawObject(490, 6, ImgMymy, 200, 70, 224, 80);
}

void UpdateContinueCountdown() {
  if (elSystem::IsWaitOver(1)) {
    if (GameOver == 0 && CountdownActive == 1) {
      ContinueCountdown -= 1;
      if (ContinueCountdown <= 0) {
        GameOver = 1;
        elSound::StopMidi();
        elSystem::SetWait(1, 3000);
      } else {
        elSystem::SetWait(1, 1000);
      }
    } else {
      SceneNumber = SceneTitle;
      PrevScene = 0;
    }
  }
  if (GameOver == 0 && CountdownActive == 1 && Lives <= 0) {
    GameOverTimer += FrameTime;
    GameOver = 1;
    elSound::StopMidi();
    elSystem::SetWait(1, 9000);
  }
  if (GameOverTimer >= 30.0f) {
    GameOverTimer = 0;
    SceneNumber = SceneTitle;
    PrevScene = 0;
  }
}
