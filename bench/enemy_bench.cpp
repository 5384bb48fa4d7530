// What an enemy kind costs per frame: Szak10's Move and Update and the Move
// and Draw of each of its bullet families with full tables (every slot
// flying on the playfield, every bullet record active), drawn with the
// stand-in pictures the game loads; and the heaviest large-kind frame,
// Szak51 and Szak52C with every pool of their guns full.  The frame time is 0, so nothing leaves
// the field and every iteration does the same work (the chains still turn:
// their turn is per call).  Last, the heaviest stage-1 frame: the boss fight
// with every pool of the boss's bullet families full; and the heaviest frame
// of every stage's boss fight, every boss pool full and a scene-change
// transition running in the present.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/bench_support.h"
#include "bench/boss_fights.h"
#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/small_kinds.h"
#include "os/path.h"
#include "shell/game_state.h"
#include "shell/object_resets.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "shell/shell.h"
#include "el/draw/transition_state.h"
#include "stages/stage1/boss1_tables.h"

namespace {

std::string AssetDir() {
  if (const char* dir = std::getenv("VANTRIS_ASSET_DIR")) return dir;
  return VANTRIS_ASSET_DIR;
}

// The game started on the headless backend with every picture loaded.
struct Game {
  Game() {
    SingleInstanceLock = 0;  // runs beside the game and other benchmarks
    bench::StartHeadless();
    os::SetExeDir(AssetDir() + "/");
    started = StartUp(0, "", 1) == StartUpResult::Run;
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

// Szak51 and Szak52C on the playfield with every pool of their guns full.
bool FillLarge() {
  if (!Fill()) return false;
  Szak51Spawn();
  Szak52CSpawn();
  Szak51Slots[0].x = 200.0f;
  Szak51Slots[0].y = 60.0f;
  Szak52CSlots[0].x = 380.0f;
  Szak52CSlots[0].y = 200.0f;
  bench::Spread(Szak51Shot1Slots, 220.0f);
  bench::Spread(Szak51Shot2Slots, 220.0f);
  bench::Spread(Szak51Shot3Slots, 220.0f);
  bench::Spread(Szak51Shot4Slots, 0.0f);
  bench::Spread(Szak51Shot5Slots, 0.0f);
  bench::Spread(Szak51Shot6Slots, 150.0f);
  bench::Spread(Szak51Shot7Slots, 160.0f);
  bench::Spread(Szak51Shot8Slots, 160.0f);
  bench::Spread(Szak52CShot1Slots, 0.0f);
  bench::Spread(Szak52CShot2Slots, 0.0f);
  bench::Spread(Szak52CShot3Slots, 130.0f);
  bench::Spread(Szak52CShot4Slots, 150.0f);
  return true;
}

void LargeFrame() {
  Szak51Update();
  Szak51Move();
  Szak52CUpdate();
  Szak52CMove();
#define MOVE_DRAW(stem) \
  stem##Move();         \
  stem##Draw();
  MOVE_DRAW(Szak51Shot1) MOVE_DRAW(Szak51Shot2) MOVE_DRAW(Szak51Shot3) MOVE_DRAW(Szak51Shot4)
  MOVE_DRAW(Szak51Shot5) MOVE_DRAW(Szak51Shot6) MOVE_DRAW(Szak51Shot7) MOVE_DRAW(Szak51Shot8)
  MOVE_DRAW(Szak52CShot1) MOVE_DRAW(Szak52CShot2) MOVE_DRAW(Szak52CShot3) MOVE_DRAW(Szak52CShot4)
#undef MOVE_DRAW
}

void LargeKindsFull(benchmark::State& state) {
  if (!FillLarge()) {
    state.SkipWithError("start-up failed");
    return;
  }
  for (auto _ : state) LargeFrame();
  state.SetItemsProcessed(state.iterations());
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

// A pool emptied as the reset leaves it: free and parked.
template <typename R, size_t N>
void Park(R (&pool)[N]) {
  for (R& s : pool) {
    s.active = 0;
    s.x = -500.0f;
    s.y = 2550.0f;
  }
}

// Stage 1 at 5000 px: the boss holding at (180, 0), hurt, and every pool of
// its bullet families full above the ship (1278 records in the families the
// stage moves and draws); or only the pools its attack list fills, the
// never-fired ones (Vall20A, Val201A/B, Val12A-C, Val20241I-N) empty.
bool FillBoss1(bool fired_only) {
  if (!Fill()) return false;
  ResetObjectTablesA();
  ResetObjectTablesB();
  FrameTime = 0.0f;
  SceneEntered = 0;
  PauseFlag = 0;
  SceneFrame = 2;  // the music has started
  NoDeath = 1;     // a bullet on the ship changes nothing
  Lives = 999;
  PlayerAlive = 1;
  ScrollPos = 5000.0f;
  PlayerX = 370.0f;
  PlayerY = 520.0f;
  Boss1State.moveTimer = 140.0f;
  Boss1State.hitPoints = 1000.0f;
#define TABLE(name, Type, count, rule) bench::SpreadBullets(name);
#include "stages/stage1/boss1_tables.inc"
#undef TABLE
  if (fired_only) {
    Park(Boss1Vall20ASlots);
    Park(Boss1Val201ASlots);
    Park(Boss1Val201BSlots);
    Park(Boss1Val12ASlots);
    Park(Boss1Val12BSlots);
    Park(Boss1Val12CSlots);
    Park(Boss1Val20241ISlots);
    Park(Boss1Val20241JSlots);
    Park(Boss1Val20241KSlots);
    Park(Boss1Val20241LSlots);
    Park(Boss1Val20241MSlots);
    Park(Boss1Val20241NSlots);
  }
  return true;
}

// One whole stage-1 frame, present included, at attack tick 2300 (the inner
// guns' lines, every spiral).
void Boss1FightFrame(benchmark::State& state) {
  if (!FillBoss1(state.range(0) != 0)) {
    state.SkipWithError("start-up failed");
    return;
  }
  for (auto _ : state) {
    Boss1State.attackTick = 2299;
    Stage1Scene();
  }
  state.SetItemsProcessed(state.iterations());
}

void BossFightWithTransition(benchmark::State& state) {
  if (!Fill()) {
    state.SkipWithError("start-up failed");
    return;
  }
  bench::SetUpBossFight(state.range(0));
  for (auto _ : state) bench::BossFightFrame(state.range(0));
  TransitionStep = 0;
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(MoveAndDraw<Szak10Move, Szak10Update>)->Name("Szak10 Move+Update, 3 flying");
BENCHMARK(Szak10Exploding)->Name("Szak10 Move+Update, 3 exploding");
BENCHMARK(MoveAndDraw<Szak10Shot1Move, Szak10Shot1Draw>)->Name("Szak10Shot1 chains, 21 records");
BENCHMARK(MoveAndDraw<Szak10Shot2Move, Szak10Shot2Draw>)->Name("Szak10Shot2 chains, 21 records");
BENCHMARK(MoveAndDraw<Szak10Shot3Move, Szak10Shot3Draw>)->Name("Szak10Shot3 lines, 15 records");
BENCHMARK(MoveAndDraw<Szak10Frame, Nothing>)->Name("Szak10 whole kind, one frame");
BENCHMARK(MoveAndDraw<Szak6DShot7Move, Szak6DShot7Draw>)->Name("Szak6DShot7 fans, 25 records");
BENCHMARK(LargeKindsFull)->Name("Szak51 + Szak52C, every gun pool full (355 records)");
BENCHMARK(Boss1FightFrame)->Arg(0)->Name("Stage 1 boss fight frame, every Boss1 pool full");
BENCHMARK(Boss1FightFrame)->Arg(1)->Name("Stage 1 boss fight frame, every fired pool full");
BENCHMARK(BossFightWithTransition)->DenseRange(1, 8)->Name("Boss fight of stage N, every pool full, transition");

}  // namespace

BENCHMARK_MAIN();
