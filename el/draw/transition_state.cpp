#include "el/draw/transition_state.h"

int32_t TransitionStep = 0;
int32_t TransitionPattern = 0;
int32_t TransitionDir = 0;
int32_t TransitionBand = 0;
int32_t TransitionPicture = 0;

uint32_t PictureOverlay = 0;
int32_t OverlayPicture = 0;
int32_t OverlayTile = 0;
int32_t OverlayHeight = 0;
float OverlayScroll = 0.0f;
float OverlayTileX = 0.0f;
float OverlayTileY = 0.0f;

uint32_t VSyncFlag = 1;

os::Rect SavedClip;
int32_t ClipSaveDepth = 0;
int32_t WipeMode = 0;
int32_t WipeType = 0;
float WipeSpeed = 0.0f;
int32_t WipeSize = 0;
uint32_t WipeOpened = 0;
uint32_t WipeClosed = 0;
