// What an enemy kind costs per frame: Szak10's Move and Update and the Move
// and Draw of each of its bullet families with full tables (every slot
// flying on the playfield, every bullet record active), drawn with the
// stand-in pictures the game loads.  The frame time is 0, so nothing leaves
// the field and every iteration does the same work (the chains still turn:
// their turn is per call).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/bench_support.h"
#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"
#include "os/path.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/shell.h"

namespace {

std::string AssetDir() {
  if (const char* dir = std::getenv("VANTRIS_ASSET_DIR")) return dir;
  return VANTRIS_ASSET_DIR;
}

// The game started on the headless backend with every picture loaded.
struct Game {
  Game() {
    const std::string runtime =
        (std::filesystem::temp_directory_path() / "vantris-enemy-bench").string();
    std::filesystem::create_directories(runtime);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    bench::StartHeadless();
    os::SetExeDir(AssetDir() + "/");
    started = StartUp(0, "", 1) != 0;
  }
  bool started = false;
};

// Every Szak10 table full, the fan pool of Szak6D full, the ship out of reach.
bool Fill() {
  static Game game;
  if (!game.started) return false;
  ResetObjectTablesA();
  ResetObjectTablesB();
  FrameTime = 0.0f;
  PlayerX = -1000.0f;
  PlayerY = -1000.0f;
  BlendExplosions = 1;
  Szak10Spawn();
  for (int i = 0; i < 3; ++i) {
    Szak10Slots[i].x = 250.0f + 100.0f * static_cast<float>(i);
    Szak10Slots[i].y = 100.0f + 100.0f * static_cast<float>(i);
  }
  Szak10Shot1Fire();
  Szak10Shot2Fire();
  Szak10Shot3Fire();
  for (int r = 0; r < 25; ++r) {
    PatternShot& s = Szak6DShot7Slots[r];
    s.active = 1;
    s.x = 200.0f + 16.0f * static_cast<float>(r);
    s.y = 300.0f;
    s.speed = 180.0f;
  }
  return true;
}

template <void (*Move)(), void (*Draw)()>
void MoveAndDraw(benchmark::State& state) {
  if (!Fill()) {
    state.SkipWithError("start-up failed");
    return;
  }
  for (auto _ : state) {
    Move();
    Draw();
  }
  state.SetItemsProcessed(state.iterations());
}

void Szak10Exploding(benchmark::State& state) {
  if (!Fill()) {
    state.SkipWithError("start-up failed");
    return;
  }
  for (EnemySlot& s : Szak10Slots) s.hit = 1;
  for (auto _ : state) {
    for (EnemySlot& s : Szak10Slots) s.explosionLoop = 0;  // never ends
    Szak10Move();
    Szak10Update();
  }
  state.SetItemsProcessed(state.iterations());
}

void Szak10Frame() {
  Szak10Update();
  Szak10Move();
  Szak10Shot1Move();
  Szak10Shot1Draw();
  Szak10Shot2Move();
  Szak10Shot2Draw();
  Szak10Shot3Move();
  Szak10Shot3Draw();
}
void Nothing() {}

BENCHMARK(MoveAndDraw<Szak10Move, Szak10Update>)->Name("Szak10 Move+Update, 3 flying");
BENCHMARK(Szak10Exploding)->Name("Szak10 Move+Update, 3 exploding");
BENCHMARK(MoveAndDraw<Szak10Shot1Move, Szak10Shot1Draw>)->Name("Szak10Shot1 chains, 21 records");
BENCHMARK(MoveAndDraw<Szak10Shot2Move, Szak10Shot2Draw>)->Name("Szak10Shot2 chains, 21 records");
BENCHMARK(MoveAndDraw<Szak10Shot3Move, Szak10Shot3Draw>)->Name("Szak10Shot3 lines, 15 records");
BENCHMARK(MoveAndDraw<Szak10Frame, Nothing>)->Name("Szak10 whole kind, one frame");
BENCHMARK(MoveAndDraw<Szak6DShot7Move, Szak6DShot7Draw>)->Name("Szak6DShot7 fans, 25 records");

}  // namespace

BENCHMARK_MAIN();
