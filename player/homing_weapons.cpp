// The homing weapons' order within a stage frame.
#include "player/homing_weapons.h"

#include "player/boss_lock.h"
#include "player/homing_lasers.h"
#include "player/homing_missiles.h"

namespace {

using Operation = void (*)();

// Every stage moves the four laser families and the Szak21A and Szak22A
// missiles; the rest depends on the kinds and the bosses the stage meets.
#define LASER_MOVES                                                               \
  HomingLaserSzak6DMove, HomingLaserSzak6EMove, HomingLaserSzak13AMove, \
      HomingLaserSzak13BMove
#define WAVE_MISSILE_MOVES                                                         \
  HomingMissileSzak40AMove, HomingMissileSzak41AMove, HomingMissileSzak40BMove, \
      HomingMissileSzak41BMove

constexpr Operation Stage1Moves[] = {
    HomingMissileSzak3Move,   HomingMissileSzak4Move,   LASER_MOVES,
    HomingMissileSzak21AMove, HomingMissileSzak22AMove, WAVE_MISSILE_MOVES,
    HomingMissileBoss1AMove,  HomingMissileBoss1BMove,  nullptr};
constexpr Operation Stage2Moves[] = {
    LASER_MOVES,             HomingMissileSzak21AMove, HomingMissileSzak22AMove,
    WAVE_MISSILE_MOVES,      HomingMissileBoss7AMove,  HomingMissileBoss7BMove,
    HomingMissileBoss2AMove, HomingMissileBoss2BMove,  nullptr};
constexpr Operation Stage3Moves[] = {
    LASER_MOVES,        HomingMissileSzak21AMove, HomingMissileSzak22AMove,
    WAVE_MISSILE_MOVES, HomingMissileBoss3AMove,  HomingMissileBoss3BMove, nullptr};
constexpr Operation Stage4Moves[] = {
    LASER_MOVES,        HomingMissileSzak21AMove, HomingMissileSzak22AMove,
    WAVE_MISSILE_MOVES, HomingMissileBoss4AMove,  HomingMissileBoss4BMove, nullptr};
constexpr Operation Stage5Moves[] = {
    LASER_MOVES,        HomingMissileSzak21AMove, HomingMissileSzak22AMove,
    WAVE_MISSILE_MOVES, HomingMissileBoss5AMove,  HomingMissileBoss5BMove, nullptr};
constexpr Operation Stage6Moves[] = {
    HomingMissileSzak3Move,   HomingMissileSzak4Move,   LASER_MOVES,
    HomingMissileSzak21AMove, HomingMissileSzak22AMove, WAVE_MISSILE_MOVES,
    HomingMissileBoss6AMove,  HomingMissileBoss6BMove,  nullptr};
constexpr Operation Stage7Moves[] = {
    LASER_MOVES,             HomingMissileSzak21AMove, HomingMissileSzak22AMove,
    HomingMissileBoss2AMove, HomingMissileBoss2BMove,  HomingMissileBoss7AMove,
    HomingMissileBoss7BMove, nullptr};
constexpr Operation Stage8Moves[] = {
    LASER_MOVES, HomingMissileSzak21AMove, HomingMissileSzak22AMove, HomingMissileBoss8AMove,
    HomingMissileBoss8BMove, nullptr};

#undef LASER_MOVES
#undef WAVE_MISSILE_MOVES

constexpr const Operation* StageMoves[8] = {Stage1Moves, Stage2Moves, Stage3Moves,
                                            Stage4Moves, Stage5Moves, Stage6Moves,
                                            Stage7Moves, Stage8Moves};

constexpr Operation KindFires[] = {
    HomingMissileSzak3Fire,  HomingMissileSzak4Fire,  HomingMissileSzak21AFire,
    HomingMissileSzak22AFire, HomingMissileSzak40AFire, HomingMissileSzak41AFire,
    HomingMissileSzak40BFire, HomingMissileSzak41BFire,
};

}  // namespace

void HomingLaserSchedules() {
  HomingLaserSzak6DSchedule();
  HomingLaserSzak6ESchedule();
  HomingLaserSzak13ASchedule();
  HomingLaserSzak13BSchedule();
}

void HomingWeaponsMove(int32_t stage) {
  if (stage < 1 || stage > 8) return;
  for (const Operation* op = StageMoves[stage - 1]; *op != nullptr; ++op) (*op)();
}

void HomingAutoFire() {
  for (Operation fire : KindFires) fire();
  BossLockTest();
  HomingMissileBossFires();
}
