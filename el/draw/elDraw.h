// The drawing module of the platform library: the screen, the sprite object
// table with its loaders and image packs, the pixel lookup tables, the fills
// and blits, the present with its transitions, and text.
#pragma once

#include "el/draw/blit.h"
#include "el/draw/fps_meter.h"
#include "el/draw/objects.h"
#include "el/draw/present.h"
#include "el/draw/screen.h"
#include "el/draw/screenshot.h"
#include "el/draw/shapes.h"
#include "el/draw/soft_blit.h"
#include "el/draw/tables.h"
#include "el/draw/text.h"
#include "el/draw/textbox.h"
#include "el/draw/transition_state.h"
#include "el/draw/turned_pictures.h"
