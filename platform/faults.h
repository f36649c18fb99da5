// Device steps that can fail. The headless host can make any of them fail
// on demand, so that tests reach every failure path; the win32 driver and the SDL host fail
// only when the system does.
#pragma once

namespace platform {

enum class Fault {
    RegisterClass,
    CreateWindow,
    CreateDisplay,
    SetDisplayMode,
    CreatePrimarySurface,
    GetBackBuffer,
    CreatePalette,
    CreateOffscreenSurface,
    LockSurface,
    GetDC,
    Blit,
    Flip,
    CreateInput,
    CreateKeyboard,
    SetKeyboardCooperativeLevel,
    SetDataFormat,
    Acquire,
    GetDeviceState,
    CreateSoundDevice,
    SetSoundCooperativeLevel,
    CreateSoundBuffer,
    DuplicateSoundBuffer,
    LockSoundBuffer,
    Count
};

}  // namespace platform
