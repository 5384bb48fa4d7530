// Animated wipes of the clip rectangle.
#include <algorithm>
#include <cmath>

#include "el/draw/present.h"
#include "el/draw/screen.h"
#include "el/draw/transition_state.h"
#include "el/system/frame_timer.h"
#include "os/system.h"

namespace {

// The clip rectangle as 64-bit edges while a step works on it.
struct Edges {
  int64_t left, top, right, bottom;
};

Edges Current() { return {ClipLeft, ClipTop, ClipRight, ClipBottom}; }
Edges Saved() { return {SavedClip.left, SavedClip.top, SavedClip.right, SavedClip.bottom}; }

void Store(const Edges& e) {
  // Every edge lies between saved edges (or was copied from one), so it fits.
  ClipLeft = static_cast<int32_t>(e.left);
  ClipTop = static_cast<int32_t>(e.top);
  ClipRight = static_cast<int32_t>(e.right);
  ClipBottom = static_cast<int32_t>(e.bottom);
}

int64_t MidX(const Edges& s) { return (s.right - s.left) / 2 + s.left; }
int64_t MidY(const Edges& s) { return (s.bottom - s.top) / 2 + s.top; }

// Opening a pair (low edge moves down to `low_to`, high edge up to
// `high_to`): when either arrives both take their saved values.  True once
// the pair is open.
bool OpenPair(int64_t* low, int64_t* high, int64_t low_to, int64_t high_to, int64_t d) {
  if (*low == low_to && *high == high_to) return true;
  *low -= d;
  *high += d;
  if (*low <= low_to || *high >= high_to) {
    *low = low_to;
    *high = high_to;
    return true;
  }
  return false;
}

// Closing a pair until the edges meet; a pair that crosses is set to the
// middle.  True once closed.
bool ClosePair(int64_t* low, int64_t* high, int64_t d, int64_t mid) {
  if (*low >= *high) return true;
  *low += d;
  *high -= d;
  if (*low >= *high) {
    *low = *high = mid;
    return true;
  }
  return false;
}

// v kept between lo and hi (lo wins when the two are inverted).
int64_t Between(int64_t v, int64_t lo, int64_t hi) { return std::max(lo, std::min(v, hi)); }

// Moves one edge toward `to` by d; true on arrival, where it stops.
bool MoveEdge(int64_t* edge, int64_t to, int64_t d) {
  if (*edge < to) {
    *edge = std::min(*edge + d, to);
  } else if (*edge > to) {
    *edge = std::max(*edge - d, to);
  }
  return *edge == to;
}

// One opening step; true when the rectangle is fully open.
bool OpenStep(Edges& e, const Edges& s, int64_t d) {
  switch (WipeType) {
    case 1: return MoveEdge(&e.top, s.top, d);
    case 2: return MoveEdge(&e.bottom, s.bottom, d);
    case 3: return MoveEdge(&e.left, s.left, d);
    case 4: return MoveEdge(&e.right, s.right, d);
    case 5: return OpenPair(&e.top, &e.bottom, s.top, s.bottom, d);
    case 6: return OpenPair(&e.left, &e.right, s.left, s.right, d);
    case 7: {
      const bool v = OpenPair(&e.top, &e.bottom, s.top, s.bottom, d);
      const bool h = OpenPair(&e.left, &e.right, s.left, s.right, d);
      return v && h;
    }
    // One pair, then (from the next call on) the other.
    case 8:
      if (e.top != s.top || e.bottom != s.bottom) {
        OpenPair(&e.top, &e.bottom, s.top, s.bottom, d);
        return false;
      }
      return OpenPair(&e.left, &e.right, s.left, s.right, d);
    case 9:
      if (e.left != s.left || e.right != s.right) {
        OpenPair(&e.left, &e.right, s.left, s.right, d);
        return false;
      }
      return OpenPair(&e.top, &e.bottom, s.top, s.bottom, d);
    default: return false;
  }
}

// Closing a pair onto the slit [low_to, high_to]; each edge stops there.
void ToSlit(int64_t* low, int64_t* high, int64_t low_to, int64_t high_to, int64_t d) {
  if (*low < low_to) MoveEdge(low, low_to, d);
  if (*high > high_to) MoveEdge(high, high_to, d);
}

// The slit of types 8 and 9 around `mid`, inside the saved edges.
int64_t SlitLow(int64_t mid, int64_t lo, int64_t hi) { return Between(mid - WipeSize / 2, lo, hi); }
int64_t SlitHigh(int64_t mid, int64_t lo, int64_t hi) { return Between(mid + WipeSize / 2, lo, hi); }

// One closing step; true when the rectangle is closed.
bool CloseStep(Edges& e, const Edges& s, int64_t d) {
  const int64_t mx = MidX(s), my = MidY(s);
  switch (WipeType) {
    case 1: return MoveEdge(&e.top, s.bottom, d);
    case 2: return MoveEdge(&e.bottom, s.top, d);
    case 3: return MoveEdge(&e.left, s.right, d);
    case 4: return MoveEdge(&e.right, s.left, d);
    case 5: return ClosePair(&e.top, &e.bottom, d, my);
    case 6: return ClosePair(&e.left, &e.right, d, mx);
    case 7: {
      const bool v = ClosePair(&e.top, &e.bottom, d, my);
      const bool h = ClosePair(&e.left, &e.right, d, mx);
      return v && h;
    }
    // Onto the slit, then (from the next call on) the other pair together.
    case 8: {
      const int64_t lo = SlitLow(mx, s.left, s.right), hi = SlitHigh(mx, s.left, s.right);
      if (e.left < lo || e.right > hi) {
        ToSlit(&e.left, &e.right, lo, hi, d);
        return false;
      }
      return ClosePair(&e.top, &e.bottom, d, my);
    }
    case 9: {
      const int64_t lo = SlitLow(my, s.top, s.bottom), hi = SlitHigh(my, s.top, s.bottom);
      if (e.top < lo || e.bottom > hi) {
        ToSlit(&e.top, &e.bottom, lo, hi, d);
        return false;
      }
      return ClosePair(&e.left, &e.right, d, mx);
    }
    default: return false;
  }
}

}  // namespace

int32_t ClipWipeStart(int32_t mode, int32_t type, float speed, int32_t size) {
  if (ClipSaveDepth > 0) return 0;
  if (ClipSaveDepth == -1) elDraw::SetClip(SavedClip.left, SavedClip.top, SavedClip.right, SavedClip.bottom);
  SavedClip = os::Rect{ClipLeft, ClipTop, ClipRight, ClipBottom};
  if (type == 0) type = os::Random() % 9 + 1;
  WipeOpened = 0;
  WipeClosed = 0;
  WipeMode = mode;
  WipeType = type;
  WipeSpeed = speed;
  WipeSize = size;
  if (mode != 0) {
    ClipSaveDepth = 2;  // closing, from the full rectangle
    return 1;
  }
  ClipSaveDepth = 1;
  const Edges s = Saved();
  Edges e = s;
  const int64_t mx = MidX(s), my = MidY(s);
  switch (type) {
    case 1: e.top = e.bottom; break;
    case 2: e.bottom = e.top; break;
    case 3: e.left = e.right; break;
    case 4: e.right = e.left; break;
    case 5: e.top = e.bottom = my; break;
    case 6: e.left = e.right = mx; break;
    case 7: e.left = e.right = mx; e.top = e.bottom = my; break;
    case 8:
      e.left = SlitLow(mx, s.left, s.right);
      e.right = SlitHigh(mx, s.left, s.right);
      e.top = e.bottom = my;
      break;
    case 9:
      e.left = e.right = mx;
      e.top = SlitLow(my, s.top, s.bottom);
      e.bottom = SlitHigh(my, s.top, s.bottom);
      break;
    default: break;
  }
  Store(e);
  return 1;
}

int32_t ClipWipeStep() {
  if (ClipSaveDepth < 1) return 0;
  // Each moving edge moves trunc(FrameTime x speed) + 1 pixels per call.
  const double moved = static_cast<double>(FrameTime) * WipeSpeed;
  const int64_t d =
      std::isfinite(moved) ? static_cast<int64_t>(std::clamp(moved, 0.0, 4.0e9)) + 1 : 1;
  const Edges s = Saved();
  Edges e = Current();
  if (ClipSaveDepth == 1) {
    const bool open = OpenStep(e, s, d);
    Store(e);
    if (open) {
      Store(s);
      ClipSaveDepth = 0;
      WipeOpened = 1;
    }
  } else {
    const bool closed = CloseStep(e, s, d);
    Store(e);
    if (closed) {
      ClipSaveDepth = -1;
      WipeClosed = 1;
    }
  }
  return 1;
}

void ClipWipeEnd() {
  SavedClip = os::Rect{ClipLeft, ClipTop, ClipRight, ClipBottom};
  ClipRight = ClipLeft;
  ClipBottom = ClipTop;
  ClipSaveDepth = -1;
}
