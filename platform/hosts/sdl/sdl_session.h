// What the files of the SDL host share with each other. Nothing of SDL
// shows here: the window is named by its SDL window id.
#pragma once

#include <cstdint>

namespace platform::sdl {

// Starts SDL's video and event handling once; later calls only report whether
// that worked. On failure the error text says why.
bool StartVideo();

// Makes sure SDL's sound stops when the program ends, so the audio thread is
// gone before the program's own objects go away, even when shut-down was cut
// short. The rest of SDL ends with the process: taking the window system down
// at exit would wait for ever on a display connection that is already lost,
// which is just when the X library ends the program itself.
void StopSoundAtExit();

// The id of the game's window, or 0 when there is none.
uint32_t WindowId();

// A key event from the window system, by SDL scan code (an SDL_Scancode).
// Every key event the host takes from SDL comes here, so that a key
// pressed and let go between two keyboard reads is still seen.
void KeyChanged(int sdlScancode, bool down);
// The window lost the keyboard: no key is down any more.
void AllKeysUp();

// Shows the last presented frame again (the window was uncovered or resized).
void RepaintScreen();

}  // namespace platform::sdl
