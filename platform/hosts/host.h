// What a host supplies to the emulated driver (platform/emulated): a clock,
// one window, an 8-bit screen, key snapshots and an audio output. Only
// platform/ sees this header; the game never does. Each host is a folder of
// its own, chosen at link time: hosts/sdl for the program on Linux,
// hosts/headless for tests (a manual clock, scripted keys, captured frames).
#pragma once

#include <cstdint>

#include "platform/api/api_failure.h"
#include "platform/display.h"
#include "platform/faults.h"
#include "platform/window.h"

namespace platform::host {

// Clock.
uint32_t Ticks();
void SleepFor(uint32_t milliseconds);

// Whether the host makes this device step fail now. Counts the call.
bool Fails(Fault fault);

// Window. One window at a time, full screen on the desktop. OpenWindow and
// OpenScreen record why they failed with SetErrorText; the driver does
// not overwrite that.
bool OpenWindow(const char* title);
void CloseWindow();
void SetIcon(const IconImage& icon);
void SetCursorVisible(bool visible);
void DesktopSize(int32_t* width, int32_t* height);

// Moves the window system's pending events into the message queue
// (detail::QueueSystemMessage): a close request as WM_CLOSE, an exposed
// window as WM_PAINT.
void PumpEvents();
// Waits until the timeout has passed, or sooner when an event comes and the
// window system can wake for it.
void WaitForEvent(uint32_t timeoutMilliseconds);

// Screen: a width x height 8-bit picture shown through a 256-colour palette.
// The display device opens it when it sets the mode (again when a later device
// does) and closes it when that device goes. Present gets the rows of the new
// front buffer, pitch bytes apart, and the 256 entries to show them through;
// it may leave a frame equal to the one on the screen alone, as long as an
// uncovered or resized window is still repainted at once.
bool OpenScreen(int32_t width, int32_t height);
void CloseScreen();
void Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
             const PaletteEntry* palette);

// Keyboard: 256 bytes by scan code, 0x80 for a key that is down now or went
// down at any moment since the previous ReadKeyboard, 0 for every other key.
// So a tap shorter than the time between two reads shows in exactly one read,
// several taps between two reads show once, and a held key shows in every
// read. A host that hears key-down and key-up events keeps them in a
// KeySnapshots (platform/hosts/host_key_snapshots.h), which gives exactly this;
// one that can only read the keys as they are now would lose a tap. Events
// that arrive while reads fail or the device is not acquired still count
// towards the next successful read.
bool ReadKeyboard(uint8_t* keys);

// Audio: the host calls mix from its audio thread (or, headless, when a test
// pulls samples) for count unsigned 8-bit mono samples at 22050 per second,
// with the audio lock held. There is one output: OpenAudio gives false while
// it is open, and when it fails it may say why through SetErrorText.
using MixFunction = void (*)(void* context, uint8_t* samples, uint32_t count);
bool OpenAudio(MixFunction mix, void* context);
void CloseAudio();
void LockAudio();
void UnlockAudio();

// Records why the last call failed, for LastErrorText().
inline void SetErrorText(const char* text) {
    detail::SetErrorText(text);
}

}  // namespace platform::host

// What the emulated driver offers its hosts in return.
namespace platform::detail {

// Puts a message from the window system at the back of the queue, for the
// game's window. A WM_PAINT is queued only when none is pending.
void QueueSystemMessage(uint32_t message);

// Forgets every window class, the window and every queued message without
// calling any window procedure: part of the headless host's fresh machine.
void ResetWindowSystem();

// The system took the memory of every sound buffer: each stops and is lost
// until the game restores it and writes its samples again.
void LoseSoundBuffers();

}  // namespace platform::detail
