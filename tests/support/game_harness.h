// Drives the whole game on the headless backend: start-up as the program
// does it, then the main loop one pass at a time with scripted input.  The
// virtual clock and a pinned seed make every run the same.
#pragma once
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "os/keys.h"
#include "tests/support/test_support.h"

namespace vantris_test {

// The folder that holds the stand-in assets (IMAGE/, SOUND/, MIDI/).
std::string AssetDir();

struct FrameRecord {
  int32_t scene = 0;
  uint32_t entered = 0;
  int32_t transition_step = 0;
};

// Program folder = asset folder, a lock folder of its own; ends the game.
class GameTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// Started, messages handled, first frame run.
class RunningGameTest : public GameTest {
 protected:
  void SetUp() override;
};

// Start-up as WinMain runs it (false when it refused), then the pinned seed;
// every frame from then on is recorded.
bool StartGame(const char* command_line = "");
void EndGame();

int PumpMessages();  // every waiting message; returns the count
// Loop passes until `n` more frames ran, the loop ended or `max_passes`
// passes went by; returns the frames run.
int RunFrames(int n, int max_passes = 2000000);
bool RunUntil(const std::function<bool()>& done, int max_frames = 2000);
int RunToQuit(int max_passes = 1000);  // passes until the quit message (-1: never)
int RunPasses(int n);                   // returns the frames among the `n` passes

// A new run as the front end starts one (mode 1, ship type 1, keyboard).
void StartNewRun();
// Both table resets, a scoring game, frames of 1/60 s.
void ResetForScoring();
// Switches straight to `scene` (PrevScene 0) and runs one frame; fails
// unless that frame ran `scene` freshly entered.
::testing::AssertionResult EnterScene(int32_t scene);
// Ends the running scene as a boss's defeat does (the music stops, both
// table resets, a change to `scene` with a 30-step transition); the next
// frame enters `scene`.
void EndSceneInto(int32_t scene);

// From the running title: Enter, and the mode screen's first frame.
::testing::AssertionResult TitleToModeScreen();
// On the mode screen: `keys` tapped, then `start`, then frames until the
// stage runs with its transition over.
::testing::AssertionResult ModeScreenToStage(std::initializer_list<int> keys = {},
                                             int start = os::KeyF1);

// Pixels of the last presented frame in [x0, x1) x [y0, y1) equal to
// `colour`, or (LitPresented) not black.
int CountPresented(uint16_t colour, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600);
int LitPresented(int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600);

const std::vector<FrameRecord>& Frames();
void ClearFrames();

void KeyDown(int key, bool repeat = false);
void KeyUp(int key);
void TapKey(int key);  // down, one frame, up
void MouseMove(int x, int y);
void MouseButtonEvent(int button, bool down, bool double_click = false);
void SetFocus(bool active);

int ErrorBoxCount();  // boxes titled "エラー発生" so far

}  // namespace vantris_test
