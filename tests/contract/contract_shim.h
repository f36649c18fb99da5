// What each driver's test-control shim supplies to the contract suites, which
// are written against the public api alone and run on every driver: the
// emulated one on the headless host (contract_headless_shim.cpp) and the
// win32 one under Wine (tests/win32/win32_contract_shim.cpp). A step the
// driver cannot be made to take returns false, and the suite skips it.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/faults.h"
#include "platform/riff.h"
#include "platform/window.h"

namespace contract {

// Before each test: a fresh machine where there is one to have.
void FreshStart();
// Whether time moves only when the game sleeps or waits (the manual clock).
bool ExactClock();
// The game's window over the whole screen, of a class registered once.
platform::WindowHandle MakeWindow();
// The window system asks the window to close.
void RequestClose(platform::WindowHandle window);
// A key goes down or up as the system's keyboard reports it.
void PressKey(uint8_t scanCode, bool down);
// The step fails at its next call.
bool FailNext(platform::Fault fault);
// The system takes the memory of every sound buffer.
bool LoseSoundBuffers();
// Lets the sound card take the given number of milliseconds of sound.
void LetSoundPlay(uint32_t milliseconds);
// How far into the file the reader has gone, in bytes, for telling how much
// work a search did.
uint64_t RiffWork(platform::RiffFile file);

}  // namespace contract
