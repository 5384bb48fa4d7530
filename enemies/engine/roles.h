// The public roles of the enemy kinds and bullet families, by role set.
//
// Each group header (enemies/small_kinds.h, the bosses' family headers ...)
// keeps one list macro with a line per kind or family, X(set, stem), and
// expands it with DECLARE_ROLES to declare the functions the engine macros
// define.  The headless runner (tools/runner/roles.cpp) expands the same
// lists with its own X to call the roles by name (all but Emit), so adding
// the line is all a new kind or family needs to be reachable there.
//
// Role sets:
//   KIND       stem##Spawn, stem##Update, stem##Move (and the hit setter
//              stem##Hit(slot), declared with the kind's tables)
//   WAVE       stem##Init(slot), stem##Spawn, stem##Update, stem##Move (and
//              the hit setter, as KIND)
//   KIND1      the same for a kind of one record, whose hit setter
//              stem##Hit() takes no slot
//   FIRED      stem##Fire, stem##Move, stem##Draw
//   SCHEDULED  stem##Schedule, stem##Emit(r, first), stem##Move, stem##Draw
//   RING       stem##Schedule, stem##Emit(r), stem##Move, stem##Draw
//   STREAM     the same for a curving stream (Emit(k) puts slot k out)
//   PLACED     stem##Schedule (placing without an Emit), stem##Move, stem##Draw
//   LASER      stem##Fire, stem##Draw (no Move): the stage-5 boss's beams,
//              whose DECLARE_ROLES_LASER is in stages/stage5/boss5_laser.h
#pragma once
#include <cstdint>

#define DECLARE_ROLES_KIND(stem) \
  void stem##Spawn();            \
  void stem##Update();           \
  void stem##Move();
#define DECLARE_ROLES_WAVE(stem)   \
  void stem##Init(int32_t slot);   \
  DECLARE_ROLES_KIND(stem)
#define DECLARE_ROLES_KIND1(stem) DECLARE_ROLES_KIND(stem)
#define DECLARE_ROLES_FIRED(stem) \
  void stem##Fire();              \
  void stem##Move();              \
  void stem##Draw();
#define DECLARE_ROLES_SCHEDULED(stem)          \
  void stem##Schedule();                       \
  void stem##Emit(int32_t r, int32_t first);   \
  void stem##Move();                           \
  void stem##Draw();

#define DECLARE_ROLES_RING(stem) \
  void stem##Schedule();          \
  void stem##Emit(int32_t r);     \
  void stem##Move();              \
  void stem##Draw();
#define DECLARE_ROLES_STREAM(stem) DECLARE_ROLES_RING(stem)
#define DECLARE_ROLES_PLACED(stem) \
  void stem##Schedule();           \
  void stem##Move();               \
  void stem##Draw();

#define DECLARE_ROLES(set, stem) DECLARE_ROLES_##set(stem)
