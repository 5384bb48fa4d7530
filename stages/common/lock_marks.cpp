#include "stages/common/lock_marks.h"

#include "el/draw/elDraw.h"
#include "shell/assets.h"

void DrawLockMark(const LockOnTarget& point) {
  if (point.locked != 0) elDraw::DrawObject(point.x, point.y, ImgRock1, 0, 0, 60, 60);
}
