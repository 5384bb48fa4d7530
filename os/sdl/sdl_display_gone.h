// The display going away under the program (the X server or the Wayland
// compositor ends, the session logs out, the connection is killed) ends it
// at once: one line saying what the display library found, `vantris: the
// display went away: ...`, and exit status 1, whatever scene or box is up.
// Nothing waits on the dead connection: no window is closed and no
// destructor runs (the program keeps nothing of the player's to save, and
// the single-instance lock goes with the process).
#pragma once
#include <string>

namespace os::sdl {

// Sets the hook for the video driver that SDL has started; call once SDL's
// video is up (SDL sets its own handlers while it starts).
void EndWhenTheDisplayGoes();

// Ends the program the same way for another cause (the window destroyed
// under it, an X error it cannot go on from): `vantris: ` and `what` in one
// line, exit status 1, nothing waiting on the display.
[[noreturn]] void EndAtOnce(const std::string& what);

}  // namespace os::sdl
