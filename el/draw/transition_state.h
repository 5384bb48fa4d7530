// Screen-transition, picture-overlay, present and clip-wipe state.  The
// scenes and the key handler write some of it; the present, its transitions
// and the wipe read and advance it.  While a transition runs or the overlay
// is on, the key and joystick edge functions report every key as up.
#pragma once
#include <cstdint>

#include "os/system.h"

// ---- screen transitions ----
extern int32_t TransitionStep;     // S: 0 = no transition, else the current step
extern int32_t TransitionPattern;  // 0 tile picture, 1..12 bands and slides of the captured frame
extern int32_t TransitionDir;      // +1 forward run (up to 10), -1 backward run (down to 1), 0 none
extern int32_t TransitionBand;     // B: band size and number of steps of a backward run
extern int32_t TransitionPicture;  // sprite handle of pattern 0's tile strip (0 until loaded)

// ---- picture overlay ----
extern uint32_t PictureOverlay;    // 1 while the scrolling picture overlay is on
extern int32_t OverlayPicture;     // overlay picture and tile handles (0 = not loaded)
extern int32_t OverlayTile;
extern int32_t OverlayHeight;      // height of the overlay picture (0 = none)
extern float OverlayScroll;        // source row shown at the top of the clip rectangle
extern float OverlayTileX;         // drift of the tiles
extern float OverlayTileY;

// ---- present ----
extern uint32_t VSyncFlag;         // 1: wait for the vertical blank before the present

// ---- clip wipe ----
extern os::Rect SavedClip;         // the clip rectangle a wipe returns to
extern int32_t ClipSaveDepth;      // 1 opening, 2 closing, 0 idle, -1 closed (SavedClip holds the open one)
extern int32_t WipeMode;
extern int32_t WipeType;           // 1..9
extern float WipeSpeed;            // pixels per second
extern int32_t WipeSize;           // slit width of types 8 and 9
extern uint32_t WipeOpened;        // raised when an opening wipe finishes
extern uint32_t WipeClosed;        // raised when a closing wipe finishes
