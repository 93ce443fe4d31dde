#pragma once

#include <SDL.h>

namespace sys {

// Xlib's answer to a display that goes away (the X server ends, the
// connection is cut) is to end the process there and then, from inside
// whatever call found out: nothing is saved, and the process's objects are
// destroyed in the middle of a frame while the game still uses them. Instead
// the loss is noted, Xlib's calls on that display fail quietly from then on,
// and the window reads the loss as a close request, so the game ends the way
// its close box ends it.

// Watches the display of the window when SDL draws through X (a new window
// watches afresh); other video drivers need nothing. Without an Xlib that can carry on after the loss
// (before 1.7) it logs that and leaves Xlib as it is.
void WatchForDisplayLoss(SDL_Window* window);
// What the watch calls when the display breaks: notes the loss, with a log
// line, the first time. Safe from any thread.
void NoteDisplayLost();
// Whether the watched display went away. SDL then must not take its window
// down: hiding it waits for word from the display that never comes.
bool IsDisplayLost();
// True once after the loss was noted.
bool TakeDisplayLoss();

}  // namespace sys
