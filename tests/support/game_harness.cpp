#include "tests/support/game_harness.h"

#include <cstdlib>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "os/audio/midi.h"
#include "os/headless/headless.h"
#include "os/path.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"
#include "tests/support/loop_drive.h"
#include "tools/runner/scene_end.h"

namespace vantris_test {
namespace {

bool g_running = false;
std::vector<FrameRecord> g_frames;

void RecordFrame(int32_t scene) {
  g_frames.push_back(FrameRecord{scene, SceneEntered, TransitionStep});
}

// The shell's globals as the program starts with them, so that every test
// of one process begins like a fresh run.
void ClearShellGlobals() {
  AutoFire = NoDeath = MouseControl = KeyboardControl = BombSalvoActive = PlayerAlive = 0;
  GameOver = PauseFlag = ContinuePrompt = CountdownActive = RespawnFlag = BackgroundOff = 0;
  LaserAFlash = LaserBFlash = LaserAReady = LaserBReady = BlendExplosions = BombWave = 0;
  SceneFrame = PlayerBank = PlayerBankDir = LaserACounter = BombSalvoCounter = LaserBCounter = 0;
  Score = HighScore = ContinueCountdown = Lives = BombRingCounter = BombStock = GameMode = 0;
  GameSubMode = RespawnTimer = ShipType = GameLevel = ImgMyme = TitleCounter = 0;
  TransitionStep = TransitionDir = TransitionPattern = TransitionBand = 0;
  PlayerX = PlayerY = PlayerDX = PlayerDY = ScrollPos = GameOverTimer = 0;
  HudText[0] = '\0';
}

// A step of loop_drive as an assertion: success when it reports nothing.
::testing::AssertionResult StepResult(const std::string& failure) {
  if (failure.empty()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << failure;
}

}  // namespace

std::string AssetDir() {
  const char* dir = std::getenv("VANTRIS_ASSET_DIR");
  return dir ? dir : VANTRIS_ASSET_DIR;
}

void GameTest::SetUp() {
  HeadlessTest::SetUp();  // with a lock folder of its own
  os::audio::ResetMidi();  // no piece left open by an earlier test of the process
  os::SetExeDir(AssetDir() + "/");
  QuitRequested = ErrorFlag = 0;
  ClearShellGlobals();
}

void GameTest::TearDown() {
  EndGame();
  HeadlessTest::TearDown();
}

void RunningGameTest::SetUp() {
  GameTest::SetUp();
  ASSERT_TRUE(StartGame());
  PumpMessages();
  ASSERT_EQ(RunFrames(1), 1);
}

bool StartGame(const char* command_line) {
  g_frames.clear();
  SceneFrameHook = RecordFrame;
  if (StartUp(0, command_line, 1) != StartUpResult::Run) {
    SceneFrameHook = nullptr;
    return false;
  }
  os::SeedRandom(12345);
  g_running = true;
  return true;
}

void EndGame() {
  if (!g_running) return;
  g_running = false;
  SceneFrameHook = nullptr;
  FinishWinMain();
}

int PumpMessages() { return loop_drive::PumpMessages(); }

int RunFrames(int n, int max_passes) { return loop_drive::RunFrames(n, max_passes); }

bool RunUntil(const std::function<bool()>& done, int max_frames) {
  return loop_drive::RunUntil(done, max_frames, loop_drive::RunFrame);
}

int RunToQuit(int max_passes) {
  for (int pass = 1; pass <= max_passes; ++pass)
    if (RunLoopPass() == LoopPass::Quit) return pass;
  return -1;
}

int RunPasses(int n) { return RunFrames(n, n); }

void StartNewRun() {
  ResetObjectTablesA();
  ResetObjectTablesB();
  StartNewGame();
  GameMode = 1;
  ShipType = 1;
  KeyboardControl = 1;
}

void ResetForScoring() {
  ResetObjectTablesA();
  ResetObjectTablesB();
  GameMode = 1;
  GameSubMode = 0;
  Score = 0;
  FrameTime = 1.0f / 60.0f;
}

::testing::AssertionResult EnterScene(int32_t scene) {
  SceneNumber = scene;
  PrevScene = 0;
  if (RunFrames(1) != 1 || g_frames.empty()) return ::testing::AssertionFailure() << "no frame ran";
  const FrameRecord& f = g_frames.back();
  if (f.scene == scene && f.entered == 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "ran scene " << f.scene << " entered " << f.entered;
}

void EndSceneInto(int32_t scene) { runner::EndSceneInto(scene); }

::testing::AssertionResult TitleToModeScreen() {
  return StepResult(loop_drive::TitleToModeScreen(loop_drive::RunFrame, loop_drive::RunFrame));
}

::testing::AssertionResult ModeScreenToStage(std::initializer_list<int> keys, int start) {
  return StepResult(
      loop_drive::ModeScreenToStage(keys, start, loop_drive::RunFrame, loop_drive::RunFrame));
}

int CountPresented(uint16_t colour, int x0, int y0, int x1, int y1) {
  const auto& frame = os::headless::LastPresented();
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) n += frame.At(x, y) == colour;
  return n;
}

int LitPresented(int x0, int y0, int x1, int y1) {
  return (x1 - x0) * (y1 - y0) - CountPresented(0, x0, y0, x1, y1);
}

const std::vector<FrameRecord>& Frames() { return g_frames; }
void ClearFrames() { g_frames.clear(); }

// Each input goes through the backend; its messages are handled at once.
void KeyDown(int key, bool repeat) { os::headless::KeyDown(key, repeat); PumpMessages(); }
void KeyUp(int key) { os::headless::KeyUp(key); PumpMessages(); }
void MouseMove(int x, int y) { os::headless::MouseMove(x, y); PumpMessages(); }
void SetFocus(bool active) { os::headless::Focus(active); PumpMessages(); }
void MouseButtonEvent(int button, bool down, bool double_click) {
  os::headless::MouseButton(button, down, double_click);
  PumpMessages();
}
void TapKey(int key) { loop_drive::TapKey(key); }

int ErrorBoxCount() {
  int count = 0;
  for (const auto& box : os::headless::Boxes()) count += box.title == "エラー発生";
  return count;
}

}  // namespace vantris_test
