// Stage 4: its row over the shared stage frame, its kinds and waves, its
// bullet families in their three places of the frame, and its boss block.
#include "stages/stage4/stage4_scene.h"

#include "enemies/diagonal_kinds.h"
#include "enemies/large_kinds.h"
#include "enemies/rotating_kinds.h"
#include "enemies/rotating_waves.h"
#include "enemies/side_gunships.h"
#include "enemies/small_kinds.h"
#include "enemies/top_bottom_waves.h"
#include "shell/background.h"
#include "shell/scene.h"
#include "shell/scenes.h"
#include "stages/stage4/boss4_body.h"
#include "stages/stage4/boss4_families.h"
#include "stages/stage4/boss4_streams.h"

namespace {

// The gates of the script: A while GameMode is 2 or GameSubMode is 1, B
// while GameSubMode is 1 (neither holds in play), P while GameMode is 1.
constexpr Gate A = Gate::Mode2OrSubMode1;
constexpr Gate B = Gate::SubMode1;
constexpr Gate P = Gate::Mode1;

// Kind by kind: Move and Update every frame, then the kind's waves in their
// strict scroll windows.
constexpr ScriptItem Stage4Kinds[] = {
    Every(), MOVE_UPDATE(Szak1A), MOVE_UPDATE(Szak1B),
    Window(130, 200), Szak1ASpawn, Szak1AShot1Fire, Szak1BSpawn, Szak1BShot1Fire,
    Window(1000, 1100), Szak1ASpawn, Szak1AShot1Fire, Szak1BSpawn, Szak1BShot1Fire,

    Every(), MOVE_UPDATE(Szak30A),
    Window(50, 100), Szak30ASpawn,
    Window(500, 550), Szak30ASpawn,
    Window(1300, 1350), Szak30ASpawn,

    Every(), MOVE_UPDATE(Szak31A),
    Window(150, 200), Szak31ASpawn,
    Window(500, 550), Szak31ASpawn,
    Window(1300, 1350), Szak31ASpawn,

    Every(), MOVE_UPDATE(Szak32A),
    Window(150, 200), Szak32ASpawn,
    Window(1300, 1350), Szak32ASpawn,

    Every(), MOVE_UPDATE(Szak33A),
    Window(50, 100), Szak33ASpawn,
    Window(1300, 1350), Szak33ASpawn,

    // The gunships: Szak6D's calls, then Szak6E's, in one test of each
    // window; their shots 2 and 3 have sub-windows of their own.
    Every(), MOVE_UPDATE(Szak6D), If(B, Szak6DMove), MOVE_UPDATE(Szak6E), If(B, Szak6EMove),
    Window(360, 500),
    Szak6DSpawn, Szak6DShot1Fire,
    IfIn(A, 360, 410, Szak6DShot2Fire), IfIn(A, 360, 410, Szak6DShot3Fire),
    IfIn(A, 450, 500, Szak6DShot2Fire), IfIn(A, 450, 500, Szak6DShot3Fire),
    If(P, Szak6DShot4Fire), If(B, Szak6DShot5Fire), If(B, Szak6DShot6Fire),
    Szak6ESpawn, Szak6EShot1Fire,
    IfIn(A, 360, 410, Szak6EShot2Fire), IfIn(A, 360, 410, Szak6EShot3Fire),
    IfIn(A, 450, 500, Szak6EShot2Fire), IfIn(A, 450, 500, Szak6EShot3Fire),
    If(P, Szak6EShot4Fire), If(B, Szak6EShot5Fire), If(B, Szak6EShot6Fire),
    Window(900, 1000),
    Szak6DSpawn, Szak6DShot1Fire,
    IfIn(A, 900, 950, Szak6DShot2Fire), IfIn(A, 900, 950, Szak6DShot3Fire),
    If(P, Szak6DShot4Fire), If(B, Szak6DShot5Fire), If(B, Szak6DShot6Fire),
    Szak6ESpawn, Szak6EShot1Fire,
    IfIn(A, 900, 950, Szak6EShot2Fire), IfIn(A, 900, 950, Szak6EShot3Fire),
    If(P, Szak6EShot4Fire), Szak6EShot5Fire, If(B, Szak6EShot6Fire),
    // The sub-window of shots 2 and 3 lies outside this window.
    Window(1220, 1400),
    Szak6DSpawn, Szak6DShot1Fire,
    IfIn(A, 900, 950, Szak6DShot2Fire), IfIn(A, 900, 950, Szak6DShot3Fire),
    If(P, Szak6DShot4Fire), If(B, Szak6DShot5Fire), If(B, Szak6DShot6Fire),
    Szak6ESpawn, Szak6EShot1Fire,
    IfIn(A, 900, 950, Szak6EShot2Fire), IfIn(A, 900, 950, Szak6EShot3Fire),
    If(P, Szak6EShot4Fire), Szak6EShot5Fire, If(B, Szak6EShot6Fire),

    Every(), MOVE_UPDATE(Szak13A), If(B, Szak13AMove), MOVE_UPDATE(Szak13B), If(B, Szak13BMove),
    Window(360, 400),
    Szak13ASpawn, Szak13AShot1Fire,
    IfIn(A, 360, 400, Szak13AShot2Fire), IfIn(A, 360, 400, Szak13AShot3Fire),
    If(P, Szak13AShot4Fire), Szak13AShot5Fire, Szak13AShot6Fire,
    Szak13BSpawn, Szak13BShot1Fire,
    IfIn(A, 360, 400, Szak13BShot2Fire), IfIn(A, 360, 400, Szak13BShot3Fire),
    If(P, Szak13BShot4Fire), Szak13BShot5Fire, Szak13BShot6Fire,
    Window(900, 1000),
    Szak13ASpawn, Szak13AShot1Fire,
    IfIn(A, 950, 1000, Szak13AShot2Fire), IfIn(A, 950, 1000, Szak13AShot3Fire),
    If(P, Szak13AShot4Fire), Szak13AShot5Fire, Szak13AShot6Fire,
    Szak13BSpawn, Szak13BShot1Fire,
    IfIn(A, 950, 1000, Szak13BShot2Fire), IfIn(A, 950, 1000, Szak13BShot3Fire),
    If(P, Szak13BShot4Fire), Szak13BShot5Fire, Szak13BShot6Fire,
    // The sub-window of shots 2 and 3 lies outside this window.
    Window(1300, 1450),
    Szak13ASpawn, Szak13AShot1Fire,
    IfIn(A, 950, 1000, Szak13AShot2Fire), IfIn(A, 950, 1000, Szak13AShot3Fire),
    If(P, Szak13AShot4Fire), Szak13AShot5Fire, Szak13AShot6Fire,
    Szak13BSpawn, Szak13BShot1Fire,
    IfIn(A, 950, 1000, Szak13BShot2Fire), IfIn(A, 950, 1000, Szak13BShot3Fire),
    If(P, Szak13BShot4Fire), Szak13BShot5Fire, Szak13BShot6Fire,

    Every(), MOVE_UPDATE(Szak12),
    Window(550, 800), Szak12Spawn, Szak12Shot1Fire, Szak12Shot2Fire, Szak12Shot3Fire,
    If(A, Szak12Shot4Fire), If(A, Szak12Shot5Fire), If(A, Szak12Shot6Fire),
    If(B, Szak12Shot7Fire), If(B, Szak12Shot8Fire),

    Every(), MOVE_UPDATE(Szak52A),
    Window(550, 590), Szak52ASpawn,
    Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire, Szak52AShot7Fire, Szak52AShot8Fire,
    Szak52AShot1Schedule, Szak52AShot2Schedule, Szak52AShot3Schedule,
    Window(1100, 1200), Szak52ASpawn,
    Szak52AShot4Fire, Szak52AShot5Fire, Szak52AShot6Fire, Szak52AShot7Fire, Szak52AShot8Fire,
    Szak52AShot1Schedule, Szak52AShot2Schedule, Szak52AShot3Schedule,

    Every(), MOVE_UPDATE(Szak52B),
    Window(550, 590), Szak52BSpawn,
    Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire, Szak52BShot7Fire, Szak52BShot8Fire,
    Szak52BShot1Schedule, Szak52BShot2Schedule, Szak52BShot3Schedule,
    Window(1100, 1200), Szak52BSpawn,
    Szak52BShot4Fire, Szak52BShot5Fire, Szak52BShot6Fire, Szak52BShot7Fire, Szak52BShot8Fire,
    Szak52BShot1Schedule, Szak52BShot2Schedule, Szak52BShot3Schedule,

    Every(), MOVE_UPDATE(Szak21A),
    Window(700, 750), Szak21ASpawn,

    Every(), MOVE_UPDATE(Szak22A),
    Window(700, 750), Szak22ASpawn,

    Every(), MOVE_UPDATE(Szak21B), MOVE_UPDATE(Szak22B),
    Window(900, 1000), Szak21BSpawn,
    Window(900, 1000), Szak22BSpawn,

    Every(), MOVE_UPDATE(Szak51),
    Window(200, 500), Szak51Spawn, Szak51Shot1Schedule,
    If(A, Szak51Shot2Schedule), If(A, Szak51Shot3Schedule), If(B, Szak51Shot6Schedule),
    If(B, Szak51Shot7Schedule), If(B, Szak51Shot8Schedule),
    Window(850, 950), Szak51Spawn, Szak51Shot1Schedule, Szak51Shot2Schedule,
    Szak51Shot3Schedule, Szak51Shot6Schedule,
    If(B, Szak51Shot7Schedule), If(B, Szak51Shot8Schedule),

    Every(), MOVE_UPDATE(Szak40A),
    Window(200, 240), Szak40ASpawn,

    Every(), MOVE_UPDATE(Szak41A),
    Window(240, 280), Szak41ASpawn,

    Every(), MOVE_UPDATE(Szak40B),
    Window(280, 320), Szak40BSpawn,
    Window(640, 680), Szak40BSpawn,

    Every(), MOVE_UPDATE(Szak41B),
    Window(320, 360), Szak41BSpawn,
    Window(640, 680), Szak41BSpawn,

    Every(), MOVE_UPDATE(Szak54A), MOVE_UPDATE(Szak54B),
    Window(600, 630), Szak54ASpawn, Szak54BSpawn,
    Window(800, 860), Szak54ASpawn,
    Window(830, 880), Szak54BSpawn,

    Every(), MOVE_UPDATE(Szak50B), MOVE_UPDATE(Szak50C),
    Window(1200, 1270), Szak50BSpawn, Szak50CSpawn,
};
static_assert(ValidScrollScript(Stage4Kinds));

// Before the power-up item: the guns of the wave kinds and of Szak1A/B.
constexpr ScriptItem Stage4WaveFamilies[] = {
    MOVE_DRAW(Szak30AShot1), MOVE_DRAW(Szak30AShot2), MOVE_DRAW(Szak31AShot1),
    MOVE_DRAW(Szak31AShot2), MOVE_DRAW(Szak32AShot1), MOVE_DRAW(Szak32AShot2),
    MOVE_DRAW(Szak33AShot1), MOVE_DRAW(Szak33AShot2), MOVE_DRAW(Szak1AShot1),
    MOVE_DRAW(Szak1BShot1),
};
static_assert(ValidScrollScript(Stage4WaveFamilies));

// After the ship: Move then Draw of each boss family, then (under B) a
// second Move of seven of them, then the four curving sweeps.
constexpr ScriptItem Boss4Families[] = {
    Every(),
    MOVE_DRAW(Boss4Vall3011A), MOVE_DRAW(Boss4Vall3011B), MOVE_DRAW(Boss4Vall3011C),
    MOVE_DRAW(Boss4Vall3011D), MOVE_DRAW(Boss4Vall3011E), MOVE_DRAW(Boss4Vall3011F),
    MOVE_DRAW(Boss4Vall3011G), MOVE_DRAW(Boss4Vall3011H), MOVE_DRAW(Boss4Vall3011I),
    MOVE_DRAW(Boss4Vall3011J), MOVE_DRAW(Boss4Vall3011K), MOVE_DRAW(Boss4Vall3011L),
    MOVE_DRAW(Boss4Vall3011M), MOVE_DRAW(Boss4Vall3011N), MOVE_DRAW(Boss4Vall3011O),
    MOVE_DRAW(Boss4Vall3011P), MOVE_DRAW(Boss4Vall3011Q), MOVE_DRAW(Boss4Vall3011R),
    MOVE_DRAW(Boss4Vall3011S), MOVE_DRAW(Boss4Vall3011T), MOVE_DRAW(Boss4Vall3011U),
    MOVE_DRAW(Boss4Vall3011V), MOVE_DRAW(Boss4Vall3011W), MOVE_DRAW(Boss4Vall3011X),
    MOVE_DRAW(Boss4Vall20D), MOVE_DRAW(Boss4Vall20E), MOVE_DRAW(Boss4Vall20B),
    MOVE_DRAW(Boss4Vall20C), MOVE_DRAW(Boss4Val20241E), MOVE_DRAW(Boss4Val20241F),
    MOVE_DRAW(Boss4Vall20A),
    MOVE_DRAW(Boss4Vall3011AC), MOVE_DRAW(Boss4Vall3011AD), MOVE_DRAW(Boss4Vall3011Y),
    MOVE_DRAW(Boss4Vall3011Z), MOVE_DRAW(Boss4Vall3011AA), MOVE_DRAW(Boss4Vall3011AB),
    MOVE_DRAW(Boss4Val20241C), MOVE_DRAW(Boss4Val20241D), MOVE_DRAW(Boss4Val20241A),
    MOVE_DRAW(Boss4Val20241B),
    MOVE_DRAW(Boss4Val405A), MOVE_DRAW(Boss4Val405B), MOVE_DRAW(Boss4Val405C),
    MOVE_DRAW(Boss4Val13A), MOVE_DRAW(Boss4Val13B), MOVE_DRAW(Boss4Val13C),
    MOVE_DRAW(Boss4Val13D), MOVE_DRAW(Boss4Val13E), MOVE_DRAW(Boss4Val13F),
    MOVE_DRAW(Boss4Val13G), MOVE_DRAW(Boss4Val13H), MOVE_DRAW(Boss4Val13I),
    MOVE_DRAW(Boss4Ray4A), MOVE_DRAW(Boss4Ray4B), MOVE_DRAW(Boss4Ray5A),
    MOVE_DRAW(Boss4Ray5B), MOVE_DRAW(Boss4Ray6A), MOVE_DRAW(Boss4Ray6B),
    Every(B),
    Boss4Vall20DMove, Boss4Vall20EMove, Boss4Vall20BMove, Boss4Vall20CMove,
    Boss4Val20241EMove, Boss4Val20241FMove, Boss4Vall20AMove,
    Every(),
    MOVE_DRAW(Boss4Vall3017A), MOVE_DRAW(Boss4Vall3018A), MOVE_DRAW(Boss4Vall3017B),
    MOVE_DRAW(Boss4Vall3018B),
};
static_assert(ValidScrollScript(Boss4Families));

// Last, the rest of the kinds' guns.  Shot 4 of the gunships is moved and
// drawn every frame, ahead of shots 5 and 6: the script fires it in play.
constexpr ScriptItem Stage4KindFamilies[] = {
    MOVE_DRAW(Szak6DShot4), MOVE_DRAW(Szak6DShot5), MOVE_DRAW(Szak6DShot6),
    MOVE_DRAW(Szak6EShot4), MOVE_DRAW(Szak6EShot5), MOVE_DRAW(Szak6EShot6),
    MOVE_DRAW(Szak13AShot4), MOVE_DRAW(Szak13AShot5), MOVE_DRAW(Szak13AShot6),
    MOVE_DRAW(Szak13BShot4), MOVE_DRAW(Szak13BShot5), MOVE_DRAW(Szak13BShot6),
    Every(B),
    Szak6DShot4Move, Szak6DShot5Move, Szak6DShot6Move,
    Szak6EShot4Move, Szak6EShot5Move, Szak6EShot6Move,
    Szak13AShot4Move, Szak13AShot5Move, Szak13AShot6Move,
    Szak13BShot4Move, Szak13BShot5Move, Szak13BShot6Move,
    Every(),
    MOVE_DRAW(Szak6DShot2), MOVE_DRAW(Szak6DShot3), MOVE_DRAW(Szak6DShot1),
    MOVE_DRAW(Szak6EShot2), MOVE_DRAW(Szak6EShot3), MOVE_DRAW(Szak6EShot1),
    MOVE_DRAW(Szak13AShot1), MOVE_DRAW(Szak13AShot2), MOVE_DRAW(Szak13AShot3),
    MOVE_DRAW(Szak13BShot1), MOVE_DRAW(Szak13BShot2), MOVE_DRAW(Szak13BShot3),
    MOVE_DRAW(Szak12Shot1), MOVE_DRAW(Szak12Shot2), MOVE_DRAW(Szak12Shot3),
    MOVE_DRAW(Szak12Shot4), MOVE_DRAW(Szak12Shot5), MOVE_DRAW(Szak12Shot6),
    MOVE_DRAW(Szak12Shot7), MOVE_DRAW(Szak12Shot8), MOVE_DRAW(Szak12Shot9),
    MOVE_DRAW(Szak12Shot10),
    Every(B),
    Szak12Shot1Move, Szak12Shot2Move, Szak12Shot3Move, Szak12Shot4Move, Szak12Shot5Move,
    Every(),
    MOVE_DRAW(Szak52AShot4), MOVE_DRAW(Szak52AShot5), MOVE_DRAW(Szak52AShot6),
    MOVE_DRAW(Szak52AShot7), MOVE_DRAW(Szak52AShot8), MOVE_DRAW(Szak52AShot1),
    MOVE_DRAW(Szak52AShot2), MOVE_DRAW(Szak52AShot3),
    MOVE_DRAW(Szak52BShot4), MOVE_DRAW(Szak52BShot5), MOVE_DRAW(Szak52BShot6),
    MOVE_DRAW(Szak52BShot7), MOVE_DRAW(Szak52BShot8), MOVE_DRAW(Szak52BShot1),
    MOVE_DRAW(Szak52BShot2), MOVE_DRAW(Szak52BShot3),
    MOVE_DRAW(Szak51Shot6), MOVE_DRAW(Szak51Shot1), MOVE_DRAW(Szak51Shot2),
    MOVE_DRAW(Szak51Shot3),
    MOVE_DRAW(Szak54AShot1), MOVE_DRAW(Szak54BShot1),
    MOVE_DRAW(Szak50BShot3), MOVE_DRAW(Szak50CShot3), MOVE_DRAW(Szak50BShot1),
    MOVE_DRAW(Szak50BShot2), MOVE_DRAW(Szak50CShot1), MOVE_DRAW(Szak50CShot2),
};
static_assert(ValidScrollScript(Stage4KindFamilies));

// The attack list on the tick (inclusive windows) and, under GameMode not 1,
// on the hit points.
constexpr ScriptItem Boss4Attack[] = {
    Ticks(30, 60), Boss4Val20241CSchedule,
    Ticks(30, 60), Boss4Val20241DSchedule,
    Ticks(60, 80), Boss4Val405ASchedule, Boss4Val405BSchedule, Boss4Val405CSchedule,
    Ticks(100, 200), Boss4Vall3011ACFire, Boss4Vall3011ADFire,
    Ticks(160, 200), Boss4Vall3011YFire, Boss4Vall3011ZFire,
    Ticks(200, 300), Boss4Vall20DSchedule, Boss4Vall20ESchedule,
    Ticks(250, 280),
    Boss4Vall3011CFire, Boss4Vall3011DFire, Boss4Vall3011EFire, Boss4Vall3011FFire,
    Boss4Vall3011GFire, Boss4Vall3011HFire,
    Boss4Vall3011OFire, Boss4Vall3011PFire, Boss4Vall3011QFire, Boss4Vall3011RFire,
    Boss4Vall3011SFire, Boss4Vall3011TFire,
    Ticks(300, 500), Boss4Vall3011AAFire, Boss4Vall3011ABFire,
    Ticks(380, 500), Boss4Vall3011YFire, Boss4Vall3011ZFire,
    Ticks(300, 400, Gate::SubMode1), Boss4Val20241CSchedule, Boss4Val20241DSchedule,
    Ticks(450, 500), Boss4Val405ASchedule, Boss4Val405BSchedule, Boss4Val405CSchedule,
    Ticks(510, 540),
    Boss4Vall3011CFire, Boss4Vall3011DFire, Boss4Vall3011EFire, Boss4Vall3011FFire,
    Boss4Vall3011GFire, Boss4Vall3011HFire,
    Boss4Vall3011OFire, Boss4Vall3011PFire, Boss4Vall3011QFire, Boss4Vall3011RFire,
    Boss4Vall3011SFire, Boss4Vall3011TFire,
    Ticks(400, 500), Boss4Vall20BSchedule, Boss4Vall20CSchedule,
    Ticks(500, 550), Boss4Val20241CSchedule, Boss4Val20241DSchedule,
    Ticks(550, 800), Boss4Vall20BSchedule, Boss4Vall20CSchedule,
    Ticks(600, 750), Boss4Vall3017AFire, Boss4Vall3018AFire,
    Ticks(800, 950), Boss4Vall20ASchedule,
    Ticks(950, 1200), Boss4Vall3011ACFire, Boss4Vall3011ADFire,
    Ticks(1000, 1200), Boss4Vall3011AAFire, Boss4Vall3011ABFire,
    Ticks(1050, 1200), Boss4Vall3011YFire, Boss4Vall3011ZFire,
    Ticks(1200, 1250),
    Boss4Vall3011CFire, Boss4Vall3011DFire, Boss4Vall3011EFire, Boss4Vall3011FFire,
    Boss4Vall3011GFire, Boss4Vall3011HFire, Boss4Vall3011IFire,
    Boss4Vall3011OFire, Boss4Vall3011PFire, Boss4Vall3011QFire, Boss4Vall3011RFire,
    Boss4Vall3011SFire, Boss4Vall3011TFire, Boss4Vall3011UFire,
    Ticks(1250, 1500), Boss4Vall3017AFire, Boss4Vall3018AFire, Boss4Vall3017BFire,
    Boss4Vall3018BFire,
    Ticks(1510, 1900), Boss4Ray4ASchedule, Boss4Ray4BSchedule, Boss4Ray5ASchedule,
    Boss4Ray5BSchedule, Boss4Ray6ASchedule, Boss4Ray6BSchedule,
    HpBand(740, 770, Gate::ModeNot1),
    Boss4Val13AFire, Boss4Val13BFire, Boss4Val13CFire, Boss4Val13DFire, Boss4Val13EFire,
    Boss4Val13FFire, Boss4Val13GFire, Times(2, Boss4Val13HFire), Boss4Val13IFire,
    HpBand(460, 490, Gate::ModeNot1),
    Boss4Val13AFire, Boss4Val13BFire, Boss4Val13CFire, Boss4Val13DFire, Boss4Val13EFire,
    Boss4Val13FFire, Boss4Val13GFire, Times(2, Boss4Val13HFire), Boss4Val13IFire,
    HpBand(60, 90, Gate::ModeNot1),
    Boss4Val13AFire, Boss4Val13BFire, Boss4Val13CFire, Boss4Val13DFire, Boss4Val13EFire,
    Boss4Val13FFire, Boss4Val13GFire, Times(2, Boss4Val13HFire), Boss4Val13IFire,
};
static_assert(ValidAttackScript(Boss4Attack));

}  // namespace

constexpr BossRow Stage4Boss{
    .state = &Boss4State,
    .move = Boss4Move,
    .draw = Boss4Draw,
    .defeat = Boss4Defeat,
    .windowLo = 1470.0f,
    .windowHi = 11100.0f,
    .attackBelow = 780.0f,
    .cycle = {1920, 1920, 1920, 1920},
    .timeoutLo = 11000.0f,
    .timeoutHi = 11100.0f,
    .attack = Boss4Attack,
};

namespace {

constexpr StageRow Stage4Row{
    .scene = SceneStage4,
    .scrollRate = 16.0f,
    .music = "MIDI/BGM3.MID",
    .countsFrames = true,
    .background = {.range = 200, .base = 150, .layers = {Bback6sDraw}, .offRange = 200,
                   .offBase = 150},
    .boss = &Stage4Boss,
    .kinds = Stage4Kinds,
    .beforePowerUp = Stage4WaveFamilies,
    .families = {Boss4Families, Stage4KindFamilies},
    .homingLasers = true,
};

}  // namespace

void Stage4Scene() { RunStageFrame(Stage4Row); }
