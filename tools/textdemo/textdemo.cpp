// Shows the drawing module's text and shapes: plain and smoothed Japanese
// text boxes, a turned baseline, the shapes, a credit line and the
// frame-rate meter, then saves the last frame as a BMP screenshot.
//
//   vantris_textdemo [--headless] [--windowed] [--frames N] [--shot FILE.BMP]
//
// Under SDL it runs until Escape or N frames (default: until Escape);
// headless it draws N frames (default 120) and writes the screenshot
// (default textdemo.bmp in the current folder).
#include <cstdlib>
#include <cstring>
#include <string>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/sjis.h"
#include "os/system.h"
#include "tools/demo/demo_screen.h"

namespace {

std::string Sjis(const char* utf8) { return os::Utf8ToSjis(utf8); }

const char* const kStory =
    "西暦二〇九九年、辺境の星系から未確認の艦隊が現れた。"
    "迎え撃つのは試作戦闘機ただ一機。"
    "弾幕を抜け、八つの宙域を越えて、敵の中枢を叩け。\n"
    "― 健闘を祈る。";

void DrawFrame(int frame) {
  elDraw::ClearScreen();
  // A dark blue sky with a few bands.
  for (int i = 0; i < 12; ++i) {
    const uint32_t shade = static_cast<uint32_t>(0x200000 + 0x0C0000 * (i % 4));
    elDraw::DrawRectangle(0, i * 50, 800, i * 50 + 50, shade, shade, 1);
  }

  // Title in the serif face, bold, with a shadow drawn by hand.
  const std::string title = Sjis("縦スクロール シューティング VANTRIS");
  elDraw::SelectFont(elDraw::FaceMincho, 36, 0, 1, 0, 0);
  elDraw::SetTextColor(0x000000, 0, 1);
  elDraw::TextOut(42, 32, title.c_str());
  elDraw::SetTextColor(0x40E0FF, 0, 1);
  elDraw::TextOut(40, 30, title.c_str());
  elDraw::DeleteFont();

  // The plain painter with a shadow, and the smoothed painter.
  // (Shapes take the back buffer's device context themselves, so they come
  // before the font selection that holds it.)
  const std::string story = Sjis(kStory);
  elDraw::DrawRectangle(36, 90, 384, 250, 0x100800, 0xC0C0C0, 1);
  elDraw::SelectFont(elDraw::FaceGothic, 16, 0, 0, 0, 0);
  elDraw::SetTextColor(0xFFFFFF, 0xA04010, 1);
  elDraw::PaintTextBox(44, 98, 376, 244, story.c_str(), TextStyleShadow | 2);
  elDraw::DeleteFont();

  elDraw::DrawRectangle(416, 90, 764, 250, 0x100800, 0xC0C0C0, 1);
  elDraw::SelectBufferFont(elDraw::FaceMincho, 16);
  elDraw::SetTextColor(0xC0FFFF, 0, 1);
  elDraw::PaintTextBox2(424, 98, 756, 244, story.c_str(), 2);
  elDraw::DeleteBufferFont();

  // Aligned text and a turned baseline.
  elDraw::SelectFont(elDraw::FaceGothic, 20, 0, 0, 0, 1);
  elDraw::SetTextColor(0xFFFF80, 0, 1);
  const std::string centred = Sjis("中央揃え：ステージ１　出撃準備完了");
  elDraw::DrawTextAligned(0, 270, 800, 300, centred.c_str(), 1);
  elDraw::DeleteFont();
  elDraw::SelectFont(elDraw::FaceGothic, 18, 20, 0, 1, 0);
  elDraw::SetTextColor(0x80FF80, 0x004000, 0);
  const std::string turned = Sjis("斜めの文字列 20°");
  elDraw::TextOut(40, 420, turned.c_str());
  elDraw::DeleteFont();

  // Shapes: a 7-pixel line, the polygon fill modes, a Bézier curve.
  elDraw::DrawLine(300, 330, 760, 330, 0xFF0000, 7);
  const int shift = frame % 40;
  for (int mode = 0; mode < 3; ++mode) {
    const int x = 300 + mode * 160;
    const os::Point tri[] = {{x, 460}, {x + 70, 350 + shift}, {x + 140, 460}};
    elDraw::DrawPolygon(tri, 3, 0x00FFFF, 0x404040, 2, mode);
  }
  const os::Point curve[] = {{300, 520}, {400, 460}, {600, 580}, {760, 500}};
  elDraw::DrawBezier(curve, 4, 0xFF80FF, 3);
  elDraw::InvertRect(40, 470, 200, 500);

  // The credit line, as the ending prints it, and the frame-rate meter.
  const std::string credit = Sjis("プログラム・グラフィック・音楽　VANTRIS 開発チーム");
  elDraw::PrintText(40, 560, credit.c_str());
  elDraw::PrintFormat(40, 576, "frame %d", frame);
  elDraw::DrawFps();
}

}  // namespace

int main(int argc, char** argv) {
  int frames = -1;
  std::string shot;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frames = std::atoi(argv[++i]);
    if (std::strcmp(argv[i], "--shot") == 0 && i + 1 < argc) shot = argv[++i];
  }
  const os::StartOptions options = os::OptionsFromCommandLine(argc, argv);
  const bool headless = options.backend == os::Backend::Headless;
  if (frames < 0 && headless) frames = 120;
  if (shot.empty() && headless) shot = "textdemo.bmp";
  if (!demo::OpenScreen(options, "VANTRIS text demo")) return 1;
  elSystem::SetFrameRate(60);
  int frame = 0;
  while (!demo::Quit && (frames < 0 || frame < frames)) {
    if (!demo::FrameDue(headless)) continue;
    if (headless) os::SleepMs(16);
    DrawFrame(frame++);
    elDraw::Flip();
  }
  const int result = shot.empty() || demo::SaveScreenshot(shot) ? 0 : 1;
  elSystem::RequestQuit();
  os::Stop();
  return result;
}
