// Stage 7: its kinds and waves, the bullet families it moves and draws, and
// the stage-7 boss's attack list over the shared stage frame.
#include "stages/stage7/stage7_scene.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/diagonal_waves.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/side_waves.h"
#include "enemies/small_kinds.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage2/boss2_families.h"
#include "stages/stage7/boss7_body.h"
#include "stages/stage7/boss7_families.h"
#include "stages/stage7/boss7_patterns.h"
#include "stages/stage7/boss7_streams.h"

namespace {

// B: while GameSubMode is 1, which play never has.
constexpr Gate B = Gate::SubMode1;

// Kind by kind: the Moves and Update every frame, then the kind's waves in
// their strict scroll windows.  Szak10's shot 3 fires every frame.
constexpr ScriptItem Stage7Kinds[] = {
    Every(), Times(3, Szak10Move), Szak10Update, Szak10Shot3Fire,
    Window(100, 200), Szak10Spawn,

    Every(), If(B, Szak9Move), MOVE_UPDATE(Szak9),
    Window(200, 400), Szak9Spawn, Szak9Shot1Fire, Szak9Shot2Fire, Szak9Shot3Fire, Szak9Shot4Fire,
    Window(900, 1200), Szak9Spawn, Szak9Shot1Fire, Szak9Shot2Fire, Szak9Shot3Fire,
    Szak9Shot4Fire,

    Every(), If(B, Szak6AMove), MOVE_UPDATE(Szak6A),
    Window(500, 650), Szak6ASpawn, Szak6AShot1Fire,

    Every(), Times(2, Szak6BMove), Szak6BUpdate,
    Window(600, 750), Szak6BSpawn, Szak6BShot1Fire,

    Every(), Times(2, Szak6CMove), Szak6CUpdate,
    Window(650, 900), Szak6CSpawn, Szak6CShot1Fire,

    Every(), MOVE_UPDATE(Szak52A),
    Window(500, 650), Szak52ASpawn, Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire,
    Szak52AShot7Fire, Szak52AShot8Fire, Szak52AShot2Schedule, Szak52AShot3Schedule,
    Window(920, 1000), Szak52ASpawn, Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire,
    Szak52AShot7Fire, Szak52AShot8Fire, Szak52AShot2Schedule, Szak52AShot3Schedule,

    Every(), MOVE_UPDATE(Szak52B),
    Window(500, 650), Szak52BSpawn, Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire,
    Szak52BShot7Fire, Szak52BShot8Fire, Szak52BShot2Schedule, Szak52BShot3Schedule,
    Window(920, 1000), Szak52BSpawn, Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire,
    Szak52BShot7Fire, Szak52BShot8Fire, Szak52BShot2Schedule, Szak52BShot3Schedule,

    Every(), MOVE_UPDATE(Szak30B),
    Window(50, 100), Szak30BSpawn,
    Window(430, 500), Szak30BSpawn,
    Window(830, 900), Szak30BSpawn,
    Window(920, 1000), Szak30BSpawn,

    Every(), MOVE_UPDATE(Szak31B),
    Window(50, 100), Szak31BSpawn,
    Window(400, 500), Szak31BSpawn,
    Window(850, 900), Szak31BSpawn,
    Window(920, 1000), Szak31BSpawn,

    Every(), MOVE_UPDATE(Szak21A),
    Window(820, 900), Szak21ASpawn, Szak21AShot1Fire,
    Window(1100, 1230), Szak21ASpawn, Szak21AShot1Fire,

    Every(), MOVE_UPDATE(Szak22A),
    Window(820, 900), Szak22ASpawn, Szak22AShot1Fire,
    Window(1100, 1230), Szak22ASpawn, Szak22AShot1Fire,

    // One window tested twice: Szak21C's calls, then Szak22C's.
    Every(), MOVE_UPDATE(Szak21C), MOVE_UPDATE(Szak22C),
    Window(1220, 1310), Szak21CSpawn, Szak21CShot1Fire, Szak21CShot2Fire, Szak21CShot3Fire,
    Szak21CShot4Fire,
    Window(1220, 1310), Szak22CSpawn, Szak22CShot1Fire, Szak22CShot2Fire, Szak22CShot3Fire,
    Szak22CShot4Fire,

    Every(), MOVE_UPDATE(Szak53A), MOVE_UPDATE(Szak53B),
    Window(600, 640), Szak53ASpawn, Szak53BSpawn, Szak53AShot1Schedule, Szak53AShot2Schedule,
    Szak53BShot1Schedule, Szak53BShot2Schedule,
    Window(770, 810), Szak53ASpawn, Szak53BSpawn, Szak53AShot1Schedule, Szak53AShot2Schedule,
    Szak53BShot1Schedule, Szak53BShot2Schedule,

    Every(), MOVE_UPDATE(Szak50B), MOVE_UPDATE(Szak50C),
    Window(250, 300), Szak50BSpawn, Szak50CSpawn,
    Window(660, 700), Szak50BSpawn, Szak50CSpawn,

    Every(), MOVE_UPDATE(Szak54A), MOVE_UPDATE(Szak54B),
    Window(700, 750), Szak54ASpawn, Szak54BSpawn,
};
static_assert(ValidScrollScript(Stage7Kinds));

// The stage-2 boss's pools, parked and empty in this stage.
constexpr ScriptItem Stage7Boss2Pools[] = {
    MOVE_DRAW(Boss2Val20241A), MOVE_DRAW(Boss2Val20241B), MOVE_DRAW(Boss2Val402C),
    MOVE_DRAW(Boss2Val402D),   MOVE_DRAW(Boss2Val20241D), MOVE_DRAW(Boss2Val20241E),
    MOVE_DRAW(Boss2Val402A),   MOVE_DRAW(Boss2Val402B),   MOVE_DRAW(Boss2Val20241C),
    MOVE_DRAW(Boss2Val405E),   MOVE_DRAW(Boss2Val405F),
    MOVE_DRAW(Boss2Val1A),     MOVE_DRAW(Boss2Val1B),     MOVE_DRAW(Boss2Val1C),
    MOVE_DRAW(Boss2Val1D),     MOVE_DRAW(Boss2Val1E),     MOVE_DRAW(Boss2Val1F),
    MOVE_DRAW(Boss2Val1G),     MOVE_DRAW(Boss2Val1H),     MOVE_DRAW(Boss2Val1I),
};
static_assert(ValidScrollScript(Stage7Boss2Pools));

// The stage-7 boss's families, each Move then Draw.
constexpr ScriptItem Stage7BossFamilies[] = {
    MOVE_DRAW(Boss7Valarm31),  MOVE_DRAW(Boss7Valarm32),  MOVE_DRAW(Boss7Valarm33),
    MOVE_DRAW(Boss7Valarm34),
    MOVE_DRAW(Boss7Vall20A),   MOVE_DRAW(Boss7Vall20B),   MOVE_DRAW(Boss7Val20241F),
    MOVE_DRAW(Boss7Val20241G), MOVE_DRAW(Boss7Val20241E),
    MOVE_DRAW(Boss7Val20241C), MOVE_DRAW(Boss7Val20241D), MOVE_DRAW(Boss7Val20241A),
    MOVE_DRAW(Boss7Val405A),   MOVE_DRAW(Boss7Val405B),
    MOVE_DRAW(Boss7Val12A),    MOVE_DRAW(Boss7Val12B),    MOVE_DRAW(Boss7Val12C),
    MOVE_DRAW(Boss7Val12D),    MOVE_DRAW(Boss7Val12E),    MOVE_DRAW(Boss7Val12F),
    MOVE_DRAW(Boss7Val12G),
    MOVE_DRAW(Boss7Val20241H),
    MOVE_DRAW(Boss7Val20wA),   MOVE_DRAW(Boss7Val21wA),   MOVE_DRAW(Boss7Val20wB),
    MOVE_DRAW(Boss7Val21wB),   MOVE_DRAW(Boss7Vall3013A), MOVE_DRAW(Boss7Vall3014A),
    MOVE_DRAW(Boss7Vall3013B), MOVE_DRAW(Boss7Vall3014B), MOVE_DRAW(Boss7Vall3013C),
    MOVE_DRAW(Boss7Vall3014C),
    MOVE_DRAW(Boss7Ray7A),     MOVE_DRAW(Boss7Ray7B),     MOVE_DRAW(Boss7Ray7C),
    MOVE_DRAW(Boss7Ray7D),     MOVE_DRAW(Boss7Ray7E),     MOVE_DRAW(Boss7Ray7F),
    MOVE_DRAW(Boss7Ray7G),     MOVE_DRAW(Boss7Ray7H),
    If(B, Boss7Vall20AMove),   If(B, Boss7Vall20BMove),   If(B, Boss7Val20241FMove),
    If(B, Boss7Val20241GMove), If(B, Boss7Val20241EMove),
};
static_assert(ValidScrollScript(Stage7BossFamilies));

// The kinds' families, each Move then Draw.
constexpr ScriptItem Stage7KindFamilies[] = {
    MOVE_DRAW(Szak9Shot2), MOVE_DRAW(Szak9Shot3), MOVE_DRAW(Szak9Shot4),
    If(B, Szak9Shot2Move), If(B, Szak9Shot3Move), If(B, Szak9Shot4Move),
    If(B, Szak6AShot1Move), MOVE_DRAW(Szak6AShot1),
    If(B, Szak6BShot1Move), MOVE_DRAW(Szak6BShot1),
    MOVE_DRAW(Szak6CShot1),
    MOVE_DRAW(Szak52AShot4), MOVE_DRAW(Szak52AShot5), MOVE_DRAW(Szak52AShot6),
    MOVE_DRAW(Szak52AShot7), MOVE_DRAW(Szak52AShot8), MOVE_DRAW(Szak52AShot1),
    MOVE_DRAW(Szak52AShot2), MOVE_DRAW(Szak52AShot3),
    MOVE_DRAW(Szak52BShot4), MOVE_DRAW(Szak52BShot5), MOVE_DRAW(Szak52BShot6),
    MOVE_DRAW(Szak52BShot7), MOVE_DRAW(Szak52BShot8), MOVE_DRAW(Szak52BShot1),
    MOVE_DRAW(Szak52BShot2), MOVE_DRAW(Szak52BShot3),
    MOVE_DRAW(Szak21AShot2), MOVE_DRAW(Szak21AShot3), MOVE_DRAW(Szak21AShot4),
    MOVE_DRAW(Szak21AShot5), MOVE_DRAW(Szak21AShot6),
    MOVE_DRAW(Szak22AShot2), MOVE_DRAW(Szak22AShot3), MOVE_DRAW(Szak22AShot4),
    MOVE_DRAW(Szak22AShot5), MOVE_DRAW(Szak22AShot6),
    MOVE_DRAW(Szak21CShot1), MOVE_DRAW(Szak21CShot2), MOVE_DRAW(Szak21CShot3),
    MOVE_DRAW(Szak21CShot4),
    MOVE_DRAW(Szak22CShot1), MOVE_DRAW(Szak22CShot2), MOVE_DRAW(Szak22CShot3),
    MOVE_DRAW(Szak22CShot4),
    MOVE_DRAW(Szak30BShot1), MOVE_DRAW(Szak31BShot1),
    MOVE_DRAW(Szak53AShot1), MOVE_DRAW(Szak53AShot2), MOVE_DRAW(Szak53AShot3),
    MOVE_DRAW(Szak53BShot1), MOVE_DRAW(Szak53BShot2), MOVE_DRAW(Szak53BShot3),
    MOVE_DRAW(Szak50BShot3), MOVE_DRAW(Szak50CShot3),
    MOVE_DRAW(Szak54AShot1), MOVE_DRAW(Szak54BShot1),
    MOVE_DRAW(Szak10Shot3), MOVE_DRAW(Szak9Shot1), MOVE_DRAW(Szak21AShot1),
    MOVE_DRAW(Szak22AShot1),
    MOVE_DRAW(Szak50BShot1), MOVE_DRAW(Szak50BShot2), MOVE_DRAW(Szak50CShot1),
    MOVE_DRAW(Szak50CShot2),
};
static_assert(ValidScrollScript(Stage7KindFamilies));

// The curving streams, all eight Schedules in member order.
#define STAGE7_RAY_SCHEDULES                                                           \
  Boss7Ray7ASchedule, Boss7Ray7BSchedule, Boss7Ray7CSchedule, Boss7Ray7DSchedule,      \
      Boss7Ray7ESchedule, Boss7Ray7FSchedule, Boss7Ray7GSchedule, Boss7Ray7HSchedule

// The boss's attack list on its tick (bounds inclusive, first tested tick
// 1), in the order the frame tests it.  Rows of two families in identical
// windows test the window once per family.  Tick 700 lies in two windows of
// Val20241F and Val20241G, so each is scheduled twice on that frame.
constexpr Gate L1 = Gate::Level1;
constexpr Gate L23 = Gate::Level2Or3;
constexpr ScriptItem Stage7Attack[] = {
    Ticks(5, 500), Boss7Vall3013ASchedule, Boss7Vall3014ASchedule,
    Ticks(1500, 2500, L1), Boss7Val20wASchedule, Boss7Val21wASchedule,
    Ticks(1500, 2500, L1), Boss7Val20wBSchedule, Boss7Val21wBSchedule,
    Ticks(2000, 2500, L1), Boss7Vall3013ASchedule, Boss7Vall3014ASchedule,
    Ticks(2000, 2500, L1), Boss7Vall3013BSchedule, Boss7Vall3014BSchedule,
    Ticks(2350, 2800, L1), STAGE7_RAY_SCHEDULES,
    Ticks(2510, 3000, L1), Boss7Vall3013CSchedule, Boss7Vall3014CSchedule,
    Ticks(1900, 3300, L23), Boss7Val20wASchedule, Boss7Val21wASchedule,
    Ticks(1900, 3300, L23), Boss7Val20wBSchedule, Boss7Val21wBSchedule,
    Ticks(2400, 3300, L23), Boss7Vall3013ASchedule, Boss7Vall3014ASchedule,
    Ticks(2400, 3300, L23), Boss7Vall3013BSchedule, Boss7Vall3014BSchedule,
    Ticks(3310, 4000, L23), Boss7Vall3013CSchedule, Boss7Vall3014CSchedule,
    Ticks(3800, 4390, L23), STAGE7_RAY_SCHEDULES,
    Ticks(0, 400), STAGE7_RAY_SCHEDULES,
    Ticks(50, 100), Boss7Val20241FSchedule, Ticks(50, 100), Boss7Val20241GSchedule,
    Ticks(100, 400), Boss7Vall20ASchedule, Ticks(100, 400), Boss7Vall20BSchedule,
    Ticks(150, 400), Boss7Val20241FSchedule, Ticks(150, 400), Boss7Val20241GSchedule,
    Ticks(400, 600), Boss7Val20241CSchedule,
    Ticks(450, 500), Boss7Val20241ESchedule,
    Ticks(500, 700), Boss7Val20241FSchedule, Ticks(500, 700), Boss7Val20241GSchedule,
    Ticks(480, 580), Boss7Val405ASchedule, Boss7Val405BSchedule,
    Ticks(700, 1000), Boss7Val20241FSchedule, Ticks(700, 1000), Boss7Val20241GSchedule,
    Ticks(880, 1080), Boss7Val20241HSchedule,
    Ticks(680, 980, L23), Boss7Valarm31Schedule, Boss7Valarm32Schedule,
    Ticks(750, 1100), Boss7Vall20ASchedule, Ticks(750, 1100), Boss7Vall20BSchedule,
    Ticks(1100, 1500, L23), Boss7Valarm31Schedule, Boss7Valarm32Schedule,
    Ticks(1270, 1400), Boss7Vall20ASchedule, Ticks(1270, 1400), Boss7Vall20BSchedule,
    Ticks(1300, 1400), Boss7Val20241FSchedule, Ticks(1300, 1400), Boss7Val20241GSchedule,
    Ticks(1340, 1500), Boss7Val20241ASchedule,
    Ticks(1800, 2100), Boss7Val20241CSchedule,
    Ticks(2100, 2400), Boss7Val20241DSchedule,
    Ticks(1500, 1960, L23), Boss7Valarm33Schedule, Boss7Valarm34Schedule,
    Ticks(1750, 1900, L23), Boss7Valarm31Schedule, Boss7Valarm32Schedule,
};
static_assert(ValidAttackScript(Stage7Attack));
#undef STAGE7_RAY_SCHEDULES

}  // namespace

// Level 1 sets the tick back at 3000, levels 2 and 3 at 4390; level 0 (no
// game) never.
constexpr BossRow Stage7Boss{
    .state = &Boss7State,
    .move = Boss7Move,
    .draw = Boss7Draw,
    .defeat = Boss7Defeat,
    .windowLo = 1260.0f,
    .windowHi = 11100.0f,
    .attackBelow = 1480.0f,
    .cycle = {NoSetBack, 3000, 4390, 4390},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Stage7Attack,
};

namespace {

constexpr StageRow Stage7Row{
    .scene = SceneStage7,
    .scrollRate = 20.0f,
    .music = "MIDI/BGM5.MID",
    .countsFrames = true,
    .continueBombs = 3,
    .background = {.layers = {Bback6sDraw}, .offRange = 200, .offBase = 200},
    .boss = &Stage7Boss,
    .kinds = Stage7Kinds,
    .families = {Stage7Boss2Pools, Stage7BossFamilies, Stage7KindFamilies},
};

}  // namespace

void Stage7Scene() { RunStageFrame(Stage7Row); }
