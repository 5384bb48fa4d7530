// How many times a stage frame moves a kind: the frame against direct Move
// calls from the same start.
#pragma once
#include <algorithm>
#include <cstddef>
#include <iterator>

#include "shell/object_resets.h"
#include "tests/player/player_fixture.h"

namespace stage_test {

// Fresh tables and one `spawn`; then `frame()` from that start, and again
// 1 to 4 direct `move` calls from it.  The count whose end the frame's
// matches (0 if none or more than one does).
template <typename T, size_t N, typename Frame>
int MovesPerFrame(T (&slots)[N], void (*spawn)(), void (*move)(), Frame frame) {
  ResetObjectTablesA();
  ResetObjectTablesB();
  spawn();
  T start[N];
  std::copy(std::begin(slots), std::end(slots), start);
  frame();
  const player_test::XY framed = player_test::Pos(slots[0]);
  int found = 0;
  for (int n = 1; n <= 4; ++n) {
    std::copy(std::begin(start), std::end(start), slots);
    for (int i = 0; i < n; ++i) move();
    if (player_test::Pos(slots[0]) != framed) continue;
    if (found != 0) return 0;
    found = n;
  }
  return found;
}

}  // namespace stage_test
