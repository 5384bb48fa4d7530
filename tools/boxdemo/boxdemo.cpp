// Shows the library's three boxes over its screen, one after the other: the
// error box (with the line naming a file and what is wrong with it), the
// message box and the question box, with the texts the library itself shows;
// prints what each box answered.
//
//   vantris_boxdemo [--headless] [--windowed] [--box error|message|question]...
//
// Without --box it shows all three.  Headless, the boxes answer at once
// (their lines go to stderr as always).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/system.h"
#include "tools/demo/demo_screen.h"

namespace {

// Something of the game's look behind the boxes: a dark sky with bands.
void DrawBackdrop() {
  elDraw::ClearScreen();
  for (int i = 0; i < 12; ++i) {
    const uint32_t shade = static_cast<uint32_t>(0x200000 + 0x0C0000 * (i % 4));
    elDraw::DrawRectangle(0, i * 50, 800, i * 50 + 50, shade, shade, 1);
  }
  elDraw::Flip();
}

void Show(const std::string& which) {
  if (which == "error") {
    elSystem::ErrorBox("elDraw::LoadObject", "BMPファイルを読み込めません", 0,
                       "/home/player/vantris/IMAGE/ZBAK1B.BMP: pixel data past the end of the file");
    std::printf("error: closed\n");
  } else if (which == "message") {
    elSystem::Message("　ウィンドウ状態で実行しようとしていますが、"
                      "画面が256色以下に設定されています。\n"
                      "正しく動作させるには、65536色以上に設定するか、"
                      "フルスクリーンで実行させて下さい。");
    std::printf("message: closed\n");
  } else if (which == "question") {
    const uint32_t yes = elSystem::AskYesNo("%s", "フルスクリーンに切り換えますか？");
    std::printf("question: %s\n", yes ? "yes" : "no");
  } else {
    os::SayLine("vantris_boxdemo: no box called '%s'", which.c_str());
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> boxes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--box") == 0 && i + 1 < argc) boxes.emplace_back(argv[++i]);
  }
  if (boxes.empty()) boxes = {"error", "message", "question"};
  const os::StartOptions options = os::OptionsFromCommandLine(argc, argv);
  if (!demo::OpenScreen(options, "VANTRIS box demo")) return 1;
  // Let the window come up and show its picture before the first box.
  for (int i = 0; i < 30 && !demo::Quit; ++i) {
    demo::FrameDue(true);
    DrawBackdrop();
    os::SleepMs(10);
  }
  for (const std::string& which : boxes) {
    if (demo::Quit) break;
    Show(which);
    demo::FrameDue(true);  // a close asked for in a box ends the demo
  }
  elSystem::RequestQuit();
  os::Stop();
  return 0;
}
