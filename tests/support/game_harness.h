// Drives the whole game on the headless backend: start-up as the program
// does it, then the main loop one pass at a time, with scripted keys, mouse
// and focus.  The virtual clock and a pinned random seed make every run the
// same.  The game's globals are plain globals: tests read them directly.
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

// The seed the harness pins after start-up.
constexpr uint32_t GameSeed = 12345;

// One frame as the main loop ran it: the scene called and the entered flag
// it found.
struct FrameRecord {
  int32_t scene = 0;
  uint32_t entered = 0;
  int32_t transition_step = 0;
  int32_t transition_band = 0;
  int32_t transition_pattern = 0;
};

// A headless machine (see HeadlessTest) whose program folder is the asset
// folder and whose single-instance lock lives in a folder of the test's own.
// Ends a started game at the end of the test.
class GameTest : public HeadlessTest {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// A GameTest whose game is started, its start-up messages handled and its
// first frame run.
class RunningGameTest : public GameTest {
 protected:
  void SetUp() override;
};

// Start-up as WinMain runs it (false when it refused to go on), then the
// pinned seed.  Every frame from then on is recorded (Frames()).
bool StartGame(const char* command_line = "");
// Ends a started game as WinMain's end does (nothing when none runs).
void EndGame();
bool GameRunning();

// Handles every waiting message; no frame runs.  Returns the count handled.
int PumpMessages();
// Loop passes until `n` more frames have run or the loop has ended (or
// `max_passes` passes went by); returns the frames run.
int RunFrames(int n, int max_passes = 2000000);
// Frames until `done` holds (tested before each frame); false when it still
// does not hold after `max_frames` frames or the loop ended.
bool RunUntil(const std::function<bool()>& done, int max_frames = 2000);
// Loop passes until the loop takes its quit message; returns the passes.
int RunToQuit(int max_passes = 1000);
// Every loop pass result, for tests that look at passes rather than frames.
int RunPasses(int n);

// A new run as the front end starts one: both object-table resets, the
// new-game set-up, game mode 1 and ship type 1 on the keyboard.
void StartNewRun();
// For tests that drive the game's passes without the main loop: both
// object-table resets, then a game that scores (mode 1, sub-mode 0, score 0)
// on a fixed frame of 1/60 s.
void ResetForScoring();
// Switches straight to `scene` as a scene change does (PrevScene 0) and runs
// one frame; fails unless that frame ran `scene` as freshly entered.
::testing::AssertionResult EnterScene(int32_t scene);

// The front end as a player goes through it.  From the title (entered and
// run): Enter, and the mode screen's first frame.
::testing::AssertionResult TitleToModeScreen();
// On the mode screen: each of `keys` tapped, then `start`, then frames until
// the stage runs with its transition over.
::testing::AssertionResult ModeScreenToStage(std::initializer_list<int> keys = {},
                                             int start = os::KeyF1);

// Pixels of the last presented frame inside [x0, x1) x [y0, y1) equal to
// `colour`, or (LitPresented) not black.
int CountPresented(uint16_t colour, int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600);
int LitPresented(int x0 = 0, int y0 = 0, int x1 = 800, int y1 = 600);

// Frames run since StartGame, with the scene and entered flag each saw.
const std::vector<FrameRecord>& Frames();
void ClearFrames();

// Input through the backend: the key state and the message, then the
// messages are handled at once (as the loop would before its next frame).
void KeyDown(int key, bool repeat = false);
void KeyUp(int key);
// Down, one frame, up.
void TapKey(int key);
void MouseMove(int x, int y);
void MouseButtonEvent(int button, bool down, bool double_click = false);
void SetFocus(bool active);

// Error boxes shown so far (titled "エラー発生").
int ErrorBoxCount();

}  // namespace vantris_test
