// Stage 6: its row over the shared stage frame, its kinds and waves, its
// bullet families and its boss block.  The stage starts its music on entry
// and keeps no frame count.
#include "stages/stage6/stage6_scene.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_gunships.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "enemies/top_bottom_waves.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage6/boss6_body.h"
#include "stages/stage6/boss6_bolts.h"
#include "stages/stage6/boss6_families.h"

namespace {

// The gates of the script: A while GameMode is 2 or GameSubMode is 1, B
// while GameSubMode is 1 (neither holds in play), N1 while GameMode is not 1
// (never in play), notB while GameSubMode is not 1.
constexpr Gate A = Gate::Mode2OrSubMode1;
constexpr Gate B = Gate::SubMode1;
constexpr Gate N1 = Gate::ModeNot1;
constexpr Gate NotB = Gate::SubModeNot1;

// The gunships' calls in a window, Szak6D's before Szak6E's (Szak13A's
// before Szak13B's); shots 4 (and some 5 and 6) only under B.
#define SZAK6D_6E_WINDOW_CALLS                                                              \
  Szak6DSpawn, Szak6DShot1Fire, If(B, Szak6DShot4Fire), If(B, Szak6DShot5Fire),             \
      Szak6DShot6Fire, Szak6ESpawn, Szak6EShot1Fire, If(B, Szak6EShot4Fire), Szak6EShot5Fire, \
      If(B, Szak6EShot6Fire)
#define SZAK13_WINDOW_CALLS                                                           \
  Szak13ASpawn, Szak13AShot1Fire, If(B, Szak13AShot4Fire), If(B, Szak13AShot5Fire),   \
      Szak13AShot6Fire, Szak13BSpawn, Szak13BShot1Fire, If(B, Szak13BShot4Fire),      \
      Szak13BShot5Fire, If(B, Szak13BShot6Fire)

// The first group's Moves and Updates every frame, then all of its waves in
// their strict scroll windows (Szak31B twice a frame in 200 .. 250, Szak6C
// three moves a frame in its windows); then the gunships and the large
// kinds, each with its Move, Update and windows.
constexpr ScriptItem Stage6Kinds[] = {
    Every(),
    MOVE_UPDATE(Szak3), MOVE_UPDATE(Szak4), Times(2, Szak10Move), Szak10Update,
    MOVE_UPDATE(Szak21B), MOVE_UPDATE(Szak22B), MOVE_UPDATE(Szak40A), MOVE_UPDATE(Szak41A),
    MOVE_UPDATE(Szak1A), MOVE_UPDATE(Szak1B), MOVE_UPDATE(Szak30B), MOVE_UPDATE(Szak31B),
    MOVE_UPDATE(Szak6A), MOVE_UPDATE(Szak6B), MOVE_UPDATE(Szak6C), MOVE_UPDATE(Szak53A),
    MOVE_UPDATE(Szak53B), MOVE_UPDATE(Szak21C), MOVE_UPDATE(Szak22C),
    Window(160, 200), Szak30BSpawn,
    Window(200, 250), Szak31BSpawn,
    Window(250, 300), Szak10Spawn,
    Window(200, 250), Szak30BSpawn,
    Window(200, 250), Szak31BSpawn,
    Window(300, 350), Szak21BSpawn,
    Window(300, 350), Szak22BSpawn,
    Window(350, 450), Szak40ASpawn,
    Window(450, 500), Szak41ASpawn,
    Window(500, 700), Szak6ASpawn, Szak6AShot1Fire,
    Window(600, 800), Szak6BSpawn, Szak6BShot1Fire,
    Window(800, 900), Times(2, Szak6CMove), Szak6CSpawn, Szak6CShot1Fire,
    Window(750, 850), Szak40ASpawn,
    Window(750, 850), Szak41ASpawn,
    Window(850, 950), Szak30BSpawn,
    Window(850, 950), Szak31BSpawn,
    Window(900, 980), Times(2, Szak6CMove), Szak6CSpawn, Szak6CShot1Fire,
    Window(950, 1050), Szak21BSpawn,
    Window(950, 1050), Szak22BSpawn,
    Window(1050, 1200), Szak21CSpawn, Szak21CShot1Fire, Szak21CShot2Fire, Szak21CShot3Fire,
    Szak21CShot4Fire,
    Window(1050, 1200), Szak22CSpawn, Szak22CShot1Fire, Szak22CShot2Fire, Szak22CShot3Fire,
    Szak22CShot4Fire,

    // In 600 .. 680 the Szak6D gunships fire no shot 1.
    Every(), MOVE_UPDATE(Szak6D), MOVE_UPDATE(Szak6E),
    Window(600, 680),
    Szak6DSpawn, If(B, Szak6DShot4Fire), If(B, Szak6DShot5Fire), Szak6DShot6Fire,
    Szak6ESpawn, If(B, Szak6EShot4Fire), Szak6EShot5Fire, If(B, Szak6EShot6Fire),
    Window(800, 900), SZAK6D_6E_WINDOW_CALLS,
    Window(1000, 1100), SZAK6D_6E_WINDOW_CALLS,

    Every(), MOVE_UPDATE(Szak13A), MOVE_UPDATE(Szak13B),
    Window(560, 600), SZAK13_WINDOW_CALLS,
    Window(800, 900), SZAK13_WINDOW_CALLS,
    Window(1000, 1200), SZAK13_WINDOW_CALLS,

    // Szak52C fires nothing in play here.
    Every(), MOVE_UPDATE(Szak52C),
    Window(520, 950), Szak52CSpawn, If(B, Szak52CShot3Schedule), If(A, Szak52CShot1Schedule),
    If(B, Szak52CShot2Schedule), If(B, Szak52CShot4Schedule),

    Every(), MOVE_UPDATE(Szak51),
    Window(600, 980), Szak51Spawn, Szak51Shot1Schedule, Szak51Shot2Schedule,
    Szak51Shot3Schedule, If(B, Szak51Shot6Schedule), Szak51Shot4Schedule,
    If(B, Szak51Shot5Schedule), If(B, Szak51Shot7Schedule), If(B, Szak51Shot8Schedule),
};
static_assert(ValidScrollScript(Stage6Kinds));

#undef SZAK6D_6E_WINDOW_CALLS
#undef SZAK13_WINDOW_CALLS

// After the ship: Move then Draw of each of the boss's families.
constexpr ScriptItem Boss6Families[] = {
    MOVE_DRAW(Boss6Val401C), MOVE_DRAW(Boss6Val401D), MOVE_DRAW(Boss6Val401A),
    MOVE_DRAW(Boss6Val401B), MOVE_DRAW(Boss6Val20241B), MOVE_DRAW(Boss6Val20241C),
    MOVE_DRAW(Boss6Val20241A),
    MOVE_DRAW(Boss6BoltA), MOVE_DRAW(Boss6BoltB), MOVE_DRAW(Boss6BoltC),
    MOVE_DRAW(Boss6BoltD), MOVE_DRAW(Boss6BoltE), MOVE_DRAW(Boss6BoltF),
    MOVE_DRAW(Boss6Val20241D),
    MOVE_DRAW(Boss6Val1A), MOVE_DRAW(Boss6Val1B), MOVE_DRAW(Boss6Val1C),
    MOVE_DRAW(Boss6Val1D), MOVE_DRAW(Boss6Val1E), MOVE_DRAW(Boss6Val1F),
    MOVE_DRAW(Boss6Val1G), MOVE_DRAW(Boss6Val1H), MOVE_DRAW(Boss6Val1I),
    MOVE_DRAW(Boss6Val405A), MOVE_DRAW(Boss6Val405B),
};
static_assert(ValidScrollScript(Boss6Families));

// Last, the kinds' guns.  Shot 1 of Szak13A and Szak13B, fired in every
// Szak13 window, flies every frame after the gunships' shot 6 (as shot 1
// of Szak6D and Szak6E does); Szak53A/B's shot 3 moves twice a frame.
constexpr ScriptItem Stage6KindFamilies[] = {
    MOVE_DRAW(Szak1AShot1), MOVE_DRAW(Szak1BShot1), MOVE_DRAW(Szak6AShot1),
    MOVE_DRAW(Szak6BShot1), MOVE_DRAW(Szak6CShot1),
    MOVE_DRAW(Szak6DShot4), MOVE_DRAW(Szak6DShot5), MOVE_DRAW(Szak6DShot6), MOVE_DRAW(Szak6DShot1),
    MOVE_DRAW(Szak6EShot4), MOVE_DRAW(Szak6EShot5), MOVE_DRAW(Szak6EShot6), MOVE_DRAW(Szak6EShot1),
    MOVE_DRAW(Szak13AShot4), MOVE_DRAW(Szak13AShot5), MOVE_DRAW(Szak13AShot6),
    MOVE_DRAW(Szak13AShot1),
    MOVE_DRAW(Szak13BShot4), MOVE_DRAW(Szak13BShot5), MOVE_DRAW(Szak13BShot6),
    MOVE_DRAW(Szak13BShot1),
    MOVE_DRAW(Szak30BShot1), MOVE_DRAW(Szak31BShot1),
    MOVE_DRAW(Szak40AShot1), MOVE_DRAW(Szak40AShot2), MOVE_DRAW(Szak41AShot1),
    MOVE_DRAW(Szak41AShot2),
    MOVE_DRAW(Szak21CShot1), MOVE_DRAW(Szak21CShot2), MOVE_DRAW(Szak21CShot3),
    MOVE_DRAW(Szak21CShot4),
    MOVE_DRAW(Szak22CShot1), MOVE_DRAW(Szak22CShot2), MOVE_DRAW(Szak22CShot3),
    MOVE_DRAW(Szak22CShot4),
    MOVE_DRAW(Szak52CShot3), MOVE_DRAW(Szak53AShot3), MOVE_DRAW(Szak53BShot3),
    MOVE_DRAW(Szak51Shot1), MOVE_DRAW(Szak51Shot2), MOVE_DRAW(Szak51Shot3),
    Every(B), MOVE_DRAW(Szak51Shot6), Szak53AShot3Move, Szak53BShot3Move,
    Every(N1), Szak1AShot1Move, Szak1BShot1Move, Szak6AShot1Move,
    Every(),
    MOVE_DRAW(Szak53AShot3), MOVE_DRAW(Szak53BShot3), MOVE_DRAW(Szak54AShot1),
    MOVE_DRAW(Szak54BShot1), MOVE_DRAW(Szak30AShot1), MOVE_DRAW(Szak30AShot2),
    MOVE_DRAW(Szak31AShot1), MOVE_DRAW(Szak31AShot2), MOVE_DRAW(Szak32AShot1),
    MOVE_DRAW(Szak32AShot2), MOVE_DRAW(Szak33AShot1), MOVE_DRAW(Szak33AShot2),
    Every(B), MOVE_DRAW(Szak51Shot7), MOVE_DRAW(Szak51Shot8),
    Every(NotB), MOVE_DRAW(Szak51Shot6), MOVE_DRAW(Szak51Shot4), MOVE_DRAW(Szak51Shot5),
    Every(), MOVE_DRAW(Szak52CShot1), MOVE_DRAW(Szak52CShot2), MOVE_DRAW(Szak60Shot1),
};
static_assert(ValidScrollScript(Stage6KindFamilies));

// The attack list on the tick, every window inclusive, no level gates;
// calls that the list tests one by one keep a header each.
constexpr ScriptItem Boss6Attack[] = {
    Ticks(30, 100), Boss6BoltAFire, Boss6BoltBFire,
    Ticks(100, 150), Boss6Val20241ASchedule,
    Ticks(0, 170), Boss6Val405ASchedule, Boss6Val405BSchedule,
    Ticks(200, 300), Boss6BoltAFire, Boss6BoltBFire,
    Ticks(220, 320), Boss6BoltCFire, Boss6BoltDFire,
    Ticks(240, 340), Boss6BoltEFire, Boss6BoltFFire,
    Ticks(360, 500), Boss6BoltAFire, Boss6BoltBFire,
    Ticks(370, 510), Boss6BoltCFire, Boss6BoltDFire,
    Ticks(380, 520), Boss6BoltEFire, Boss6BoltFFire,
    Ticks(450, 600), Boss6Val20241DSchedule,
    Ticks(400, 600), Boss6Val20241BSchedule,
    Ticks(400, 600), Boss6Val20241CSchedule,
    Ticks(600, 950), Boss6Val405ASchedule, Boss6Val405BSchedule,
    Ticks(650, 900), Boss6Val401CSchedule,
    Ticks(650, 900), Boss6Val401DSchedule,
    Ticks(700, 900), Boss6Val20241ASchedule,
    Ticks(800, 950), Boss6Val401ASchedule,
    Ticks(800, 950), Boss6Val401BSchedule,
    Ticks(900, 1300), Boss6BoltAFire, Boss6BoltBFire,
    Ticks(910, 1310), Boss6BoltCFire, Boss6BoltDFire,
    Ticks(920, 1320), Boss6BoltEFire, Boss6BoltFFire,
    Ticks(950, 1500), Boss6Val401CSchedule,
    Ticks(950, 1500), Boss6Val401DSchedule,
    Ticks(1100, 1500), Boss6Val401ASchedule,
    Ticks(1100, 1500), Boss6Val401BSchedule,
    Ticks(1450, 1550), Boss6Val405ASchedule, Boss6Val405BSchedule,
    Ticks(1150, 1600), Boss6Val20241DSchedule,
};
static_assert(ValidAttackScript(Boss6Attack));

}  // namespace

constexpr BossRow Stage6Boss{
    .state = &Boss6State,
    .move = Boss6Move,
    .draw = Boss6Draw,
    .defeat = Boss6Defeat,
    .windowLo = 1250.0f,
    .windowHi = 11100.0f,
    .attackBelow = 1380.0f,
    .cycle = {1610, 1610, 1610, 1610},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Boss6Attack,
};

namespace {

constexpr StageRow Stage6Row{
    .scene = SceneStage6,
    .scrollRate = 13.0f,
    .music = "MIDI/QZ5.MID",
    .musicOnEntry = true,
    .background = {.layers = {Background6Draw}, .offRange = 180, .offBase = 180},
    .boss = &Stage6Boss,
    .kinds = Stage6Kinds,
    .families = {Boss6Families, Stage6KindFamilies},
};

}  // namespace

void Stage6Scene() { RunStageFrame(Stage6Row); }
