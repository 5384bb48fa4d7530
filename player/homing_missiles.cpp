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
#include "stages/stage1/boss1_tables.h"
#include "stages/stage2/boss2_tables.h"
#include "stages/stage3/boss3_tables.h"
#include "stages/stage4/boss4_tables.h"
#include "stages/stage5/boss5_tables.h"
#include "stages/stage6/boss6_tables.h"
#include "stages/stage7/boss7_tables.h"
#include "stages/stage8/boss8_tables.h"

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

enum Look : uint8_t {
  Nothing = 0,
  Sprite = 1,
  Beam = 2,
  SpriteThenBeam = Sprite | Beam,
};

// The kinds' drift pushes missiles 0..2, each by its own side.
constexpr int32_t DriftMissiles = 3;

struct MissileFamily {
  HomingMissile* missiles;
  LockOnTarget* targets;  // record i is the aim of missile i
  int32_t count;
  float launchX;  // added to PlayerX + 20
  float launchY;  // added to PlayerY
  int32_t edge;   // right bound of the field test and the retire box
  float strikeYLow;
  LaunchSpeed speed;
  Drift drift;
  bool launchVector;  // the launch vector is kept for the beam
  float sides[DriftMissiles];  // drift side per missile (bosses: every missile the first)
  void (*hitSlot)(int32_t);  // a kind's hit setter, or
  void (*hitBoss)();         // a boss's hit setter with
  BossState* boss;           // the boss whose hit points fall
  float rate;                // hit points per second of frame time
  uint8_t look[2];           // what Draw shows for ship types 1 and 2
};

constexpr float Left = -1.0f;
constexpr float Right = 1.0f;

// The three-missile families drift at launch and keep the launch vector;
// the five-missile wave families do neither.
#define KIND(kind, speed, launch_y, edge, ylow, drift, vector, s0, s1, s2)                 \
  MissileFamily {                                                                          \
    HomingMissile##kind##Slots, kind##LockTargets,                                         \
        static_cast<int32_t>(std::size(HomingMissile##kind##Slots)), 0.0f, launch_y, edge, \
        ylow, LaunchSpeed::speed, Drift::drift, vector, {s0, s1, s2}, kind##Hit, nullptr,  \
        nullptr, 0.0f, { Sprite, Beam }                                                    \
  }

const MissileFamily KindFamilies[] = {
    KIND(Szak3, ByShipType, 10.0f, 540, 20.0f, Kind, true, Left, Left, Right),
    KIND(Szak4, ByShipType, 10.0f, 540, 20.0f, Kind, true, Right, Right, Left),
    KIND(Szak21A, ByShipType, 10.0f, 540, 20.0f, Kind, true, Left, Left, Left),
    KIND(Szak22A, ByShipType, 10.0f, 540, 20.0f, Kind, true, Right, Right, Right),
    KIND(Szak40A, Wave, 10.0f, 540, 20.0f, None, false, 0, 0, 0),
    KIND(Szak41A, Wave, 9.0f, 541, 21.0f, None, false, 0, 0, 0),
    KIND(Szak40B, Wave, 9.0f, 542, 22.0f, None, false, 0, 0, 0),
    KIND(Szak41B, Wave, 8.0f, 543, 23.0f, None, false, 0, 0, 0),
};

#undef KIND

#define BOSS(boss, ab, launch_x, drift, side, vector, rate, look1, look2)                         \
  MissileFamily {                                                                                 \
    HomingMissile##boss##ab##Slots, boss##LockPoints.ab,                                         \
        static_cast<int32_t>(std::size(HomingMissile##boss##ab##Slots)), launch_x, 10.0f, 540,   \
        20.0f, LaunchSpeed::Boss, Drift::drift, vector, {side, side, side}, nullptr, boss##Hit, \
        &boss##State, rate, { look1, look2 }                                                      \
  }

const MissileFamily BossFamilies[] = {
    BOSS(Boss1, A, -5.0f, Boss, Left, true, 100.0f, SpriteThenBeam, Nothing),
    BOSS(Boss1, B, 5.0f, Boss, Right, false, 100.0f, Sprite, Nothing),
    BOSS(Boss3, A, -40.0f, Boss, Left, true, 150.0f, SpriteThenBeam, Nothing),
    BOSS(Boss3, B, 40.0f, Boss, Left, false, 150.0f, Sprite, Nothing),
    BOSS(Boss7, A, -40.0f, None, 0, false, 150.0f, Sprite, Beam),
    BOSS(Boss7, B, 40.0f, None, 0, false, 150.0f, Sprite, Nothing),
    BOSS(Boss4, A, -40.0f, Boss, Left, true, 150.0f, Beam, Sprite),
    BOSS(Boss4, B, 40.0f, Boss, Right, false, 150.0f, Nothing, Sprite),
    BOSS(Boss5, A, -40.0f, None, 0, false, 150.0f, Sprite, Beam),
    BOSS(Boss5, B, 40.0f, None, 0, false, 150.0f, Sprite, Nothing),
    BOSS(Boss6, A, -40.0f, None, 0, false, 150.0f, Sprite, Beam),
    BOSS(Boss6, B, 40.0f, None, 0, false, 150.0f, Sprite, Nothing),
    BOSS(Boss2, A, -40.0f, Boss, Left, true, 150.0f, Beam, Nothing),
    BOSS(Boss2, B, 40.0f, Boss, Right, false, 150.0f, Nothing, Nothing),
    BOSS(Boss8, A, -40.0f, None, 0, false, 150.0f, Beam, Beam),
    BOSS(Boss8, B, 40.0f, None, 0, false, 150.0f, Nothing, Nothing),
};
#undef BOSS

// Every missile table matches its lock array.
#define SAME_COUNT(missiles, locks) static_assert(std::size(missiles) == std::size(locks));
SAME_COUNT(HomingMissileSzak3Slots, Szak3LockTargets)
SAME_COUNT(HomingMissileSzak4Slots, Szak4LockTargets)
SAME_COUNT(HomingMissileSzak21ASlots, Szak21ALockTargets)
SAME_COUNT(HomingMissileSzak22ASlots, Szak22ALockTargets)
SAME_COUNT(HomingMissileSzak40ASlots, Szak40ALockTargets)
SAME_COUNT(HomingMissileSzak41ASlots, Szak41ALockTargets)
SAME_COUNT(HomingMissileSzak40BSlots, Szak40BLockTargets)
SAME_COUNT(HomingMissileSzak41BSlots, Szak41BLockTargets)
#define SAME_COUNT_BOSS(boss)                                                 \
  SAME_COUNT(HomingMissile##boss##ASlots, boss##LockPoints.A)                 \
  SAME_COUNT(HomingMissile##boss##BSlots, boss##LockPoints.B)
SAME_COUNT_BOSS(Boss1)
SAME_COUNT_BOSS(Boss2)
SAME_COUNT_BOSS(Boss3)
SAME_COUNT_BOSS(Boss4)
SAME_COUNT_BOSS(Boss5)
SAME_COUNT_BOSS(Boss6)
SAME_COUNT_BOSS(Boss7)
SAME_COUNT_BOSS(Boss8)
#undef SAME_COUNT_BOSS
#undef SAME_COUNT

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
  for (int32_t i = 0; i < f.count; ++i) {
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
    for (int32_t k = 0; k < f.count && k < DriftMissiles; ++k) {
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
  for (int32_t i = 0; i < f.count; ++i) {
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
  const uint8_t look = f.look[ShipType - 1];
  for (int32_t i = 0; i < f.count; ++i) {
    const HomingMissile& m = f.missiles[i];
    if (m.active == 0) continue;
    if (look & Sprite) {
      elDraw::DrawObject(static_cast<int32_t>(m.x), static_cast<int32_t>(m.y), ImgFlz01_l, 0, 0,
                         20, 60);
    }
    if (look & Beam) {
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

#define MISSILE_FAMILY(family, table, row)                   \
  void HomingMissile##family##Fire() { Fire(table[row]); } \
  void HomingMissile##family##Move() { Move(table[row]); } \
  void HomingMissile##family##Draw() { Draw(table[row]); }
MISSILE_FAMILY(Szak3, KindFamilies, 0)
MISSILE_FAMILY(Szak4, KindFamilies, 1)
MISSILE_FAMILY(Szak21A, KindFamilies, 2)
MISSILE_FAMILY(Szak22A, KindFamilies, 3)
MISSILE_FAMILY(Szak40A, KindFamilies, 4)
MISSILE_FAMILY(Szak41A, KindFamilies, 5)
MISSILE_FAMILY(Szak40B, KindFamilies, 6)
MISSILE_FAMILY(Szak41B, KindFamilies, 7)
MISSILE_FAMILY(Boss1A, BossFamilies, 0)
MISSILE_FAMILY(Boss1B, BossFamilies, 1)
MISSILE_FAMILY(Boss3A, BossFamilies, 2)
MISSILE_FAMILY(Boss3B, BossFamilies, 3)
MISSILE_FAMILY(Boss7A, BossFamilies, 4)
MISSILE_FAMILY(Boss7B, BossFamilies, 5)
MISSILE_FAMILY(Boss4A, BossFamilies, 6)
MISSILE_FAMILY(Boss4B, BossFamilies, 7)
MISSILE_FAMILY(Boss5A, BossFamilies, 8)
MISSILE_FAMILY(Boss5B, BossFamilies, 9)
MISSILE_FAMILY(Boss6A, BossFamilies, 10)
MISSILE_FAMILY(Boss6B, BossFamilies, 11)
MISSILE_FAMILY(Boss2A, BossFamilies, 12)
MISSILE_FAMILY(Boss2B, BossFamilies, 13)
MISSILE_FAMILY(Boss8A, BossFamilies, 14)
MISSILE_FAMILY(Boss8B, BossFamilies, 15)
#undef MISSILE_FAMILY
