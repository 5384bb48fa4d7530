// The display going away under the program (the X server or the Wayland
// compositor ends, the session logs out, the connection is killed) ends it
// at once: one line saying what the display library found, `vantris: the
// display went away: ...`, and exit status 1, whatever scene or box is up.
// Nothing waits on the dead connection: no window is closed and no
// destructor runs (the program keeps nothing of the player's to save, and
// the single-instance lock goes with the process).
#pragma once

namespace os::sdl {

// Sets the hook for the video driver that SDL has started; call once SDL's
// video is up (SDL sets its own handlers while it starts).
void EndWhenTheDisplayGoes();

}  // namespace os::sdl
