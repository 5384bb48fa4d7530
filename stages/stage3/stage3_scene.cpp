// Stage 3: its row over the shared stage frame, with its kinds and waves,
// the stage-3 boss and its attack, and the bullet families in frame order.
// No scene change leads here; the stage is entered only directly.
#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "enemies/top_bottom_waves.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage3/boss3_body.h"
#include "stages/stage3/boss3_families.h"
#include "stages/stage3/stage3_scene.h"
#include "stages/stage_frame.h"

namespace {

// Every tick window inclusive; tested in this order, the gated rows last.
// Ticks 371 to 379 run nothing; the 980-1180 row ends at the set-back.
constexpr ScriptItem Stage3Attack[] = {
    Ticks(0, 100), Boss2Val405ASchedule, Boss2Val405BSchedule,
    Ticks(100, 200), Boss2Val405CSchedule, Boss2Val405DSchedule,
    Ticks(200, 300), Boss3Vall20BSchedule, Boss3Vall20CSchedule,
    Ticks(300, 370), Boss3Vall20ASchedule,
    Ticks(380, 600), Boss2Val405ASchedule, Boss2Val405BSchedule,
    Ticks(600, 800), Boss3Vall20DSchedule, Boss3Vall20ESchedule,
    Ticks(700, 900), Boss2Val405CSchedule, Boss2Val405DSchedule,
    Ticks(900, 1100), Boss2Val405ASchedule, Boss2Val405BSchedule,
    Ticks(980, 1180), Boss3Vall20ASchedule,
    Ticks(50, 100, Gate::ModeNot1), Boss3Val12AFire, Boss3Val12EFire,
    Ticks(250, 300, Gate::ModeNot1),
    Boss3Val12AFire, Boss3Val12BFire, Boss3Val12CFire, Boss3Val12DFire, Boss3Val12EFire,
    Ticks(500, 600, Gate::ModeNot1), Boss3Val12AFire, Boss3Val12BFire, Boss3Val12EFire,
};
static_assert(ValidAttackScript(Stage3Attack));

}  // namespace

constexpr BossRow Stage3Boss{
    .state = &Boss3State,
    .move = Boss3Move,
    .draw = Boss3Draw,
    .defeat = Boss3Defeat,
    .windowLo = 1050.0f,
    .windowHi = 11100.0f,
    .attackBelow = 590.0f,
    .cycle = {1100, 1100, 1100, 1100},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Stage3Attack,
};

namespace {

// Per kind: its Move and Update every frame, then its windows (strict).
// Szak1AShot1, Szak1BShot1 and Szak21A/Szak22A Shot2 to Shot6 are fired here
// but never moved or drawn: their bullets stay where they were placed.
constexpr ScriptItem Stage3Kinds[] = {
    Every(), Times(3, Szak10Move), Szak10Update,
    Window(50, 100), Szak10Spawn,
    Every(), MOVE_UPDATE(Szak1A), MOVE_UPDATE(Szak1B),
    Window(150, 200), Szak1ASpawn, Szak1AShot1Fire, Szak1BSpawn, Szak1BShot1Fire,
    Window(750, 840), Szak1ASpawn, Szak1AShot1Fire, Szak1BSpawn, Szak1BShot1Fire,
    Every(), MOVE_UPDATE(Szak9),
    Window(200, 300), Szak9Spawn, Szak9Shot2Fire, Szak9Shot3Fire, Szak9Shot4Fire, Szak9Move,
    If(Gate::ModeNot1, Szak9Shot2Move), If(Gate::ModeNot1, Szak9Shot3Move),
    If(Gate::ModeNot1, Szak9Shot4Move),
    Every(), MOVE_UPDATE(Szak32A),
    Window(300, 350), Szak32ASpawn,
    Window(500, 550), Szak32ASpawn,
    Every(), MOVE_UPDATE(Szak33A),
    Window(300, 350), Szak33ASpawn,
    Window(500, 550), Szak33ASpawn,
    Every(), MOVE_UPDATE(Szak30B),
    Window(550, 600), Szak30BSpawn,
    Window(800, 860), Szak30BSpawn,
    Window(1000, 1100), Szak30BSpawn,
    Every(), MOVE_UPDATE(Szak31B),
    Window(550, 600), Szak31BSpawn,
    Window(800, 860), Szak31BSpawn,
    Window(1000, 1100), Szak31BSpawn,
    Every(), MOVE_UPDATE(Szak32B),
    Window(600, 650), Szak32BSpawn,
    Window(750, 800), Szak32BSpawn,
    Every(), MOVE_UPDATE(Szak33B),
    Window(600, 650), Szak33BSpawn,
    Window(750, 800), Szak33BSpawn,
    Every(), MOVE_UPDATE(Szak6A),
    Window(350, 450), Szak6ASpawn, Szak6AShot1Fire,
    Every(), MOVE_UPDATE(Szak6B),
    Window(400, 500), Szak6BSpawn, Szak6BShot1Fire,
    Every(), MOVE_UPDATE(Szak6C),
    Window(600, 650), Times(2, Szak6CMove), Szak6CSpawn, Szak6CShot1Fire,
    Every(), MOVE_UPDATE(Szak40A),
    Window(100, 150), Szak40ASpawn,
    Every(), MOVE_UPDATE(Szak41A),
    Window(650, 700), Szak41ASpawn,
    Every(), MOVE_UPDATE(Szak21C),
    Window(100, 200), Szak21CSpawn,
    Szak21CShot1Fire, Szak21CShot2Fire, Szak21CShot3Fire, Szak21CShot4Fire,
    Window(400, 500), Szak21CSpawn,
    Szak21CShot1Fire, Szak21CShot2Fire, Szak21CShot3Fire, Szak21CShot4Fire,
    Every(), MOVE_UPDATE(Szak22C),
    Window(100, 200), Szak22CSpawn,
    Szak22CShot1Fire, Szak22CShot2Fire, Szak22CShot3Fire, Szak22CShot4Fire,
    Window(400, 500), Szak22CSpawn,
    Szak22CShot1Fire, Szak22CShot2Fire, Szak22CShot3Fire, Szak22CShot4Fire,
    Every(), MOVE_UPDATE(Szak21A),
    Window(700, 750), Szak21ASpawn,
    Szak21AShot2Fire, Szak21AShot3Fire, Szak21AShot4Fire, Szak21AShot5Fire, Szak21AShot6Fire,
    Window(850, 1000), Szak21ASpawn,
    Szak21AShot2Fire, Szak21AShot3Fire, Szak21AShot4Fire, Szak21AShot5Fire, Szak21AShot6Fire,
    Every(), MOVE_UPDATE(Szak22A),
    Window(700, 750), Szak22ASpawn,
    Szak22AShot2Fire, Szak22AShot3Fire, Szak22AShot4Fire, Szak22AShot5Fire, Szak22AShot6Fire,
    Window(850, 1000), Szak22ASpawn,
    Szak22AShot2Fire, Szak22AShot3Fire, Szak22AShot4Fire, Szak22AShot5Fire, Szak22AShot6Fire,
    // Szak52C and Szak51 are never spawned here.  Every Szak52C schedule and
    // Szak51's Shot1, Shot6, Shot5, Shot7 and Shot8 stand behind a gate that
    // never opens in play; the Szak51 volleys that do run place their
    // bullets at the parked record, whence their moves free them at once.
    Every(), MOVE_UPDATE(Szak52C),
    Window(680, 950),
    If(Gate::Mode2OrSubMode1, Szak52CShot3Schedule),
    If(Gate::Mode2OrSubMode1, Szak52CShot1Schedule),
    If(Gate::Mode2OrSubMode1, Szak52CShot2Schedule),
    If(Gate::Mode2OrSubMode1, Szak52CShot4Schedule),
    Every(), MOVE_UPDATE(Szak51),
    Window(600, 980),
    If(Gate::Mode2OrSubMode1, Szak51Shot1Schedule), Szak51Shot2Schedule, Szak51Shot3Schedule,
    If(Gate::Mode2OrSubMode1, Szak51Shot6Schedule), Szak51Shot4Schedule,
    If(Gate::Mode2OrSubMode1, Szak51Shot5Schedule), If(Gate::Mode2OrSubMode1, Szak51Shot7Schedule),
    If(Gate::Mode2OrSubMode1, Szak51Shot8Schedule),
};
static_assert(ValidScrollScript(Stage3Kinds));

// The boss's families and the stage-2 boss's twin-shot pools (placed from
// the parked Boss2State), then a second Move of the arc rows under a gate
// that never opens in play.
constexpr ScriptItem Stage3BossFamilies[] = {
    MOVE_DRAW(Boss3Vall20D), MOVE_DRAW(Boss3Vall20E), MOVE_DRAW(Boss3Vall20B),
    MOVE_DRAW(Boss3Vall20C), MOVE_DRAW(Boss3Vall20A),
    MOVE_DRAW(Boss3Val20241A), MOVE_DRAW(Boss3Val20241B),
    MOVE_DRAW(Boss3Val12A), MOVE_DRAW(Boss3Val12B), MOVE_DRAW(Boss3Val12C),
    MOVE_DRAW(Boss3Val12D), MOVE_DRAW(Boss3Val12E),
    MOVE_DRAW(Boss2Val405A), MOVE_DRAW(Boss2Val405B), MOVE_DRAW(Boss2Val405C),
    MOVE_DRAW(Boss2Val405D),
    Every(Gate::SubMode1), Boss3Vall20DMove, Boss3Vall20EMove, Boss3Vall20BMove,
    Boss3Vall20CMove, Boss3Vall20AMove,
};
static_assert(ValidScrollScript(Stage3BossFamilies));

constexpr ScriptItem Stage3KindFamilies[] = {
    MOVE_DRAW(Szak9Shot2), MOVE_DRAW(Szak9Shot3), MOVE_DRAW(Szak9Shot4),
    MOVE_DRAW(Szak6AShot1), MOVE_DRAW(Szak6BShot1), MOVE_DRAW(Szak6CShot1),
    MOVE_DRAW(Szak32AShot1), MOVE_DRAW(Szak32AShot2), MOVE_DRAW(Szak33AShot1),
    MOVE_DRAW(Szak33AShot2), MOVE_DRAW(Szak40AShot1), MOVE_DRAW(Szak40AShot2),
    MOVE_DRAW(Szak41AShot1), MOVE_DRAW(Szak41AShot2),
    MOVE_DRAW(Szak30BShot1), MOVE_DRAW(Szak31BShot1), MOVE_DRAW(Szak32BShot1),
    MOVE_DRAW(Szak33BShot1),
    MOVE_DRAW(Szak21CShot1), MOVE_DRAW(Szak21CShot2), MOVE_DRAW(Szak21CShot3),
    MOVE_DRAW(Szak21CShot4),
    MOVE_DRAW(Szak22CShot1), MOVE_DRAW(Szak22CShot2), MOVE_DRAW(Szak22CShot3),
    MOVE_DRAW(Szak22CShot4),
    Every(Gate::SubMode1), MOVE_DRAW(Szak51Shot7), MOVE_DRAW(Szak51Shot8),
    Every(Gate::SubModeNot1), MOVE_DRAW(Szak51Shot6), MOVE_DRAW(Szak51Shot4),
    MOVE_DRAW(Szak51Shot5),
    Every(), MOVE_DRAW(Szak51Shot1), MOVE_DRAW(Szak51Shot2), MOVE_DRAW(Szak51Shot3),
    MOVE_DRAW(Szak52CShot1), MOVE_DRAW(Szak52CShot2), MOVE_DRAW(Szak60Shot1),
};
static_assert(ValidScrollScript(Stage3KindFamilies));

constexpr StageRow Stage3Row{
    .scene = SceneStage3,
    .scrollRate = 20.0f,
    .music = "MIDI/GTCB3.MID",
    .musicOnEntry = true,
    .background = {.range = 100, .base = 100, .layers = {Background38Draw}, .offRange = 120,
                   .offBase = 120},
    .boss = &Stage3Boss,
    .kinds = Stage3Kinds,
    .powerUpMovesFirst = true,
    .families = {Stage3BossFamilies, Stage3KindFamilies},
    .sidePanels = true,
    .raySalvo = false,
    .autoFireBlock = false,
};

}  // namespace

void Stage3Scene() { RunStageFrame(Stage3Row); }
