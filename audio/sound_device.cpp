// The sound device, bound to the game's window. Every sound is made on it.
#include "audio/sound_clip.h"
#include "program/window_handles.h"

platform::SoundDevice* soundDevice = nullptr;

int32_t InitSoundDevice() {
    if (platform::CreateSoundDevice(nullptr, &soundDevice, nullptr) != platform::kOk) {
        return 0;
    }
    return soundDevice->SetCooperativeLevel(mainWindow, platform::DSSCL_NORMAL) == platform::kOk
               ? 1
               : 0;
}

void ReleaseSoundDevice() {
    // Shut-down may follow a start-up that never made the device.
    if (soundDevice == nullptr) {
        return;
    }
    soundDevice->Release();
    soundDevice = nullptr;
}
