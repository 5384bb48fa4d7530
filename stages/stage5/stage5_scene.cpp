// Stage 5: its row over the shared stage frame, its kinds and waves, its
// bullet families in their two places of the frame, and its boss block.
#include "stages/stage5/stage5_scene.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_gunships.h"
#include "enemies/small_kinds.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage5/boss5_body.h"
#include "stages/stage5/boss5_families.h"
#include "stages/stage5/boss5_laser.h"
#include "stages/stage5/boss5_streams.h"

namespace {

// The gates of the script: B while GameSubMode is 1, M while GameMode is 2
// (neither holds in play).
constexpr Gate B = Gate::SubMode1;
constexpr Gate M = Gate::Mode2;

// Kind by kind: Move and Update every frame, then the kind's waves in their
// strict scroll windows.  The gunship pairs' three windows hold the same
// calls: Szak6D's (Szak13A's), then Szak6E's (Szak13B's).
#define STAGE5_SZAK6_WAVE                                                              \
  Szak6DSpawn, Szak6DShot1Fire, If(B, Szak6DShot4Fire), If(B, Szak6DShot5Fire),        \
      Szak6DShot6Fire, Szak6ESpawn, Szak6EShot1Fire, If(B, Szak6EShot4Fire),           \
      Szak6EShot5Fire, If(B, Szak6EShot6Fire)
#define STAGE5_SZAK13_WAVE                                                             \
  Szak13ASpawn, Szak13AShot1Fire, If(B, Szak13AShot4Fire), If(B, Szak13AShot5Fire),    \
      Szak13AShot6Fire, Szak13BSpawn, Szak13BShot1Fire, If(B, Szak13BShot4Fire),       \
      Szak13BShot5Fire, If(B, Szak13BShot6Fire)

constexpr ScriptItem Stage5Kinds[] = {
    Every(), MOVE_UPDATE(Szak6D), MOVE_UPDATE(Szak6E),
    Window(600, 680), STAGE5_SZAK6_WAVE,
    Window(800, 900), STAGE5_SZAK6_WAVE,
    Window(1000, 1100), STAGE5_SZAK6_WAVE,

    Every(), MOVE_UPDATE(Szak13A), MOVE_UPDATE(Szak13B),
    Window(560, 600), STAGE5_SZAK13_WAVE,
    Window(700, 800), STAGE5_SZAK13_WAVE,
    Window(1100, 1200), STAGE5_SZAK13_WAVE,

    Every(), MOVE_UPDATE(Szak12),
    Window(500, 600), Szak12Spawn, If(M, Szak12Shot1Fire), If(B, Szak12Shot2Fire),
    If(B, Szak12Shot3Fire), If(B, Szak12Shot4Fire), If(B, Szak12Shot5Fire), Szak12Shot6Fire,

    Every(), MOVE_UPDATE(Szak10),
    Window(30, 200), Szak10Spawn,

    Every(), MOVE_UPDATE(Szak9),
    Window(240, 590), Szak9Spawn, Szak9Shot1Fire, If(B, Szak9Shot2Fire), If(M, Szak9Shot3Fire),
    If(M, Szak9Shot4Fire),
    Window(900, 1200), Szak9Spawn, Szak9Shot1Fire, If(B, Szak9Shot2Fire), Szak9Shot3Fire,
    Szak9Shot4Fire,

    // Moved and updated, never spawned in this stage.
    Every(), MOVE_UPDATE(Szak6A), MOVE_UPDATE(Szak6B), MOVE_UPDATE(Szak6C),

    Every(), MOVE_UPDATE(Szak21A),
    Window(100, 200), Szak21ASpawn,
    Window(400, 500), Szak21ASpawn,
    Window(1180, 1260), Szak21ASpawn,

    Every(), MOVE_UPDATE(Szak22A),
    Window(100, 200), Szak22ASpawn,
    Window(400, 500), Szak22ASpawn,
    Window(1180, 1260), Szak22ASpawn,

    Every(), MOVE_UPDATE(Szak51),
    Window(600, 800), Szak51Spawn, Szak51Shot6Schedule, Szak51Shot1Schedule,
    Szak51Shot2Schedule, Szak51Shot3Schedule,

    Every(), MOVE_UPDATE(Szak52C),
    Window(640, 900), Szak52CSpawn, Szak52CShot3Schedule, If(B, Szak52CShot4Schedule),

    // The last two windows of each wave kind meet at 1260, which neither holds.
    Every(), MOVE_UPDATE(Szak40A),
    Window(200, 240), Szak40ASpawn,
    Window(400, 480), Szak40ASpawn,
    Window(1150, 1260), Szak40ASpawn,
    Window(1260, 1300), Szak40ASpawn,

    Every(), MOVE_UPDATE(Szak41A),
    Window(240, 280), Szak41ASpawn,
    Window(400, 480), Szak41ASpawn,
    Window(1150, 1260), Szak41ASpawn,
    Window(1260, 1300), Szak41ASpawn,

    Every(), MOVE_UPDATE(Szak40B),
    Window(280, 320), Szak40BSpawn,
    Window(400, 480), Szak40BSpawn,
    Window(640, 680), Szak40BSpawn,
    Window(1150, 1260), Szak40BSpawn,
    Window(1260, 1300), Szak40BSpawn,

    Every(), MOVE_UPDATE(Szak41B),
    Window(320, 360), Szak41BSpawn,
    Window(400, 480), Szak41BSpawn,
    Window(640, 680), Szak41BSpawn,
    Window(1150, 1260), Szak41BSpawn,
    Window(1260, 1300), Szak41BSpawn,
};
static_assert(ValidScrollScript(Stage5Kinds));

#undef STAGE5_SZAK6_WAVE
#undef STAGE5_SZAK13_WAVE

// After the ship: the laser's draws (it has no Move), Move then Draw of the
// boss's other families, (under B) a second Move of some of them, then the
// sweeps and the streams.
constexpr ScriptItem Boss5Families[] = {
    Boss5Valarm51ADraw, Boss5Valarm51BDraw,
    MOVE_DRAW(Boss5Val402A), MOVE_DRAW(Boss5Val402B), MOVE_DRAW(Boss5Val402C),
    MOVE_DRAW(Boss5Val20241G), MOVE_DRAW(Boss5Val20241H), MOVE_DRAW(Boss5Val20241E),
    MOVE_DRAW(Boss5Val20241F), MOVE_DRAW(Boss5Val20241A), MOVE_DRAW(Boss5Val20241B),
    MOVE_DRAW(Boss5Val20241C), MOVE_DRAW(Boss5Val20241D),
    MOVE_DRAW(Boss5Val13A), MOVE_DRAW(Boss5Val13B), MOVE_DRAW(Boss5Val13C),
    MOVE_DRAW(Boss5Val13D), MOVE_DRAW(Boss5Val13E), MOVE_DRAW(Boss5Val13F),
    MOVE_DRAW(Boss5Val13G), MOVE_DRAW(Boss5Val13H), MOVE_DRAW(Boss5Val13I),
    Every(B),
    Boss5Val402AMove, Boss5Val20241GMove, Boss5Val20241HMove, Boss5Val20241EMove,
    Boss5Val20241FMove, Boss5Val20241CMove, Boss5Val20241DMove,
    Boss5Val13AMove, Boss5Val13BMove, Boss5Val13CMove, Boss5Val13DMove, Boss5Val13EMove,
    Boss5Val13FMove, Boss5Val13GMove, Boss5Val13HMove, Boss5Val13IMove,
    Every(),
    MOVE_DRAW(Boss5Vall3017), MOVE_DRAW(Boss5Vall3018),
    MOVE_DRAW(Boss5Ray3A), MOVE_DRAW(Boss5Ray3B), MOVE_DRAW(Boss5Ray3C),
    MOVE_DRAW(Boss5Ray3D), MOVE_DRAW(Boss5Ray3E), MOVE_DRAW(Boss5Ray3F),
};
static_assert(ValidScrollScript(Boss5Families));

// Last, the kinds' guns; Szak52C's shot 4 under B, else its shot 3.
constexpr ScriptItem Stage5KindFamilies[] = {
    MOVE_DRAW(Szak6DShot4), MOVE_DRAW(Szak6DShot5), MOVE_DRAW(Szak6DShot6),
    MOVE_DRAW(Szak6DShot1),
    MOVE_DRAW(Szak6EShot4), MOVE_DRAW(Szak6EShot5), MOVE_DRAW(Szak6EShot6),
    MOVE_DRAW(Szak6EShot1),
    MOVE_DRAW(Szak13AShot1), MOVE_DRAW(Szak13AShot4), MOVE_DRAW(Szak13AShot5),
    MOVE_DRAW(Szak13AShot6),
    MOVE_DRAW(Szak13BShot1), MOVE_DRAW(Szak13BShot4), MOVE_DRAW(Szak13BShot5),
    MOVE_DRAW(Szak13BShot6),
    MOVE_DRAW(Szak12Shot1), MOVE_DRAW(Szak12Shot2), MOVE_DRAW(Szak12Shot3),
    MOVE_DRAW(Szak12Shot4), MOVE_DRAW(Szak12Shot5), MOVE_DRAW(Szak12Shot6),
    MOVE_DRAW(Szak12Shot7), MOVE_DRAW(Szak12Shot8), MOVE_DRAW(Szak12Shot9),
    MOVE_DRAW(Szak12Shot10),
    MOVE_DRAW(Szak9Shot2), MOVE_DRAW(Szak9Shot3), MOVE_DRAW(Szak9Shot4),
    MOVE_DRAW(Szak6AShot1), MOVE_DRAW(Szak6BShot1), MOVE_DRAW(Szak6CShot1),
    MOVE_DRAW(Szak40AShot1), MOVE_DRAW(Szak40AShot2), MOVE_DRAW(Szak41AShot1),
    MOVE_DRAW(Szak41AShot2),
    MOVE_DRAW(Szak51Shot1), MOVE_DRAW(Szak51Shot2), MOVE_DRAW(Szak51Shot3),
    MOVE_DRAW(Szak51Shot6),
    MOVE_DRAW(Szak9Shot1),
    Every(B), MOVE_DRAW(Szak52CShot4),
    Every(Gate::SubModeNot1), MOVE_DRAW(Szak52CShot3),
};
static_assert(ValidScrollScript(Stage5KindFamilies));

// The attack list on the tick, inclusive windows in this order; the laser
// at levels 2 and 3, the bursts and the extra rows at level 1.  Calls that
// the list tests one by one keep a header each (same result, same order).
constexpr ScriptItem Boss5Attack[] = {
    Ticks(5, 200), Boss5Ray3ASchedule, Boss5Ray3BSchedule, Boss5Ray3CSchedule,
    Boss5Ray3DSchedule, Boss5Ray3ESchedule, Boss5Ray3FSchedule,
    Ticks(50, 120), Boss5Vall3017Fire, Boss5Vall3018Fire,
    Ticks(0, 100), Boss5Val402BSchedule,
    Ticks(0, 100), Boss5Val402CSchedule,
    Ticks(200, 300), Boss5Val402ASchedule,
    Ticks(240, 280), Boss5Val20241ASchedule,
    Ticks(240, 280), Boss5Val20241BSchedule,
    Ticks(300, 600, Gate::Level2Or3), Boss5Valarm51AFire,
    Ticks(300, 600, Gate::Level2Or3), Boss5Valarm51BFire,
    Ticks(600, 700), Boss5Vall3017Fire, Boss5Vall3018Fire,
    Ticks(500, 700), Boss5Val20241CSchedule,
    Ticks(500, 700), Boss5Val20241DSchedule,
    Ticks(770, 900), Boss5Val20241GSchedule,
    Ticks(770, 900), Boss5Val20241HSchedule,
    Ticks(800, 980), Boss5Val20241ESchedule,
    Ticks(800, 980), Boss5Val20241FSchedule,
    Ticks(1000, 1300, Gate::Level2Or3), Boss5Valarm51AFire,
    Ticks(1000, 1300, Gate::Level2Or3), Boss5Valarm51BFire,
    Ticks(1200, 1300), Boss5Val402BSchedule,
    Ticks(1200, 1300), Boss5Val402CSchedule,
    Ticks(300, 500, Gate::Level1),
    Boss5Val13AFire, Boss5Val13BFire, Boss5Val13CFire, Boss5Val13DFire, Boss5Val13EFire,
    Boss5Val13FFire, Boss5Val13GFire, Boss5Val13HFire, Boss5Val13IFire,
    Ticks(1020, 1200, Gate::Level1),
    Boss5Val13AFire, Boss5Val13BFire, Boss5Val13CFire, Boss5Val13DFire, Boss5Val13EFire,
    Boss5Val13FFire, Boss5Val13GFire, Boss5Val13HFire, Boss5Val13IFire,
    Ticks(1120, 1200, Gate::Level1), Boss5Val402BSchedule,
    Ticks(1120, 1200, Gate::Level1), Boss5Val402CSchedule,
    Ticks(1100, 1200, Gate::Level1), Boss5Val402ASchedule,
    Ticks(1300, 1450), Boss5Val20241CSchedule,
    Ticks(1300, 1450), Boss5Val20241DSchedule,
    Ticks(1450, 1500), Boss5Val20241ASchedule,
    Ticks(1450, 1500), Boss5Val20241BSchedule,
    Ticks(1500, 1750), Boss5Ray3ASchedule, Boss5Ray3BSchedule, Boss5Ray3CSchedule,
    Boss5Ray3DSchedule, Boss5Ray3ESchedule, Boss5Ray3FSchedule,
};
static_assert(ValidAttackScript(Boss5Attack));

}  // namespace

constexpr BossRow Stage5Boss{
    .state = &Boss5State,
    .move = Boss5Move,
    .draw = Boss5Draw,
    .defeat = Boss5Defeat,
    .windowLo = 1300.0f,
    .windowHi = 11100.0f,
    .attackBelow = 980.0f,
    .cycle = {1770, 1770, 1770, 1770},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Boss5Attack,
};

namespace {

constexpr StageRow Stage5Row{
    .scene = SceneStage5,
    .scrollRate = 14.0f,
    .music = "MIDI/BGM4.MID",
    .countsFrames = true,
    .background = {.layers = {Bback3sDraw, Bback1sDraw}, .offRange = 220, .offBase = 200},
    .boss = &Stage5Boss,
    .kinds = Stage5Kinds,
    .families = {Boss5Families, Stage5KindFamilies},
    .homingLasers = true,
};

}  // namespace

void Stage5Scene() { RunStageFrame(Stage5Row); }
