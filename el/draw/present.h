// The end of every frame: the screen transition drawn over the new frame,
// the picture overlay, the wait for the vertical blank and the copy of the
// back buffer onto the visible screen; the screen capture, the transition
// and overlay setters and the animated wipes of the clip rectangle.
//
// A scene change captures the finished old frame into internal object 1
// (CaptureScreen(1, 0, 0, ScreenWidth, ScreenHeight)), stores
// TransitionPattern, TransitionBand, TransitionStep = band and
// TransitionDir = -1; each following Flip draws the old frame over the new
// one, one step less per frame, for `band` frames.
#pragma once
#include <cstdint>

namespace elDraw {

// Transition, overlay, vertical-blank wait, present.  A lost surface
// restores every surface; that frame is not presented again.
void Flip();
void SetVSync(uint32_t flag);
// Copies the back-buffer rectangle to (0, 0) of the object.
void CaptureScreen(int32_t handle, int32_t left, int32_t top, int32_t right, int32_t bottom);

// A forward run: step 1 up to 10, then the main loop enters NextScene.
void StartTransition();
// A backward run from step 10.
void StartTransitionBack();
// Loads pattern 0's strip of 64 x 48 tiles (black keyed).
void LoadTransitionPicture(const char* name);
// Loads (or reloads into the same slots) the overlay picture and its tile.
void LoadOverlayPictures(const char* picture, const char* tile, int32_t picture_height);
// Off when on; on only once an overlay picture height is known.
void ToggleOverlay();

}  // namespace elDraw

// Animated wipes of the clip rectangle: mode 0 opens it from the type's
// start, any other mode closes it.  Type 0 picks one of the nine at random.
// Start returns 0 while a wipe runs; Step returns 1 while one runs (also on
// the step that finishes it).  End closes the rectangle at once.
int32_t ClipWipeStart(int32_t mode, int32_t type, float speed, int32_t size);
int32_t ClipWipeStep();
void ClipWipeEnd();
