// The 24 homing-missile families over one engine.
#include "player/homing_missiles.h"

#include <cmath>
#include <iterator>

#include "el/draw/elDraw.h"
#include "el/system/elSystem.h"
#include "enemies/kind_tables.h"
#include "os/system.h"
#include "player/hit_pass.h"
#include "player/homing_common.h"
#include "player/homing_storage.h"
#include "shell/assets.h"
#include "shell/game_state.h"
#include "stages/boss_catalogue.h"

namespace {

enum class LaunchSpeed : uint8_t {
  ByShipType,  // 600 for ship type 1, 700 for 2 (and the launch phase restarts)
  Wave,        // 750
  Boss,        // 600
};

enum class Drift : uint8_t {
  None,
  // The kinds' launch phase: timer to 30, every missile of the family still
  // in it pushed by its own side once per steering missile, before aiming.
  Kind,
  // The bosses' launch phase: timer to 60, the steering missile alone pushed
  // as fast as it flies, after aiming.
  Boss,
};

// The kinds' drift pushes missiles 0..2, each by its own side.
constexpr int32_t DriftMissiles = 3;

constexpr float Left = -1.0f;
constexpr float Right = 1.0f;

struct MissileFamily {
  TableRef<HomingMissile> missiles;
  TableRef<LockOnTarget> targets;  // record i is the aim of missile i
  float launchX = 0.0f;   // added to PlayerX + 20
  float launchY = 10.0f;  // added to PlayerY
  int32_t edge = 540;     // right bound of the field test and the retire box
  float strikeYLow = 20.0f;
  LaunchSpeed speed;
  Drift drift = Drift::None;
  bool launchVector = false;  // the launch vector is kept for the beam
  float sides[DriftMissiles] = {};  // drift side per missile (bosses: every missile the first)
  void (*hitSlot)(int32_t) = nullptr;  // a kind's hit setter, or
  void (*hitBoss)() = nullptr;         // a boss's hit setter with
  BossState* boss = nullptr;           // the boss whose hit points fall
  float rate = 0.0f;                   // hit points per second of frame time
  MissileLook look[2] = {ShowsSprite, ShowsBeam};  // what Draw shows for ship types 1 and 2

  constexpr bool Matched() const { return missiles.count == targets.count; }
};

// The kinds' families.  The three-missile families drift at launch and keep
// the launch vector; the five-missile wave families do neither.
constexpr MissileFamily HomingMissileSzak3{
    .missiles = Table(HomingMissileSzak3Slots), .targets = Table(Szak3LockTargets),
    .speed = LaunchSpeed::ByShipType, .drift = Drift::Kind, .launchVector = true,
    .sides = {Left, Left, Right}, .hitSlot = Szak3Hit};
constexpr MissileFamily HomingMissileSzak4{
    .missiles = Table(HomingMissileSzak4Slots), .targets = Table(Szak4LockTargets),
    .speed = LaunchSpeed::ByShipType, .drift = Drift::Kind, .launchVector = true,
    .sides = {Right, Right, Left}, .hitSlot = Szak4Hit};
constexpr MissileFamily HomingMissileSzak21A{
    .missiles = Table(HomingMissileSzak21ASlots), .targets = Table(Szak21ALockTargets),
    .speed = LaunchSpeed::ByShipType, .drift = Drift::Kind, .launchVector = true,
    .sides = {Left, Left, Left}, .hitSlot = Szak21AHit};
constexpr MissileFamily HomingMissileSzak22A{
    .missiles = Table(HomingMissileSzak22ASlots), .targets = Table(Szak22ALockTargets),
    .speed = LaunchSpeed::ByShipType, .drift = Drift::Kind, .launchVector = true,
    .sides = {Right, Right, Right}, .hitSlot = Szak22AHit};
constexpr MissileFamily HomingMissileSzak40A{
    .missiles = Table(HomingMissileSzak40ASlots), .targets = Table(Szak40ALockTargets),
    .speed = LaunchSpeed::Wave, .hitSlot = Szak40AHit};
constexpr MissileFamily HomingMissileSzak41A{
    .missiles = Table(HomingMissileSzak41ASlots), .targets = Table(Szak41ALockTargets),
    .launchY = 9.0f, .edge = 541, .strikeYLow = 21.0f,
    .speed = LaunchSpeed::Wave, .hitSlot = Szak41AHit};
constexpr MissileFamily HomingMissileSzak40B{
    .missiles = Table(HomingMissileSzak40BSlots), .targets = Table(Szak40BLockTargets),
    .launchY = 9.0f, .edge = 542, .strikeYLow = 22.0f,
    .speed = LaunchSpeed::Wave, .hitSlot = Szak40BHit};
constexpr MissileFamily HomingMissileSzak41B{
    .missiles = Table(HomingMissileSzak41BSlots), .targets = Table(Szak41BLockTargets),
    .launchY = 8.0f, .edge = 543, .strikeYLow = 23.0f,
    .speed = LaunchSpeed::Wave, .hitSlot = Szak41BHit};

static_assert(HomingMissileSzak3.Matched() && HomingMissileSzak4.Matched() &&
              HomingMissileSzak21A.Matched() && HomingMissileSzak22A.Matched() &&
              HomingMissileSzak40A.Matched() && HomingMissileSzak41A.Matched() &&
              HomingMissileSzak40B.Matched() && HomingMissileSzak41B.Matched());

// A boss's family from its facts: family A flies at lock array A, B at B.
constexpr MissileFamily BossFamily(const BossFacts& boss, const BossMissileFacts& family,
                                   LockOnTarget* targets) {
  const float side = family.drift == LaunchDrift::Right ? Right
                     : family.drift == LaunchDrift::Left ? Left
                                                         : 0.0f;
  return {.missiles = family.missiles,
          .targets = {targets, boss.lock.points.count},
          .launchX = family.launchX,
          .speed = LaunchSpeed::Boss,
          .drift = family.drift == LaunchDrift::None ? Drift::None : Drift::Boss,
          .launchVector = family.keepsLaunchVector,
          .sides = {side, side, side},
          .hitBoss = boss.hit,
          .boss = boss.state,
          .rate = family.rate,
          .look = {family.look[0], family.look[1]}};
}
constexpr MissileFamily FamilyA(const BossFacts& boss) {
  return BossFamily(boss, boss.missileA, boss.lock.points.a);
}
constexpr MissileFamily FamilyB(const BossFacts& boss) {
  return BossFamily(boss, boss.missileB, boss.lock.points.b);
}

constexpr MissileFamily HomingMissileBoss1A = FamilyA(Boss1Facts);
constexpr MissileFamily HomingMissileBoss1B = FamilyB(Boss1Facts);
constexpr MissileFamily HomingMissileBoss3A = FamilyA(Boss3Facts);
constexpr MissileFamily HomingMissileBoss3B = FamilyB(Boss3Facts);
constexpr MissileFamily HomingMissileBoss7A = FamilyA(Boss7Facts);
constexpr MissileFamily HomingMissileBoss7B = FamilyB(Boss7Facts);
constexpr MissileFamily HomingMissileBoss4A = FamilyA(Boss4Facts);
constexpr MissileFamily HomingMissileBoss4B = FamilyB(Boss4Facts);
constexpr MissileFamily HomingMissileBoss5A = FamilyA(Boss5Facts);
constexpr MissileFamily HomingMissileBoss5B = FamilyB(Boss5Facts);
constexpr MissileFamily HomingMissileBoss6A = FamilyA(Boss6Facts);
constexpr MissileFamily HomingMissileBoss6B = FamilyB(Boss6Facts);
constexpr MissileFamily HomingMissileBoss2A = FamilyA(Boss2Facts);
constexpr MissileFamily HomingMissileBoss2B = FamilyB(Boss2Facts);
constexpr MissileFamily HomingMissileBoss8A = FamilyA(Boss8Facts);
constexpr MissileFamily HomingMissileBoss8B = FamilyB(Boss8Facts);

// Launch-phase clock per second and the ends of the two launch phases.
constexpr float TimerRate = 260.0f;
constexpr float KindLaunchPhase = 30.0f;
constexpr float BossLaunchPhase = 60.0f;
constexpr float LaunchPhaseOver = 300.0f;

// The record lies on the field: strictly inside 0..edge by 0..480.
bool OnField(const LockOnTarget& t, int32_t edge) {
  return t.y < 480 && t.y > 0 && t.x < edge && t.x > 0;
}

void Fire(const MissileFamily& f) {
  for (int32_t i = 0; i < f.missiles.count; ++i) {
    HomingMissile& m = f.missiles[i];
    const LockOnTarget& t = f.targets[i];
    if (!OnField(t, f.edge) || m.active != 0 || t.locked == 0) continue;
    m.active = 1;
    m.x = PlayerX + 20.0f + f.launchX;
    m.y = PlayerY + f.launchY;
    switch (f.speed) {
      case LaunchSpeed::ByShipType:
        if (ShipType == 1) {
          m.speed = 600.0f;
          m.timer = 0.0f;
        } else if (ShipType == 2) {
          m.speed = 700.0f;
          m.timer = 0.0f;
        }
        break;
      case LaunchSpeed::Wave:
        m.speed = 750.0f;
        break;
      case LaunchSpeed::Boss:
        m.speed = 600.0f;
        if (f.drift == Drift::Boss) m.timer = 0.0f;
        break;
    }
    if (f.launchVector) {
      m.launchDx = static_cast<float>(t.x + 20) - m.x;
      m.launchDy = static_cast<float>(t.y + 20) - m.y;
    }
  }
}

void Aim(HomingMissile& m, const LockOnTarget& t) {
  m.dx = static_cast<float>(t.x + 20) - m.x;
  m.dy = static_cast<float>(t.y + 20) - m.y;
  m.angle = AimAngle(m.dx, m.dy);
}

void Fly(HomingMissile& m) {
  m.y += std::sin(m.angle) * m.speed * FrameTime;
  m.x += std::cos(m.angle) * m.speed * FrameTime;
}

void Park(HomingMissile& m) {
  m.active = 0;
  m.x = ParkX;
  m.y = ParkY;
}

void Steer(const MissileFamily& f, int32_t i) {
  HomingMissile& m = f.missiles[i];
  const LockOnTarget& t = f.targets[i];
  if (f.drift == Drift::Kind) {
    m.timer += TimerRate * FrameTime;
    // Every missile of the family still in its launch phase takes a push,
    // once for each steering missile of this frame.
    for (int32_t k = 0; k < f.missiles.count && k < DriftMissiles; ++k) {
      HomingMissile& pushed = f.missiles[k];
      if (pushed.timer > KindLaunchPhase) continue;
      pushed.x += f.sides[k] * pushed.speed * FrameTime / 2.0f;
      pushed.y += pushed.speed * FrameTime / 10.0f;
    }
    if (m.timer > KindLaunchPhase) m.timer = LaunchPhaseOver;
  }
  Aim(m, t);
  if (f.drift == Drift::Boss) {
    m.timer += TimerRate * FrameTime;
    if (m.timer <= BossLaunchPhase) {
      m.x += f.sides[0] * m.speed * FrameTime;
      m.y += m.speed * FrameTime * 8.0f / 10.0f;
    }
    if (m.timer > BossLaunchPhase) m.timer = LaunchPhaseOver;
  }
}

void Move(const MissileFamily& f) {
  for (int32_t i = 0; i < f.missiles.count; ++i) {
    HomingMissile& m = f.missiles[i];
    LockOnTarget& t = f.targets[i];
    if (m.active != 0) {
      if (OnField(t, f.edge)) Steer(f, i);
      Fly(m);
    }
    if (m.x + 20.0f < 100.0f || m.x > static_cast<float>(f.edge) || m.y + 20.0f < 0.0f ||
        m.y > 480.0f || BombWave == 1) {
      Park(m);
      m.aux = 0;
    }
    if (m.active == 0) continue;
    const float ox = m.x - static_cast<float>(t.x);
    const float oy = m.y - static_cast<float>(t.y);
    if (ox >= 10.0f && ox <= 30.0f && oy >= f.strikeYLow && oy <= 30.0f) {
      Park(m);
      t.locked = 0;
      t.x = ParkXInt;
      t.y = ParkYInt;
      if (f.hitSlot != nullptr) f.hitSlot(i);
      if (f.hitBoss != nullptr) f.hitBoss();
      AddScore(HomingMissilePoints);
      if (f.boss != nullptr) f.boss->hitPoints -= f.rate * FrameTime;
    }
  }
}

void Draw(const MissileFamily& f) {
  if (ShipType != 1 && ShipType != 2) return;
  const MissileLook look = f.look[ShipType - 1];
  for (int32_t i = 0; i < f.missiles.count; ++i) {
    const HomingMissile& m = f.missiles[i];
    if (m.active == 0) continue;
    if (look & ShowsSprite) {
      elDraw::DrawObject(static_cast<int32_t>(m.x), static_cast<int32_t>(m.y), ImgFlz01_l, 0, 0,
                         20, 60);
    }
    if (look & ShowsBeam) {
      const LockOnTarget& t = f.targets[i];
      DrawHomingBeam(m.launchDx, m.launchDy, t.x + 29, t.y + 29);
    }
  }
}

constexpr uint32_t Rgb(int32_t r, int32_t g, int32_t b) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 |
         static_cast<uint32_t>(b) << 16;
}

}  // namespace

void DrawHomingBeam(float launch_dx, float launch_dy, int32_t mark_x, int32_t mark_y) {
  const int32_t dx = static_cast<int32_t>(launch_dx);
  const int32_t dy = static_cast<int32_t>(launch_dy);
  const int32_t r0 = os::Random() % 5;
  const int32_t r1 = os::Random() % 5;
  const int32_t sx = static_cast<int32_t>(PlayerX) + 27 + r0 - r1;
  const int32_t sy = static_cast<int32_t>(PlayerY) + 40;
  const int32_t g = os::Random() % 100;
  const int32_t b = os::Random() % 100;

  int32_t px[8], py[8];
  px[0] = sx;
  py[0] = sy;
  px[1] = sx + 2 * dx / 9 + 3 * dx / 9;
  py[1] = sy;
  px[2] = px[1] + 3 * dx / 9;
  py[2] = sy + dy / 9;
  px[3] = px[2] + dx / 9;
  py[3] = py[2] + dy / 9;
  px[4] = px[3];
  py[4] = py[3] + 2 * dy / 9;
  px[5] = px[2];
  py[5] = py[4] + 2 * dy / 9;
  px[6] = px[5];
  py[6] = py[5] + 2 * dy / 9;
  px[7] = mark_x;
  py[7] = mark_y;

  constexpr int32_t Widths[7] = {7, 6, 5, 4, 3, 2, 2};
  for (int32_t k = 0; k < 7; ++k) {
    const uint32_t colour = k == 0 ? Rgb(0, 155 - g, 255) : Rgb(0, 155 - g, 255 - b);
    elDraw::DrawLine(px[k], py[k], px[k + 1], py[k + 1], colour, Widths[k]);
  }
}

void HomingMissileBossFires() {
  for (const BossFacts* boss : BossCatalogue) {
    Fire(FamilyA(*boss));
    Fire(FamilyB(*boss));
  }
}

// Each family's roles over its row.
void HomingMissileSzak3Fire() { Fire(HomingMissileSzak3); }
void HomingMissileSzak3Move() { Move(HomingMissileSzak3); }
void HomingMissileSzak3Draw() { Draw(HomingMissileSzak3); }
void HomingMissileSzak4Fire() { Fire(HomingMissileSzak4); }
void HomingMissileSzak4Move() { Move(HomingMissileSzak4); }
void HomingMissileSzak4Draw() { Draw(HomingMissileSzak4); }
void HomingMissileSzak21AFire() { Fire(HomingMissileSzak21A); }
void HomingMissileSzak21AMove() { Move(HomingMissileSzak21A); }
void HomingMissileSzak21ADraw() { Draw(HomingMissileSzak21A); }
void HomingMissileSzak22AFire() { Fire(HomingMissileSzak22A); }
void HomingMissileSzak22AMove() { Move(HomingMissileSzak22A); }
void HomingMissileSzak22ADraw() { Draw(HomingMissileSzak22A); }
void HomingMissileSzak40AFire() { Fire(HomingMissileSzak40A); }
void HomingMissileSzak40AMove() { Move(HomingMissileSzak40A); }
void HomingMissileSzak40ADraw() { Draw(HomingMissileSzak40A); }
void HomingMissileSzak41AFire() { Fire(HomingMissileSzak41A); }
void HomingMissileSzak41AMove() { Move(HomingMissileSzak41A); }
void HomingMissileSzak41ADraw() { Draw(HomingMissileSzak41A); }
void HomingMissileSzak40BFire() { Fire(HomingMissileSzak40B); }
void HomingMissileSzak40BMove() { Move(HomingMissileSzak40B); }
void HomingMissileSzak40BDraw() { Draw(HomingMissileSzak40B); }
void HomingMissileSzak41BFire() { Fire(HomingMissileSzak41B); }
void HomingMissileSzak41BMove() { Move(HomingMissileSzak41B); }
void HomingMissileSzak41BDraw() { Draw(HomingMissileSzak41B); }
void HomingMissileBoss1AFire() { Fire(HomingMissileBoss1A); }
void HomingMissileBoss1AMove() { Move(HomingMissileBoss1A); }
void HomingMissileBoss1ADraw() { Draw(HomingMissileBoss1A); }
void HomingMissileBoss1BFire() { Fire(HomingMissileBoss1B); }
void HomingMissileBoss1BMove() { Move(HomingMissileBoss1B); }
void HomingMissileBoss1BDraw() { Draw(HomingMissileBoss1B); }
void HomingMissileBoss3AFire() { Fire(HomingMissileBoss3A); }
void HomingMissileBoss3AMove() { Move(HomingMissileBoss3A); }
void HomingMissileBoss3ADraw() { Draw(HomingMissileBoss3A); }
void HomingMissileBoss3BFire() { Fire(HomingMissileBoss3B); }
void HomingMissileBoss3BMove() { Move(HomingMissileBoss3B); }
void HomingMissileBoss3BDraw() { Draw(HomingMissileBoss3B); }
void HomingMissileBoss7AFire() { Fire(HomingMissileBoss7A); }
void HomingMissileBoss7AMove() { Move(HomingMissileBoss7A); }
void HomingMissileBoss7ADraw() { Draw(HomingMissileBoss7A); }
void HomingMissileBoss7BFire() { Fire(HomingMissileBoss7B); }
void HomingMissileBoss7BMove() { Move(HomingMissileBoss7B); }
void HomingMissileBoss7BDraw() { Draw(HomingMissileBoss7B); }
void HomingMissileBoss4AFire() { Fire(HomingMissileBoss4A); }
void HomingMissileBoss4AMove() { Move(HomingMissileBoss4A); }
void HomingMissileBoss4ADraw() { Draw(HomingMissileBoss4A); }
void HomingMissileBoss4BFire() { Fire(HomingMissileBoss4B); }
void HomingMissileBoss4BMove() { Move(HomingMissileBoss4B); }
void HomingMissileBoss4BDraw() { Draw(HomingMissileBoss4B); }
void HomingMissileBoss5AFire() { Fire(HomingMissileBoss5A); }
void HomingMissileBoss5AMove() { Move(HomingMissileBoss5A); }
void HomingMissileBoss5ADraw() { Draw(HomingMissileBoss5A); }
void HomingMissileBoss5BFire() { Fire(HomingMissileBoss5B); }
void HomingMissileBoss5BMove() { Move(HomingMissileBoss5B); }
void HomingMissileBoss5BDraw() { Draw(HomingMissileBoss5B); }
void HomingMissileBoss6AFire() { Fire(HomingMissileBoss6A); }
void HomingMissileBoss6AMove() { Move(HomingMissileBoss6A); }
void HomingMissileBoss6ADraw() { Draw(HomingMissileBoss6A); }
void HomingMissileBoss6BFire() { Fire(HomingMissileBoss6B); }
void HomingMissileBoss6BMove() { Move(HomingMissileBoss6B); }
void HomingMissileBoss6BDraw() { Draw(HomingMissileBoss6B); }
void HomingMissileBoss2AFire() { Fire(HomingMissileBoss2A); }
void HomingMissileBoss2AMove() { Move(HomingMissileBoss2A); }
void HomingMissileBoss2ADraw() { Draw(HomingMissileBoss2A); }
void HomingMissileBoss2BFire() { Fire(HomingMissileBoss2B); }
void HomingMissileBoss2BMove() { Move(HomingMissileBoss2B); }
void HomingMissileBoss2BDraw() { Draw(HomingMissileBoss2B); }
void HomingMissileBoss8AFire() { Fire(HomingMissileBoss8A); }
void HomingMissileBoss8AMove() { Move(HomingMissileBoss8A); }
void HomingMissileBoss8ADraw() { Draw(HomingMissileBoss8A); }
void HomingMissileBoss8BFire() { Fire(HomingMissileBoss8B); }
void HomingMissileBoss8BMove() { Move(HomingMissileBoss8B); }
void HomingMissileBoss8BDraw() { Draw(HomingMissileBoss8B); }
