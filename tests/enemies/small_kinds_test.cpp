// The small, rotating, gunship and diagonal kinds' own numbers: entry
// ranges, box edges and park points, steering, the disc's turn, explosion
// pieces, which explosions stop, and the lock records' life.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "el/draw/screen.h"
#include "enemies/diagonal_kinds.h"
#include "enemies/engine/slot_view.h"
#include "enemies/side_gunships.h"
#include "tests/enemies/enemy_fixture.h"

namespace {

using namespace enemy_test;

struct Slot {
  float x, y, vx, vy;
  uint32_t active;
};
template <auto& T>
Slot Get(int i) {
  return {T[i].x, T[i].y, T[i].vx, T[i].vy, T[i].active};
}
// Slot i flying unhurt at (x, y) with speeds 0 (i -1: every slot free).
template <auto& T>
void Put(int i, float x, float y) {
  if (i < 0) {
    for (auto& s : T) s.active = 0;
    return;
  }
  T[i] = {};
  T[i].active = 1, T[i].x = x, T[i].y = y;
}

// A kind's roles and slots, to drive kinds from tables.
struct Kind {
  const char* name;
  void (*spawn)(), (*update)(), (*move)(), (*hit)(int32_t);
  Slot (*get)(int);
  void (*put)(int, float, float);
  int count;
};
#define KIND_OF(stem)                                                                  \
  Kind{#stem, stem##Spawn, stem##Update, stem##Move, stem##Hit, Get<stem##Slots>,     \
       Put<stem##Slots>, CountOf<stem##Slots>()}

std::tuple<int32_t, int32_t, uint32_t> Rec(const LockOnTarget& t) { return {t.x, t.y, t.locked}; }

class SmallKindsTest : public EnemyTest {
 protected:
  void SetUp() override {
    EnemyTest::SetUp();
    FrameTime = 0.0f;
  }
};

TEST_F(SmallKindsTest, SpawnDrawsEveryEntryValueInItsRange) {
  const struct {
    Kind kind;
    float lo[4], hi[4];  // x, y, vx, vy
  } cases[] = {
      {KIND_OF(Szak3), {180, 480, 0, -219}, {539, 480, 0, -120}},
      {KIND_OF(Szak4), {180, 480, 0, -199}, {519, 480, 0, -120}},
      {KIND_OF(Szak1A), {220, -60, 0, 60}, {220, -60, 9, 239}},
      {KIND_OF(Szak1B), {520, -60, 0, 60}, {520, -60, 9, 239}},
      {KIND_OF(Szak9), {180, -80, 0, 50}, {539, -80, 9, 109}},
      {KIND_OF(Szak12), {160, -100, 50, 52}, {559, -100, 99, 119}},
      {KIND_OF(Szak6A), {180, -80, 0, 120}, {539, -80, 9, 199}},
      {KIND_OF(Szak6B), {180, -80, 0, 140}, {539, -80, 9, 219}},
      {KIND_OF(Szak6C), {180, -80, 0, 40}, {539, -80, 9, 119}},
      {KIND_OF(Szak6D), {90, 0, 51, 41}, {90, 99, 100, 90}},
      {KIND_OF(Szak6E), {620, 0, 51, 41}, {620, 99, 100, 90}},
      {KIND_OF(Szak13A), {90, 0, 50, 50}, {90, 199, 99, 109}},
      {KIND_OF(Szak13B), {620, 0, 50, 50}, {620, 199, 99, 109}},
      {KIND_OF(Szak21A), {90, -90, 60, 70}, {90, -90, 129, 139}},
      {KIND_OF(Szak22A), {620, -90, 60, 70}, {620, -90, 129, 139}},
      {KIND_OF(Szak21B), {90, 60, 70, 80}, {90, 60, 149, 159}},
      {KIND_OF(Szak22B), {620, 60, 70, 80}, {620, 60, 149, 159}},
  };
  for (const auto& c : cases) {
    player_test::Range seen[4];
    for (int round = 0; round < 60; ++round) {
      c.kind.put(-1, 0, 0);
      c.kind.spawn();
      for (int i = 0; i < c.kind.count; ++i) {
        const Slot s = c.kind.get(i);
        for (int v = 0; v < 4; ++v) seen[v].Add((&s.x)[v]);
      }
    }
    for (int v = 0; v < 4; ++v) {  // inside the range, spread over it where it is random
      EXPECT_TRUE(seen[v].In(c.lo[v], c.hi[v])) << c.kind.name << " value " << v << ": " << seen[v];
      EXPECT_EQ(seen[v].lo < seen[v].hi, c.lo[v] < c.hi[v]) << c.kind.name << " value " << v;
    }
  }
}

TEST_F(SmallKindsTest, BoxEdgesKeepTheSlotAndJustPastThemItIsParked) {
  const struct {
    Kind kind;
    bool column;  // the edge is an x (else a y); the other axis sits at 300
    float edge, past, park_x;
  } cases[] = {
      {KIND_OF(Szak3), true, 100, 99.5f, 360},     {KIND_OF(Szak3), false, -100, -100.5f, 360},
      {KIND_OF(Szak4), true, 80, 79.5f, 350},      {KIND_OF(Szak4), false, -120, -120.5f, 350},
      {KIND_OF(Szak1B), false, 600, 600.5f, -500}, {KIND_OF(Szak9), false, 600, 600.5f, -500},
      {KIND_OF(Szak12), true, 100, 99.5f, -500},   {KIND_OF(Szak6A), false, 600, 600.5f, -500},
      {KIND_OF(Szak6D), true, 90, 89.5f, 360},     {KIND_OF(Szak6E), true, 620, 620.5f, 360},
      {KIND_OF(Szak13A), true, 90, 89.5f, 360},    {KIND_OF(Szak13B), false, 600, 600.5f, 360},
      {KIND_OF(Szak21A), false, -90, -90.5f, 355}, {KIND_OF(Szak22B), true, 620, 620.5f, 355},
  };
  for (const auto& c : cases) {
    for (const float at : {c.edge, c.past}) {
      c.kind.put(0, c.column ? at : 300.0f, c.column ? 300.0f : at);
      c.kind.move();
      const Slot s = c.kind.get(0);
      const auto want =
          at == c.edge ? std::make_tuple(1u, s.x, s.y) : std::make_tuple(0u, c.park_x, ParkY);
      EXPECT_EQ(std::make_tuple(s.active, s.x, s.y), want) << c.kind.name << " at " << at;
    }
  }
}

TEST_F(SmallKindsTest, DiscsSteerTowardTheShipAndKeepTheirSpeedWhenLevel) {
  for (const auto& [kind, speed] : {std::pair{KIND_OF(Szak6A), 50.0f}, {KIND_OF(Szak6B), 55.0f}}) {
    for (const auto& [x, vx] : {std::pair{371.0f, -speed}, {369.0f, speed}, {370.0f, 3.0f}}) {
      kind.put(0, x, 100.0f);  // the ship's corner is at x 370
      Szak6ASlots[0].vx = Szak6BSlots[0].vx = 3.0f;
      kind.move();
      EXPECT_EQ(kind.get(0).vx, vx) << kind.name << " at " << x;
    }
  }
}

TEST_F(SmallKindsTest, DiscsTurnSevenDegreesFreeOrNotAndTheLibraryReducesAnyAngle) {
  ImgSzak6 =
      Sprite(79, 79, [](int x, int y) { return static_cast<uint16_t>(0x2000 + x + 79 * y); });
  Szak6DSlots[1].angle = 357;  // free, parked
  Szak6DUpdate();
  EXPECT_EQ(Szak6DSlots[1].angle, 0);
  // A disc left at -90 draws as at 270 and turns on from there.
  std::vector<uint16_t> drawn[3];
  const int32_t angles[] = {270, -90, 0}, after[] = {277, -83, 7};
  for (int k = 0; k < 3; ++k) {
    elDraw::ClearScreen();
    Put<Szak6ASlots>(0, 300.0f, 200.0f);
    Szak6ASlots[0].angle = angles[k];
    Szak6AUpdate();
    EXPECT_EQ(Szak6ASlots[0].angle, after[k]);
    for (int y = 200; y < 279; ++y)
      for (int x = 300; x < 379; ++x) drawn[k].push_back(Back(x, y));
  }
  EXPECT_EQ(drawn[0], drawn[1]);
  EXPECT_NE(drawn[0], drawn[2]);
  ImgSzak6 = 0;
}

TEST_F(SmallKindsTest, ExplosionCellDrawsEveryPieceWithItsBlit) {
  // Strips lit only in the top-left 2 x 2 pixels of each cell, so each piece
  // shows as one patch at its own corner: Szak9's main cell halved, then six
  // debris cells added.
  auto colour = [](bool debris, int cell) {
    return static_cast<uint16_t>((debris ? 0x3000 : 0x1000) + 0x0841 * cell);
  };
  ImgZbak2b = Sprite(640, 80,
                     [&](int x, int y) { return x % 80 < 2 && y < 2 ? colour(false, x / 80) : 0; });
  ImgZbak6b =
      Sprite(320, 40, [&](int x, int y) { return x % 40 < 2 && y < 2 ? colour(true, x / 40) : 0; });
  constexpr int f = 7, kX = 380, kY = 250;
  Put<Szak9Slots>(0, kX + 0.9f, kY + 0.9f);
  Szak9Hit(0);
  for (int call = 0; call < f; ++call) Szak9Update();
  elDraw::ClearScreen();
  Szak9Update();  // cell 7
  EXPECT_EQ(Back(kX, kY), static_cast<uint16_t>((colour(false, f) >> 1) & HalfMask));
  const int debris[][2] = {{-1, -6}, {1, 7}, {7, -1}, {-6, 3}, {-7, -6}, {5, -1}};
  for (const auto& [xf, yf] : debris) {
    EXPECT_EQ(Back(kX + 20 + xf * f, kY + 20 + yf * f), colour(true, f)) << xf << "," << yf;
  }
  EXPECT_EQ(LitPlayfield(), 4 * 7);  // nothing else

  BlendExplosions = 0;  // the main cell alone, colour-keyed
  elDraw::ClearScreen();
  Szak9Update();
  EXPECT_EQ(Back(kX, kY), colour(false, 0));
  EXPECT_EQ(LitPlayfield(), 4);
  ImgZbak6b = 0;
}

TEST_F(SmallKindsTest, ExplosionsStopTheCraftForSixteenFramesButNotEveryDiagonalOne) {
  FrameTime = 1.0f / 60.0f;
  const std::pair<Kind, bool> cases[] = {{KIND_OF(Szak13A), true},  {KIND_OF(Szak6E), true},
                                         {KIND_OF(Szak21A), false}, {KIND_OF(Szak22A), false},
                                         {KIND_OF(Szak21B), false}, {KIND_OF(Szak22B), true}};
  for (const auto& [kind, stops] : cases) {
    kind.spawn();
    kind.move();
    kind.hit(0);
    const Slot at = kind.get(0);
    for (int frame = 1; frame <= 16; ++frame) {
      kind.update();
      kind.move();
      const Slot s = kind.get(0);
      if (frame < 16) { EXPECT_EQ(s.x == at.x && s.y == at.y, stops) << kind.name << " " << frame; }
    }
    EXPECT_EQ(std::make_pair(kind.get(0).active, kind.get(0).y), std::make_pair(0u, ParkY));
  }
  EXPECT_EQ(Szak13ASlots[0].x, 360.0f);  // the Move after the explosion parks it at x 360
}

TEST_F(SmallKindsTest, OrbCountersOutsideTheStripDrawInsideIt) {
  Szak13AShot2Slots[0].animFrame = 9;  // the reset's rand() % 10 on a 7-cell strip
  Szak13AShot2Slots[0].x = Szak13AShot2Slots[0].y = 300.0f;
  Szak13AShot2Draw();  // every record, free ones too
  EXPECT_EQ(Back(305, 305), CellColour(9, 2));
  EXPECT_EQ(Szak13AShot2Slots[0].animFrame, 0);
}

TEST_F(SmallKindsTest, LockRecordLivesThroughSpawnLockExplosionAndDeparture) {
  const struct {
    Kind kind;
    LockOnTarget* locks;
    bool spawn_resets;
    int32_t home_y, sight_x, sight_y;
    bool side_only;  // only a side exit tests the record, on its x alone (110 .. 620)
  } cases[] = {
      {KIND_OF(Szak3), Szak3LockTargets, true, 500, 10, 20, false},
      {KIND_OF(Szak4), Szak4LockTargets, true, 0, 20, 30, false},
      {KIND_OF(Szak6D), Szak6DLockTargets, false, 0, 10, 10, true},
      {KIND_OF(Szak13B), Szak13BLockTargets, false, 0, 10, 10, true},
      {KIND_OF(Szak22A), Szak22ALockTargets, true, 0, 15, 15, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind.name);
    LockOnTarget& rec = c.locks[0];
    rec = {123, 45, 1, 0};
    c.kind.spawn();
    EXPECT_EQ(Rec(rec), c.spawn_resets ? Rec({290, c.home_y, 0, 0}) : Rec({123, 45, 1, 0}));
    rec.locked = 1;  // as the lock-on code does
    c.kind.put(0, 300.7f, 200.2f);
    c.kind.update();
    EXPECT_EQ(Rec(rec), Rec({300 + c.sight_x, 200 + c.sight_y, 1, 0}));
    c.kind.hit(0);
    for (int call = 0; call < 16; ++call) c.kind.update();
    EXPECT_EQ(Rec(rec), Rec({290, c.home_y, 0, 0}));

    // Leaving at (x, y) with the record at (rx, ry): is it sent away?
    const struct {
      float x, y;
      int32_t rx, ry;
      bool away;
    } exits[] = {{620.5f, 300, 625, 300, true},
                 {620.5f, 300, 300, 300, false},
                 {620.5f, 300, 130, 300, !c.side_only},
                 {620.5f, 300, 300, -80, !c.side_only},
                 {300, 600.5f, 625, 300, !c.side_only}};
    for (const auto& e : exits) {
      c.kind.put(0, e.x, e.y);
      rec = {e.rx, e.ry, 1, 0};
      c.kind.move();
      EXPECT_EQ(Rec(rec), e.away ? Rec({370, c.home_y, 0, 0}) : Rec({e.rx, e.ry, 1, 0}))
          << "leaving at " << e.x << "," << e.y << " with the record at " << e.rx << "," << e.ry;
    }
  }
}

TEST_F(SmallKindsTest, AAndBKindsOfOneSideShareTheirLockRecords) {
  LockOnTarget& rec = Szak21ALockTargets[0];
  Szak21ASpawn();
  rec.locked = 1;
  Szak21BSpawn();  // the B spawn puts the A craft's record home
  EXPECT_EQ(Rec(rec), Rec({290, 0, 0, 0}));

  // Both slots 0 fly locked: the record ends the frame on the craft updated last.
  rec.locked = 1;
  Put<Szak21ASlots>(0, 300.0f, 100.0f);
  Put<Szak21BSlots>(0, 400.0f, 200.0f);
  Szak21AUpdate();
  Szak21BUpdate();
  EXPECT_EQ(Rec(rec), Rec({415, 215, 1, 0}));

  // The B craft's explosion ends: the record goes home though A flies on.
  Szak21BHit(0);
  for (int call = 0; call < 16; ++call) Szak21BUpdate();
  EXPECT_EQ(Rec(rec), Rec({290, 0, 0, 0}));
  EXPECT_EQ(Szak21ASlots[0].active, 1u);

  // The parked B slot leaves its box on every Move, so it sends away a record
  // the A craft carried outside the lock box; record 2 serves A alone.
  rec = Szak21ALockTargets[2] = {625, 300, 1, 0};
  Szak21BMove();
  EXPECT_EQ(Rec(rec), Rec({370, 0, 0, 0}));
  EXPECT_EQ(Rec(Szak21ALockTargets[2]), Rec({625, 300, 1, 0}));
  EXPECT_EQ(Rec(Szak22ALockTargets[0]), Rec({-500, 500, 0, 0}));  // the other side's array
}

}  // namespace
