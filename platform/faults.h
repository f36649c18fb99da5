// Device steps that can fail. The headless backend can make any of them fail
// on demand, so that tests reach every failure path; the real backend fails
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
