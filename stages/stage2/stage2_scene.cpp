// Stage 2: its kinds and waves, its bullet families and the stage-2 boss's
// attack list over the shared stage frame.
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "player/homing_missiles.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_body.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage2/stage2_scene.h"
#include "stages/stage7/boss7_families.h"
#include "stages/stage_frame.h"

namespace {

// The kinds, each with its Move and Update every frame and then its spawn
// windows (strict).  Szak9 and Szak12 move twice a frame; the Szak51 block
// runs only in a mode that play never has.
constexpr ScriptItem Stage2Kinds[] = {
    Every(), MOVE_UPDATE(Szak6D), MOVE_UPDATE(Szak6E),
    If(Gate::SubMode1, Szak6DMove), If(Gate::SubMode1, Szak6EMove),
    // Each gunship's guns, Szak6D's then Szak6E's; the sub-windows are strict.
    Window(150, 220),
    Szak6DSpawn, Szak6DShot4Fire, Szak6DShot1Fire,
    IfIn(Gate::SubMode1, 140, 190, Szak6DShot2Fire),
    IfIn(Gate::SubMode1, 140, 190, Szak6DShot3Fire),
    If(Gate::Mode1, Szak6DShot5Fire), If(Gate::Mode1, Szak6DShot6Fire),
    IfIn(Gate::Mode2, 160, 200, Szak6DShot7Fire),
    Szak6ESpawn, Szak6EShot4Fire, Szak6EShot1Fire,
    IfIn(Gate::SubMode1, 140, 190, Szak6EShot2Fire),
    IfIn(Gate::SubMode1, 140, 190, Szak6EShot3Fire),
    If(Gate::Mode1, Szak6EShot5Fire), If(Gate::Mode1, Szak6EShot6Fire),
    IfIn(Gate::Mode2, 160, 200, Szak6EShot7Fire),
    Window(750, 890),
    Szak6DSpawn, Szak6DShot4Fire, Szak6DShot1Fire,
    IfIn(Gate::SubMode1, 740, 790, Szak6DShot2Fire),
    IfIn(Gate::SubMode1, 740, 790, Szak6DShot3Fire),
    IfIn(Gate::SubMode1, 840, 890, Szak6DShot2Fire),
    IfIn(Gate::SubMode1, 840, 890, Szak6DShot3Fire),
    If(Gate::Mode1, Szak6DShot5Fire), If(Gate::Mode1, Szak6DShot6Fire),
    IfIn(Gate::Mode2, 810, 850, Szak6DShot7Fire),
    Szak6ESpawn, Szak6EShot4Fire, Szak6EShot1Fire,
    IfIn(Gate::SubMode1, 740, 790, Szak6EShot2Fire),
    IfIn(Gate::SubMode1, 740, 790, Szak6EShot3Fire),
    IfIn(Gate::SubMode1, 840, 890, Szak6EShot2Fire),
    IfIn(Gate::SubMode1, 840, 890, Szak6EShot3Fire),
    If(Gate::Mode1, Szak6EShot5Fire), If(Gate::Mode1, Szak6EShot6Fire),
    IfIn(Gate::Mode2, 810, 850, Szak6EShot7Fire),

    Every(), Times(2, Szak9Move), Szak9Update,
    Window(300, 500), Szak9Spawn, If(Gate::SubModeNot1, Szak9Shot2Fire), Szak9Shot3Fire,
    Szak9Shot4Fire,
    Window(500, 750), Szak9Spawn, Szak9Shot1Fire, If(Gate::SubModeNot1, Szak9Shot2Fire),
    Szak9Shot3Fire, Szak9Shot4Fire,
    Window(900, 1100), Szak9Spawn, Szak9Shot1Fire, If(Gate::SubModeNot1, Szak9Shot2Fire),
    Szak9Shot3Fire, Szak9Shot4Fire,

    Every(), Times(2, Szak12Move), Szak12Update,
    Window(80, 130), Szak12Spawn, If(Gate::Mode1, Szak12Shot6Fire),
    If(Gate::Mode2OrSubMode1, Szak12Shot7Fire), If(Gate::Mode2OrSubMode1, Szak12Shot8Fire),
    Window(700, 800), Szak12Spawn, If(Gate::Mode1, Szak12Shot6Fire),
    If(Gate::Mode2OrSubMode1, Szak12Shot7Fire), If(Gate::Mode2OrSubMode1, Szak12Shot8Fire),
    Window(1000, 1100), Szak12Spawn, Szak12Shot1Fire, Szak12Shot2Fire, Szak12Shot3Fire,
    Szak12Shot4Fire, Szak12Shot5Fire, Szak12Shot6Fire, Szak12Shot7Fire, Szak12Shot8Fire,
    Szak12Shot9Fire, Szak12Shot10Fire,

    Every(), MOVE_UPDATE(Szak52A),
    Window(200, 230), Szak52ASpawn, Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire,
    Szak52AShot7Fire, Szak52AShot8Fire, Szak52AShot1Schedule, Szak52AShot2Schedule,
    Szak52AShot3Schedule,
    Window(670, 700), Szak52ASpawn, Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire,
    Szak52AShot7Fire, Szak52AShot8Fire, Szak52AShot1Schedule, Szak52AShot2Schedule,
    Szak52AShot3Schedule,

    Every(), MOVE_UPDATE(Szak52B),
    Window(200, 230), Szak52BSpawn, Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire,
    Szak52BShot7Fire, Szak52BShot8Fire, Szak52BShot1Schedule, Szak52BShot2Schedule,
    Szak52BShot3Schedule,
    Window(670, 700), Szak52BSpawn, Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire,
    Szak52BShot7Fire, Szak52BShot8Fire, Szak52BShot1Schedule, Szak52BShot2Schedule,
    Szak52BShot3Schedule,

    Every(), MOVE_UPDATE(Szak40A), Window(300, 350), Szak40ASpawn,
    Every(), MOVE_UPDATE(Szak41A), Window(350, 400), Szak41ASpawn,
    Every(), MOVE_UPDATE(Szak40B), Window(100, 150), Szak40BSpawn,
    Window(960, 1000), Szak40BSpawn,
    Every(), MOVE_UPDATE(Szak41B), Window(700, 750), Szak41BSpawn,
    Window(960, 1000), Szak41BSpawn,

    Every(Gate::SubMode1), MOVE_UPDATE(Szak51),
    Window(200, 400, Gate::SubMode1), Szak51Spawn, Szak51Shot1Schedule,
    If(Gate::Mode2OrSubMode1, Szak51Shot2Schedule), If(Gate::Mode2OrSubMode1, Szak51Shot3Schedule),
    Szak51Shot6Schedule, Szak51Shot7Schedule, Szak51Shot8Schedule,
    Window(700, 1100, Gate::SubMode1), Szak51Spawn, Szak51Shot6Schedule, Szak51Shot7Schedule,
    Szak51Shot8Schedule,

    Every(), MOVE_UPDATE(Szak30B), Window(550, 600), Szak30BSpawn,
    Window(800, 860), Szak30BSpawn, Window(1000, 1100), Szak30BSpawn,
    Every(), MOVE_UPDATE(Szak31B), Window(550, 600), Szak31BSpawn,
    Window(800, 860), Szak31BSpawn, Window(1000, 1100), Szak31BSpawn,
    Every(), MOVE_UPDATE(Szak32B), Window(600, 650), Szak32BSpawn,
    Window(750, 800), Szak32BSpawn,
    Every(), MOVE_UPDATE(Szak33B), Window(600, 650), Szak33BSpawn,
    Window(750, 800), Szak33BSpawn,

    Every(), MOVE_UPDATE(Szak50B), MOVE_UPDATE(Szak50C),
    Window(900, 940), Szak50BSpawn, Szak50CSpawn,
    Window(1120, 1200), Szak50BSpawn, Szak50CSpawn,
};
static_assert(ValidScrollScript(Stage2Kinds));

// The missiles aimed at the stage-2 boss are drawn before the ship.
constexpr ScriptItem Stage2BossMissileDraws[] = {HomingMissileBoss2ADraw,
                                                 HomingMissileBoss2BDraw};
static_assert(ValidScrollScript(Stage2BossMissileDraws));

// The stage-2 boss's families, each Move then Draw.
constexpr ScriptItem Stage2BossFamilies[] = {
    MOVE_DRAW(Boss2Valarm71),  MOVE_DRAW(Boss2Valarm72),  MOVE_DRAW(Boss2Valarm70),
    MOVE_DRAW(Boss2Valarm74A), MOVE_DRAW(Boss2Valarm75A), MOVE_DRAW(Boss2Valarm73A),
    MOVE_DRAW(Boss2Valarm74B), MOVE_DRAW(Boss2Valarm75B), MOVE_DRAW(Boss2Valarm73B),
    MOVE_DRAW(Boss2Vall301A),  MOVE_DRAW(Boss2Vall301B),  MOVE_DRAW(Boss2Vall301C),
    MOVE_DRAW(Boss2Vall302A),  MOVE_DRAW(Boss2Vall301D),  MOVE_DRAW(Boss2Vall301E),
    MOVE_DRAW(Boss2Vall301F),  MOVE_DRAW(Boss2Vall301G),  MOVE_DRAW(Boss2Vall301H),
    MOVE_DRAW(Boss2Vall302B),  MOVE_DRAW(Boss2Vall301I),  MOVE_DRAW(Boss2Vall301J),
    MOVE_DRAW(Boss2Val20241A), MOVE_DRAW(Boss2Val20241B),
    MOVE_DRAW(Boss2Val402C),   MOVE_DRAW(Boss2Val402D),
    MOVE_DRAW(Boss2Val20241D), MOVE_DRAW(Boss2Val20241E),
    MOVE_DRAW(Boss2Val402A),   MOVE_DRAW(Boss2Val402B),
    MOVE_DRAW(Boss2Val20241C),
    MOVE_DRAW(Boss2Val405E),   MOVE_DRAW(Boss2Val405F),
    MOVE_DRAW(Boss2Val1A),     MOVE_DRAW(Boss2Val1B),     MOVE_DRAW(Boss2Val1C),
    MOVE_DRAW(Boss2Val1D),     MOVE_DRAW(Boss2Val1E),     MOVE_DRAW(Boss2Val1F),
    MOVE_DRAW(Boss2Val1G),     MOVE_DRAW(Boss2Val1H),     MOVE_DRAW(Boss2Val1I),
    MOVE_DRAW(Boss2Val405A),   MOVE_DRAW(Boss2Val405B),   MOVE_DRAW(Boss2Val405C),
    MOVE_DRAW(Boss2Val405D),
};

// The stage-7 boss's pools that stage 2 moves and draws but never fires:
// parked, they show nothing.
constexpr ScriptItem Stage2Boss7Families[] = {
    MOVE_DRAW(Boss7Vall20A),   MOVE_DRAW(Boss7Vall20B),   MOVE_DRAW(Boss7Val20241F),
    MOVE_DRAW(Boss7Val20241G), MOVE_DRAW(Boss7Val20241E), MOVE_DRAW(Boss7Val20241A),
    MOVE_DRAW(Boss7Val405A),   MOVE_DRAW(Boss7Val405B),
    MOVE_DRAW(Boss7Val12A),    MOVE_DRAW(Boss7Val12B),    MOVE_DRAW(Boss7Val12C),
    MOVE_DRAW(Boss7Val12D),    MOVE_DRAW(Boss7Val12E),    MOVE_DRAW(Boss7Val12F),
    MOVE_DRAW(Boss7Val12G),
    If(Gate::SubMode1, Boss7Vall20AMove),   If(Gate::SubMode1, Boss7Vall20BMove),
    If(Gate::SubMode1, Boss7Val20241FMove), If(Gate::SubMode1, Boss7Val20241GMove),
    If(Gate::SubMode1, Boss7Val20241EMove)};
static_assert(ValidScrollScript(Stage2Boss7Families));
static_assert(ValidScrollScript(Stage2BossFamilies));

// The kinds' families.  Szak9's shots 2 to 4 are drawn before they move.
constexpr ScriptItem Stage2KindFamilies[] = {
    MOVE_DRAW(Szak6DShot4), MOVE_DRAW(Szak6DShot5), MOVE_DRAW(Szak6DShot6),
    MOVE_DRAW(Szak6DShot2), MOVE_DRAW(Szak6DShot3), MOVE_DRAW(Szak6DShot1),
    MOVE_DRAW(Szak6DShot7),
    MOVE_DRAW(Szak6EShot4), MOVE_DRAW(Szak6EShot5), MOVE_DRAW(Szak6EShot6),
    MOVE_DRAW(Szak6EShot2), MOVE_DRAW(Szak6EShot3), MOVE_DRAW(Szak6EShot1),
    MOVE_DRAW(Szak6EShot7),
    Szak9Shot2Draw, Szak9Shot2Move, Szak9Shot3Draw, Szak9Shot3Move,
    Szak9Shot4Draw, Szak9Shot4Move,
    MOVE_DRAW(Szak30BShot1), MOVE_DRAW(Szak31BShot1), MOVE_DRAW(Szak32BShot1),
    MOVE_DRAW(Szak33BShot1),
    MOVE_DRAW(Szak40AShot1), MOVE_DRAW(Szak40AShot2), MOVE_DRAW(Szak41AShot1),
    MOVE_DRAW(Szak41AShot2),
    MOVE_DRAW(Szak50BShot1), MOVE_DRAW(Szak50BShot2), MOVE_DRAW(Szak50CShot1),
    MOVE_DRAW(Szak50CShot2),
    If(Gate::SubModeNot0, Szak9Shot2Move), If(Gate::SubModeNot0, Szak9Shot3Move),
    If(Gate::SubModeNot0, Szak9Shot4Move),
    MOVE_DRAW(Szak12Shot1), MOVE_DRAW(Szak12Shot2), MOVE_DRAW(Szak12Shot3),
    MOVE_DRAW(Szak12Shot4), MOVE_DRAW(Szak12Shot5), MOVE_DRAW(Szak12Shot6),
    MOVE_DRAW(Szak12Shot7), MOVE_DRAW(Szak12Shot8), MOVE_DRAW(Szak12Shot9),
    MOVE_DRAW(Szak12Shot10),
    MOVE_DRAW(Szak9Shot1),
    If(Gate::ModeNot1, Szak12Shot1Move), If(Gate::ModeNot1, Szak12Shot2Move),
    If(Gate::ModeNot1, Szak12Shot3Move), If(Gate::ModeNot1, Szak12Shot4Move),
    If(Gate::ModeNot1, Szak12Shot5Move),
    MOVE_DRAW(Szak52AShot4), MOVE_DRAW(Szak52AShot5), MOVE_DRAW(Szak52AShot6),
    MOVE_DRAW(Szak52AShot7), MOVE_DRAW(Szak52AShot8), MOVE_DRAW(Szak52AShot1),
    MOVE_DRAW(Szak52AShot2), MOVE_DRAW(Szak52AShot3),
    MOVE_DRAW(Szak52BShot4), MOVE_DRAW(Szak52BShot5), MOVE_DRAW(Szak52BShot6),
    MOVE_DRAW(Szak52BShot7), MOVE_DRAW(Szak52BShot8), MOVE_DRAW(Szak52BShot1),
    MOVE_DRAW(Szak52BShot2), MOVE_DRAW(Szak52BShot3),
    If(Gate::SubMode1, Szak51Shot6Move), If(Gate::SubMode1, Szak51Shot6Draw),
    If(Gate::SubMode1, Szak51Shot7Move), If(Gate::SubMode1, Szak51Shot7Draw),
    If(Gate::SubMode1, Szak51Shot8Move), If(Gate::SubMode1, Szak51Shot8Draw),
    MOVE_DRAW(Szak51Shot1), MOVE_DRAW(Szak51Shot2), MOVE_DRAW(Szak51Shot3),
    MOVE_DRAW(Szak50BShot3), MOVE_DRAW(Szak50CShot3),
};
static_assert(ValidScrollScript(Stage2KindFamilies));

// The twelve aimed lines, fired in this order wherever the list fires them.
#define STAGE2_LINE_FIRES                                                              \
  Boss2Vall301AFire, Boss2Vall301BFire, Boss2Vall301CFire, Boss2Vall302AFire,          \
      Boss2Vall301DFire, Boss2Vall301EFire, Boss2Vall301FFire, Boss2Vall301GFire,      \
      Boss2Vall301HFire, Boss2Vall302BFire, Boss2Vall301IFire, Boss2Vall301JFire

// The boss's attack list on its tick (bounds inclusive, first tested tick 1);
// the falling balls only at level 3.
constexpr ScriptItem Stage2Attack[] = {
    Ticks(30, 150), Boss2Val405ASchedule, Boss2Val405BSchedule,
    Ticks(110, 200), Boss2Val405CSchedule, Boss2Val405DSchedule,
    Ticks(200, 250), Boss2Val402CSchedule, Boss2Val402DSchedule, Boss2Val402ASchedule,
    Boss2Val402BSchedule,
    // A third call of the lines whose window, from 220 up to 20, holds no tick.
    Never(220, 20), STAGE2_LINE_FIRES,
    Ticks(250, 400), Boss2Val402CSchedule, Boss2Val402DSchedule, Boss2Val402ASchedule,
    Boss2Val402BSchedule,
    Ticks(350, 380), STAGE2_LINE_FIRES,
    Ticks(400, 500), Boss2Val20241ASchedule, Boss2Val20241BSchedule,
    Ticks(450, 500), Boss2Val20241CSchedule,
    Ticks(500, 700), Boss2Val402ASchedule, Boss2Val402BSchedule,
    Ticks(480, 580), Boss2Val405ESchedule, Boss2Val405FSchedule,
    Ticks(580, 700), Boss2Val20241DSchedule, Boss2Val20241ESchedule,
    Ticks(800, 900), STAGE2_LINE_FIRES,
    Ticks(700, 1000), Boss2Val402ASchedule, Boss2Val402BSchedule,
    Ticks(750, 1100), Boss2Val402CSchedule, Boss2Val402DSchedule,
    Ticks(1050, 1300), Boss2Val20241DSchedule, Boss2Val20241ESchedule,
    Ticks(1320, 1600, Gate::Level3), Boss2Valarm70Schedule,
    Ticks(1380, 1650, Gate::Level3), Boss2Valarm71Schedule, Boss2Valarm72Schedule,
    Ticks(1660, 1900, Gate::Level3), Boss2Valarm73ASchedule, Boss2Valarm73BSchedule,
    Ticks(1690, 1950, Gate::Level3), Boss2Valarm74ASchedule, Boss2Valarm75ASchedule,
    Boss2Valarm74BSchedule, Boss2Valarm75BSchedule,
    Ticks(1960, 2700, Gate::Level3), Boss2Valarm71Schedule, Boss2Valarm72Schedule,
    Ticks(1990, 2700, Gate::Level3), Boss2Valarm74ASchedule, Boss2Valarm75ASchedule,
    Boss2Valarm74BSchedule, Boss2Valarm75BSchedule,
    Ticks(2300, 2700, Gate::Level3), Boss2Valarm73ASchedule, Boss2Valarm73BSchedule,
    Ticks(2300, 2700, Gate::Level3), Boss2Valarm70Schedule,
    Ticks(0, 30), Boss2Val1AFire, Boss2Val1BFire, Boss2Val1CFire, Boss2Val1DFire,
    Boss2Val1EFire, Boss2Val1FFire, Boss2Val1GFire, Boss2Val1HFire, Boss2Val1IFire,
};
static_assert(ValidAttackScript(Stage2Attack));
#undef STAGE2_LINE_FIRES

}  // namespace

// Levels 1 and 2 set the tick back at 1300, level 3 at 2710; level 0 (no
// game) never.
constexpr BossRow Stage2Boss{
    .state = &Boss2State,
    .move = Boss2Move,
    .draw = Boss2Draw,
    .defeat = Boss2Defeat,
    .windowLo = 1060.0f,
    .windowHi = 11100.0f,
    .attackBelow = 980.0f,
    .cycle = {NoSetBack, 1300, 1300, 2710},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Stage2Attack,
};

namespace {

constexpr StageRow Stage2Row{
    .scene = SceneStage2,
    .scrollRate = 18.0f,
    .music = "MIDI/BGM2.MID",
    .countsFrames = true,
    .background = {.range = 130, .base = 130, .starfieldFirst = true, .layers = {Bback2sDraw},
                   .offRange = 150, .offBase = 150},
    .boss = &Stage2Boss,
    .kinds = Stage2Kinds,
    .beforeShip = Stage2BossMissileDraws,
    // The stage-7 boss's families, whose pools stay parked here, run
    // between the boss's and the kinds'.
    .families = {Stage2BossFamilies, Stage2Boss7Families, Stage2KindFamilies},
    .homingLasers = true,
    .autoFireBlock = false,
};

}  // namespace

void Stage2Scene() { RunStageFrame(Stage2Row); }
