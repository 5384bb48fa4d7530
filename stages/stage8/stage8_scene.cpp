// Stage 8: its row over the shared stage frame (no music, no frame count, no
// sight), the boss's bullet families ahead of the kinds, its kinds and
// waves, the kinds' guns and its boss block.
#include "stages/stage8/stage8_scene.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/large_kinds.h"
#include "enemies/small_kinds.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage7/boss7_patterns.h"
#include "stages/stage8/boss8_body.h"
#include "stages/stage8/boss8_families.h"

namespace {

// The gates of the script: B while GameSubMode is 1, M while GameMode is 2
// (neither holds in play).
constexpr Gate B = Gate::SubMode1;
constexpr Gate M = Gate::Mode2;

// Right after the player's shots, before the kinds: Move then Draw of each
// of the boss's bullet families.
constexpr ScriptItem Boss8Families[] = {
    MOVE_DRAW(Boss8Val402C), MOVE_DRAW(Boss8Val402D), MOVE_DRAW(Boss8Val402A),
    MOVE_DRAW(Boss8Val402B), MOVE_DRAW(Boss8Vall20), MOVE_DRAW(Boss7Val20241H),
    MOVE_DRAW(Boss8Val1A), MOVE_DRAW(Boss8Val1B), MOVE_DRAW(Boss8Val1C),
    MOVE_DRAW(Boss8Val1D), MOVE_DRAW(Boss8Val1E), MOVE_DRAW(Boss8Val1F),
    MOVE_DRAW(Boss8Val1G), MOVE_DRAW(Boss8Val1H), MOVE_DRAW(Boss8Val1I),
};
static_assert(ValidScrollScript(Boss8Families));

// Kind by kind: Move and Update every frame, then the kind's waves in their
// strict scroll windows.
constexpr ScriptItem Stage8Kinds[] = {
    Every(), Times(2, Szak9Move), Szak9Update,
    Window(220, 400), Szak9Spawn, Szak9Shot2Fire, Szak9Shot3Fire, Szak9Shot4Fire,

    Every(), Times(2, Szak12Move), Szak12Update,
    Window(400, 550), Szak12Spawn, Szak12Shot1Fire, Szak12Shot2Fire, Szak12Shot3Fire,
    Szak12Shot4Fire, Szak12Shot5Fire,

    Every(), MOVE_UPDATE(Szak52A),
    Window(800, 900), Szak52ASpawn,
    Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire, Szak52AShot7Fire, Szak52AShot8Fire,
    Window(1120, 1170), Szak52ASpawn,
    Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire, Szak52AShot7Fire, Szak52AShot8Fire,
    Window(1480, 1550), Szak52ASpawn,
    Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire, Szak52AShot7Fire, Szak52AShot8Fire,

    Every(), MOVE_UPDATE(Szak52B),
    Window(800, 900), Szak52BSpawn,
    Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire, Szak52BShot7Fire, Szak52BShot8Fire,
    Window(1120, 1170), Szak52BSpawn,
    Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire, Szak52BShot7Fire, Szak52BShot8Fire,
    Window(1480, 1550), Szak52BSpawn,
    Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire, Szak52BShot7Fire, Szak52BShot8Fire,

    Every(), MOVE_UPDATE(Szak21A),
    Window(700, 800), Szak21ASpawn, Szak21AShot2Fire,
    Window(1550, 1650), Szak21ASpawn, Szak21AShot2Fire,

    Every(), MOVE_UPDATE(Szak22A),
    Window(700, 800), Szak22ASpawn, Szak22AShot2Fire,
    Window(1550, 1650), Szak22ASpawn, Szak22AShot2Fire,

    Every(), MOVE_UPDATE(Szak51),
    Window(400, 770), Szak51Spawn, Szak51Shot6Schedule,
    If(B, Szak51Shot7Schedule), If(B, Szak51Shot8Schedule),

    Every(), MOVE_UPDATE(Szak53A), MOVE_UPDATE(Szak53B),
    Window(600, 690), Szak53ASpawn, Szak53BSpawn,
    Window(770, 790), Szak53ASpawn, Szak53BSpawn,
    Window(1000, 1050), Szak53ASpawn, Szak53BSpawn,
    Window(1200, 1250), Szak53ASpawn, Szak53BSpawn,
    Window(1350, 1400), Szak53ASpawn, Szak53BSpawn,

    Every(), MOVE_UPDATE(Szak50B), MOVE_UPDATE(Szak50C),
    Window(250, 300), Szak50BSpawn, Szak50CSpawn,
    Window(700, 750), Szak50BSpawn, Szak50CSpawn,
    Window(1250, 1300), Szak50BSpawn, Szak50CSpawn,

    // A further spawn whose bounds no scroll position satisfies, kept where
    // it stands, ahead of the three windows of the kind (tested in this
    // order).
    Every(), MOVE_UPDATE(Szak54A), MOVE_UPDATE(Szak54B),
    Never(600, 400), Szak54ASpawn, Szak54BSpawn,
    Window(1300, 1350), Szak54ASpawn, Szak54BSpawn,
    Window(1070, 1120), Szak54ASpawn, Szak54BSpawn,
    Window(1400, 1480), Szak54ASpawn, Szak54BSpawn,
};
static_assert(ValidScrollScript(Stage8Kinds));

// After the ship: Move then Draw of the kinds' guns, with second Moves
// under M and B.
constexpr ScriptItem Stage8KindFamilies[] = {
    MOVE_DRAW(Szak9Shot2), MOVE_DRAW(Szak9Shot3), MOVE_DRAW(Szak9Shot4),
    Every(M),
    Szak9Shot2Move, Szak9Shot3Move, Szak9Shot4Move,
    Every(),
    MOVE_DRAW(Szak12Shot1), MOVE_DRAW(Szak12Shot2), MOVE_DRAW(Szak12Shot3),
    MOVE_DRAW(Szak12Shot4), MOVE_DRAW(Szak12Shot5),
    Every(B),
    Szak12Shot1Move, Szak12Shot2Move, Szak12Shot3Move, Szak12Shot4Move, Szak12Shot5Move,
    Every(),
    MOVE_DRAW(Szak52AShot4), MOVE_DRAW(Szak52AShot5), MOVE_DRAW(Szak52AShot6),
    MOVE_DRAW(Szak52AShot7), MOVE_DRAW(Szak52AShot8),
    MOVE_DRAW(Szak52BShot4), MOVE_DRAW(Szak52BShot5), MOVE_DRAW(Szak52BShot6),
    MOVE_DRAW(Szak52BShot7), MOVE_DRAW(Szak52BShot8),
    MOVE_DRAW(Szak21AShot2), MOVE_DRAW(Szak21AShot3), MOVE_DRAW(Szak21AShot4),
    MOVE_DRAW(Szak21AShot5), MOVE_DRAW(Szak21AShot6),
    MOVE_DRAW(Szak22AShot2), MOVE_DRAW(Szak22AShot3), MOVE_DRAW(Szak22AShot4),
    MOVE_DRAW(Szak22AShot5), MOVE_DRAW(Szak22AShot6),
    MOVE_DRAW(Szak53AShot3), MOVE_DRAW(Szak53BShot3),
    MOVE_DRAW(Szak50BShot3), MOVE_DRAW(Szak50CShot3),
    MOVE_DRAW(Szak54AShot1), MOVE_DRAW(Szak54BShot1),
    Every(B),
    MOVE_DRAW(Szak51Shot7), MOVE_DRAW(Szak51Shot8),
    Every(),
    MOVE_DRAW(Szak51Shot6),
};
static_assert(ValidScrollScript(Stage8KindFamilies));

// The attack list on the tick (inclusive windows), one cycle of 1220 ticks
// at every level.  Where a row names two families, each is tested in its
// own identical window.  Rows 7 and 8 meet at tick 800, rows 1 and 2 at
// tick 80, rows 5, 6 and 7 at tick 460.
constexpr ScriptItem Boss8Attack[] = {
    Ticks(20, 80), Boss8Val402CSchedule,
    Ticks(20, 80), Boss8Val402DSchedule,
    Ticks(80, 160), Boss8Val402ASchedule,
    Ticks(80, 160), Boss8Val402BSchedule,
    Ticks(160, 260), Boss8Vall20Schedule,
    Ticks(260, 360), Boss7Val20241HSchedule,
    Ticks(360, 460), Boss8Vall20Schedule,
    Ticks(390, 460),
    Boss8Val1AFire, Boss8Val1BFire, Boss8Val1CFire, Boss8Val1DFire, Boss8Val1EFire,
    Boss8Val1FFire, Boss8Val1GFire, Boss8Val1HFire, Boss8Val1IFire,
    Ticks(460, 800), Boss7Val20241HSchedule, Boss8Val402CSchedule, Boss8Val402DSchedule,
    Ticks(800, 1220), Boss8Val402CSchedule, Boss8Val402DSchedule, Boss8Val402ASchedule,
    Boss8Val402BSchedule,
    Ticks(1000, 1050), Boss7Val20241HSchedule,
    Ticks(1140, 1200),
    Boss8Val1AFire, Boss8Val1BFire, Boss8Val1CFire, Boss8Val1DFire, Boss8Val1EFire,
    Boss8Val1FFire, Boss8Val1GFire, Boss8Val1HFire, Boss8Val1IFire,
};
static_assert(ValidAttackScript(Boss8Attack));

}  // namespace

constexpr BossRow Stage8Boss{
    .state = &Boss8State,
    .move = Boss8Move,
    .draw = Boss8Draw,
    .defeat = Boss8Defeat,
    .windowLo = 1800.0f,
    .windowHi = 11100.0f,
    .attackBelow = 1200.0f,
    .cycle = {1220, 1220, 1220, 1220},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Boss8Attack,
};

namespace {

constexpr StageRow Stage8Row{
    .scene = SceneStage8,
    .scrollRate = 20.0f,
    .background = {.layers = {Background38Draw}, .offRange = 300, .offBase = 300},
    .boss = &Stage8Boss,
    .afterShots = Boss8Families,
    .kinds = Stage8Kinds,
    .families = {Stage8KindFamilies},
    .placesSight = false,
};

}  // namespace

void Stage8Scene() { RunStageFrame(Stage8Row); }
