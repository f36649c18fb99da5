// What a driver supplies under the platform's api (platform/*.cpp): one call
// per operation on the system's objects, each held by the api as an opaque
// pointer. The api checks every argument, counts references and live objects
// and words its refusals before a call reaches a driver, so a driver only does
// the work. Two drivers exist, chosen at link time: emulated/ (our own
// services, on a host: hosts/sdl for the program on Linux, hosts/headless for
// tests) and win32/ (the system's own services on Windows).
//
// A call that fails returns a failure code (or false, or null) and has said
// why with detail::SetErrorText (platform/api/api_failure.h). Only platform/
// sees this header.
#pragma once

#include <cstdint>

#include "platform/api/api_failure.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/result.h"
#include "platform/riff.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "platform/window.h"

namespace platform::driver {

using Native = void*;

// Clock.
uint32_t Ticks();
void Sleep(uint32_t milliseconds);

// Telling the player why the game cannot run (standard error, or a message
// box where there is none).
void ShowFailure(const char* line);

// Window and messages. The handles are the driver's own.
InstanceHandle ProgramInstance();
uint16_t RegisterClass(const WindowClass& windowClass);
WindowHandle CreateWindow(const char* className, const char* title, uint32_t style, int32_t x,
                          int32_t y, int32_t width, int32_t height, InstanceHandle instance,
                          void* parameter);
bool DestroyWindow(WindowHandle window);
bool IsWindow(WindowHandle window);
bool SetWindowIcon(WindowHandle window, const IconImage& icon);
void DesktopSize(int32_t* width, int32_t* height);
int32_t ShowCursor(bool show);
bool PeekMessage(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                 bool remove);
bool TranslateMessage(const Message& message);
intptr_t DispatchMessage(const Message& message);
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);
void PostQuitMessage(int32_t exitCode);
void* BeginPaint(WindowHandle window, PaintInfo* paint);
bool EndPaint(WindowHandle window);
// Lets the window system's events in and waits for one, at most the timeout:
// what a read of the keyboard does between two reads close together.
void LetEventsIn();
void WaitForEvent(uint32_t milliseconds);

// Display. A flip chain is a front buffer and its back buffer; Flip shows the
// back buffer through the palette (null: black) and trades the two.
Result OpenDisplay(Native* display);
void CloseDisplay(Native display);
Result SetCooperativeLevel(Native display, WindowHandle window, uint32_t flags);
Result SetDisplayMode(Native display, uint32_t width, uint32_t height, uint32_t bits);
Result WaitForVerticalBlank(Native display);
Result CreateFlipChain(Native display, Native* front, Native* back);
// The game asks the front buffer for its back buffer.
Result FetchBackBuffer(Native front);
Result CreateSurface(Native display, uint32_t width, uint32_t height, Native* surface);
void ReleaseSurface(Native surface);
Result CreatePalette(Native display, bool all256, const PaletteEntry* entries, Native* palette);
void ReleasePalette(Native palette);
Result SetPaletteEntries(Native palette, uint32_t first, uint32_t count,
                         const PaletteEntry* entries);
// The 256 colours as the palette holds them.
const PaletteEntry* PaletteEntries(Native palette);
Result SetSurfacePalette(Native surface, Native palette);
Result SetColorKey(Native surface, const ColorKey* key);
Result Fill(Native surface, const Rect& area, uint8_t colour);
Result Blit(Native target, uint32_t x, uint32_t y, Native source, const Rect& from, bool keyed);
Result Flip(Native front, Native back);
Result Lock(Native surface, uint8_t** pixels, int32_t* pitch);
Result Unlock(Native surface);
Result GetDC(Native surface, DeviceContext** context);
Result ReleaseDC(Native surface, DeviceContext* context);
// The pixels as they stand, for the platform's own code and for tests: null
// where the system keeps them out of reach unless locked.
const uint8_t* SurfacePixels(Native surface, int32_t* pitch);

// Text on a device context.
ColorRef SetTextColor(DeviceContext* context, ColorRef colour);
int SetBkMode(DeviceContext* context, int mode);
bool TextOut(DeviceContext* context, int32_t x, int32_t y, const char* text, int32_t length);

// Keyboard.
Result OpenInput(InstanceHandle instance, Native* input);
void CloseInput(Native input);
Result OpenKeyboard(Native input, Native* keyboard);
void CloseKeyboard(Native keyboard);
Result SetKeyboardCooperativeLevel(Native keyboard, WindowHandle window, uint32_t flags);
Result SetKeyboardFormat(Native keyboard);
Result Acquire(Native keyboard);
Result Unacquire(Native keyboard);
// 256 bytes, 0x80 for a key down now or pressed since the previous read.
Result ReadKeyboard(Native keyboard, uint8_t* keys);

// Sound. A lock hands out the bytes from offset on: firstBytes to the end of
// the buffer, then secondBytes from its start.
Result OpenSound(Native* sound);
void CloseSound(Native sound);
Result SetSoundCooperativeLevel(Native sound, WindowHandle window, uint32_t level);
Result CreateSoundBuffer(Native sound, uint32_t bytes, Native* buffer);
Result DuplicateSoundBuffer(Native sound, Native original, Native* duplicate);
void ReleaseSoundBuffer(Native sound, Native buffer);
Result LockSoundBuffer(Native buffer, uint32_t offset, uint32_t firstBytes, uint32_t secondBytes,
                       void** first, void** second);
Result UnlockSoundBuffer(Native buffer, void* first, uint32_t firstBytes, void* second,
                         uint32_t secondBytes);
Result RestoreSoundBuffer(Native buffer);
Result SoundBufferStatus(Native buffer, uint32_t* status);
Result PlaySoundBuffer(Native buffer, bool looping);
Result StopSoundBuffer(Native buffer);
Result SetSoundBufferPosition(Native buffer, uint32_t position);

// Files.
Result OpenFile(const char* fileName, Native* file);
bool ReadFile(Native file, void* buffer, uint32_t count, uint32_t* bytesRead);
bool CloseFile(Native file);

// RIFF files. search is one of RIFF_FINDCHUNK, RIFF_FINDRIFF, RIFF_FINDLIST or 0.
Result RiffOpen(const char* fileName, Native* file);
RiffResult RiffDescend(Native file, ChunkInfo* chunk, const ChunkInfo* parent, uint32_t search);
int32_t RiffRead(Native file, void* buffer, int32_t count);
RiffResult RiffAscend(Native file, const ChunkInfo& chunk);
RiffResult RiffClose(Native file);

}  // namespace platform::driver
