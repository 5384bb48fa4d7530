// The elSystem module of the platform library: frame timer, system services,
// key edges and joystick, and the window state shared with the shell.
#pragma once

#include "el/input/joystick.h"
#include "el/input/keys.h"
#include "el/system/app_state.h"
#include "el/system/frame_timer.h"
#include "el/system/system_services.h"
