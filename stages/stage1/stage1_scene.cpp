// Stage 1: its row over the shared stage frame, with the stage-1 boss, and
// its scripts: the kinds and the waves on the scroll position, the bullet
// families, and the boss's attack list on its attack tick.
#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage1/boss1_body.h"
#include "stages/stage1/boss1_families.h"
#include "stages/stage_frame.h"

namespace {

// Every kind's Move and Update each frame (Szak10 moves twice; Szak3, Szak4,
// Szak53A and Szak53B are never spawned here), then the waves: each window
// strict on both sides, tested in this order every frame.  Inside its two
// windows Szak6C moves twice more, three times in all.
constexpr ScriptItem Stage1Kinds[] = {
    MOVE_UPDATE(Szak3),
    MOVE_UPDATE(Szak4),
    Times(2, Szak10Move),
    Szak10Update,
    MOVE_UPDATE(Szak21B),
    MOVE_UPDATE(Szak22B),
    MOVE_UPDATE(Szak40A),
    MOVE_UPDATE(Szak41A),
    MOVE_UPDATE(Szak1A),
    MOVE_UPDATE(Szak1B),
    MOVE_UPDATE(Szak30B),
    MOVE_UPDATE(Szak31B),
    MOVE_UPDATE(Szak32B),
    MOVE_UPDATE(Szak33B),
    MOVE_UPDATE(Szak6A),
    MOVE_UPDATE(Szak6B),
    MOVE_UPDATE(Szak6C),
    MOVE_UPDATE(Szak53A),
    MOVE_UPDATE(Szak53B),
    MOVE_UPDATE(Szak21C),
    MOVE_UPDATE(Szak22C),

    Window(120, 170), Szak10Spawn, Szak10Shot3Fire, Szak10Shot1Fire, Szak10Shot2Fire,
    Window(160, 200), Szak30BSpawn,
    Window(200, 250), Szak31BSpawn,
    Window(250, 400), Szak10Spawn, Szak10Shot3Fire, Szak10Shot1Fire, Szak10Shot2Fire,
    Window(400, 450), Szak32BSpawn,
    Window(500, 550), Szak33BSpawn,
    Window(550, 600), Szak21BSpawn, Szak21BShot1Fire,
    Window(550, 600), Szak22BSpawn, Szak22BShot1Fire,
    Window(600, 650), Szak40ASpawn,
    Window(600, 650), Szak41ASpawn,
    Window(650, 750), Szak6ASpawn, Szak6AShot1Fire,
    Window(750, 850), Szak6BSpawn, Szak6BShot1Fire,
    Window(800, 900), Times(2, Szak6CMove), Szak6CSpawn, Szak6CShot1Fire,
    Window(900, 960), Szak30BSpawn,
    Window(900, 960), Szak31BSpawn,
    Window(950, 1000), Szak32BSpawn,
    Window(950, 1000), Szak33BSpawn,
    Window(950, 1050), Szak21BSpawn, Szak21BShot1Fire,
    Window(950, 1050), Szak22BSpawn, Szak22BShot1Fire,
    Window(1050, 1150), Szak21CSpawn, Szak21CShot1Fire, Szak21CShot2Fire, Szak21CShot3Fire,
        Szak21CShot4Fire,
    Window(1050, 1150), Szak22CSpawn, Szak22CShot1Fire, Szak22CShot2Fire, Szak22CShot3Fire,
        Szak22CShot4Fire,
    Window(1150, 1200), Szak32BSpawn,
    Window(1150, 1200), Szak33BSpawn,
    Window(1150, 1180), Times(2, Szak6CMove), Szak6CSpawn, Szak6CShot1Fire,
};
static_assert(ValidScrollScript(Stage1Kinds));

// The boss's bullet families, each Move then Draw.  Vall20A, Val12A-C and
// Val20241I-N are never fired here and stay empty.
constexpr ScriptItem Stage1BossFamilies[] = {
    MOVE_DRAW(Boss1Valarm11),
    MOVE_DRAW(Boss1Valarm12),
    MOVE_DRAW(Boss1Vall301A),
    MOVE_DRAW(Boss1Vall301B),
    MOVE_DRAW(Boss1Vall301C),
    MOVE_DRAW(Boss1Vall301D),
    MOVE_DRAW(Boss1Vall301E),
    MOVE_DRAW(Boss1Vall301F),
    MOVE_DRAW(Boss1Vall20A),
    MOVE_DRAW(Boss1Vall301G),
    MOVE_DRAW(Boss1Vall301H),
    MOVE_DRAW(Boss1Val201A),
    MOVE_DRAW(Boss1Val201B),
    MOVE_DRAW(Boss1Val20241G),
    MOVE_DRAW(Boss1Val40L),
    MOVE_DRAW(Boss1Vall20B),
    MOVE_DRAW(Boss1Vall20E),
    MOVE_DRAW(Boss1Vall20F),
    MOVE_DRAW(Boss1Val405A),
    MOVE_DRAW(Boss1Val405B),
    MOVE_DRAW(Boss1Vall20C),
    MOVE_DRAW(Boss1Vall20D),
    MOVE_DRAW(Boss1Val404),
    MOVE_DRAW(Boss1Val12A),
    MOVE_DRAW(Boss1Val12B),
    MOVE_DRAW(Boss1Val12C),
    MOVE_DRAW(Boss1Val20241H),
    MOVE_DRAW(Boss1Val20241A),
    MOVE_DRAW(Boss1Val20241B),
    MOVE_DRAW(Boss1Val20241C),
    MOVE_DRAW(Boss1Val20241E),
    MOVE_DRAW(Boss1Val20241D),
    MOVE_DRAW(Boss1Val20241F),
    MOVE_DRAW(Boss1Val20241I),
    MOVE_DRAW(Boss1Val20241J),
    MOVE_DRAW(Boss1Val20241K),
    MOVE_DRAW(Boss1Val20241L),
    MOVE_DRAW(Boss1Val20241M),
    MOVE_DRAW(Boss1Val20241N),
    If(Gate::SubMode1, Boss1Vall20CMove),  // never in play
    If(Gate::SubMode1, Boss1Vall20DMove),
};
static_assert(ValidScrollScript(Stage1BossFamilies));

// The kinds' bullet families, then two groups that never run in play.
constexpr ScriptItem Stage1KindFamilies[] = {
    MOVE_DRAW(Szak1AShot1),
    MOVE_DRAW(Szak1BShot1),
    MOVE_DRAW(Szak6AShot1),
    MOVE_DRAW(Szak6BShot1),
    MOVE_DRAW(Szak6CShot1),
    MOVE_DRAW(Szak30BShot1),
    MOVE_DRAW(Szak31BShot1),
    MOVE_DRAW(Szak32BShot1),
    MOVE_DRAW(Szak33BShot1),
    MOVE_DRAW(Szak40AShot1),
    MOVE_DRAW(Szak40AShot2),
    MOVE_DRAW(Szak41AShot1),
    MOVE_DRAW(Szak41AShot2),
    MOVE_DRAW(Szak21CShot1),
    MOVE_DRAW(Szak21CShot2),
    MOVE_DRAW(Szak21CShot3),
    MOVE_DRAW(Szak21CShot4),
    MOVE_DRAW(Szak22CShot1),
    MOVE_DRAW(Szak22CShot2),
    MOVE_DRAW(Szak22CShot3),
    MOVE_DRAW(Szak22CShot4),
    MOVE_DRAW(Szak52CShot3),
    MOVE_DRAW(Szak53AShot3),
    MOVE_DRAW(Szak53BShot3),
    MOVE_DRAW(Szak10Shot3),
    MOVE_DRAW(Szak10Shot1),
    MOVE_DRAW(Szak10Shot2),
    MOVE_DRAW(Szak21BShot1),
    MOVE_DRAW(Szak22BShot1),
    Every(Gate::SubMode1), MOVE_DRAW(Szak51Shot6), Szak53AShot3Move, Szak53BShot3Move,
    Every(Gate::ModeNot1), Szak1AShot1Move, Szak1BShot1Move, Szak6AShot1Move,
};
static_assert(ValidScrollScript(Stage1KindFamilies));

// The boss's attack list on its attack tick, windows inclusive, tested in
// this order each frame; the arms fire only at level 2 or 3.
constexpr ScriptItem Boss1Attack[] = {
    Ticks(0, 200), Boss1Val40LSchedule,
    Ticks(600, 900), Boss1Val40LSchedule,
    Ticks(1400, 1900), Boss1Val40LSchedule,
    Ticks(2300, 2800), Boss1Vall301GFire, Boss1Vall301HFire,
    Ticks(3300, 3600), Boss1Vall301GFire, Boss1Vall301HFire,
    Ticks(3600, 4250), Boss1Vall301AFire, Boss1Vall301BFire, Boss1Vall301CFire,
        Boss1Vall301DFire, Boss1Vall301EFire, Boss1Vall301FFire,
    Ticks(0, 3000), Boss1Val20241CSchedule, Boss1Val20241ESchedule,
    Ticks(1400, 4300), Boss1Val20241ASchedule, Boss1Val20241BSchedule,
    Ticks(2000, 4300), Boss1Val20241DSchedule, Boss1Val20241FSchedule,
    Ticks(20, 280, Gate::Level2Or3), Boss1Valarm11Schedule, Boss1Valarm12Schedule,
    Ticks(100, 170), Boss1Vall301GFire, Boss1Vall301HFire,
    Ticks(170, 200), Boss1Vall301AFire, Boss1Vall301BFire, Boss1Vall301CFire,
        Boss1Vall301DFire, Boss1Vall301EFire, Boss1Vall301FFire,
    Ticks(100, 200, Gate::Mode2OrSubMode1), Boss1Val201AFire, Boss1Val201BFire,  // never
    Ticks(200, 300), Boss1Val20241GSchedule,
    Ticks(250, 460), Boss1Vall20BSchedule,
    Ticks(400, 580), Boss1Val20241HSchedule,
    Ticks(400, 500, Gate::Mode2OrSubMode1), Boss1Val201AFire, Boss1Val201BFire,  // never
    Ticks(500, 600), Boss1Val405ASchedule, Boss1Val405BSchedule,
    Ticks(600, 800), Boss1Vall20ESchedule, Boss1Vall20FSchedule,
    Ticks(600, 720), Boss1Vall301GFire, Boss1Vall301HFire,
    Ticks(720, 760), Boss1Vall301AFire, Boss1Vall301BFire, Boss1Vall301CFire,
        Boss1Vall301DFire, Boss1Vall301EFire, Boss1Vall301FFire,
    Ticks(800, 900), Boss1Vall20CSchedule, Boss1Vall20DSchedule, Boss1Val405ASchedule,
        Boss1Val405BSchedule,
    Ticks(900, 1100), Boss1Val404Schedule,
    Ticks(1100, 1400), Boss1Vall301AFire, Boss1Vall301BFire, Boss1Vall301CFire,
        Boss1Vall301DFire, Boss1Vall301EFire, Boss1Vall301FFire,
};
static_assert(ValidAttackScript(Boss1Attack));

constexpr BossRow Stage1Boss{
    .state = &Boss1State,
    .move = Boss1Move,
    .draw = Boss1Draw,
    .defeat = Boss1Defeat,
    .windowLo = 1100.0f,
    .windowHi = 10100.0f,
    .attackBelow = 1010.0f,
    .cycle = {4300, 4300, 4300, 4300},
    .timeoutLo = 10000.0f,
    .timeoutHi = 10100.0f,
    .attack = Boss1Attack,
};

constexpr StageRow Stage1Row{
    .scene = SceneStage1,
    .scrollRate = 20.0f,
    .music = "MIDI/BGM1.MID",
    .countsFrames = true,
    .entryClearsPause = true,
    .background = {.range = 80, .base = 80, .starfieldFirst = true, .layers = {Bback1sDraw},
                   .offRange = 80, .offBase = 80},
    .boss = &Stage1Boss,
    .kinds = Stage1Kinds,
    .powerUpWindows = {100, 300, 500, 800, 950},
    .families = {Stage1BossFamilies, Stage1KindFamilies},
    .bombNeedsLaserIdle = true,
};

}  // namespace

void Stage1Scene() { RunStageFrame(Stage1Row); }
