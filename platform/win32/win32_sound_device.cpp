// The sound device on DirectSound: the default output, static buffers and
// their duplicates.
#include "platform/win32/win32_native.h"

#include "platform/driver/driver.h"

namespace platform::driver {
namespace {

using win32::Refuse;

IDirectSound* Sound(Native sound) {
    return static_cast<IDirectSound*>(sound);
}

WAVEFORMATEX GameFormat() {
    WAVEFORMATEX system{};
    system.wFormatTag = WAVE_FORMAT_PCM;
    system.nChannels = 1;
    system.nSamplesPerSec = kSampleRate;
    system.nAvgBytesPerSec = kSampleRate;
    system.nBlockAlign = 1;
    system.wBitsPerSample = 8;
    return system;
}

}  // namespace

Result OpenSound(Native* sound) {
    IDirectSound* system = nullptr;
    const HRESULT made = DirectSoundCreate(nullptr, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no audio device");
    }
    *sound = system;
    return kOk;
}

void CloseSound(Native sound) {
    Sound(sound)->Release();
}

Result SetSoundCooperativeLevel(Native sound, WindowHandle window, uint32_t level) {
    const HRESULT set = Sound(sound)->SetCooperativeLevel(win32::Native(window), level);
    return FAILED(set) ? Refuse(set, "cannot share the sound device") : kOk;
}

Result CreateSoundBuffer(Native sound, uint32_t bytes, Native* buffer) {
    WAVEFORMATEX format = GameFormat();
    DSBUFFERDESC system{};
    system.dwSize = sizeof system;
    system.dwFlags = DSBCAPS_STATIC;
    system.dwBufferBytes = bytes;
    system.lpwfxFormat = &format;
    IDirectSoundBuffer* made = nullptr;
    const HRESULT created = Sound(sound)->CreateSoundBuffer(&system, &made, nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make a sound buffer");
    }
    *buffer = made;
    return kOk;
}

Result DuplicateSoundBuffer(Native sound, Native original, Native* duplicate) {
    IDirectSoundBuffer* made = nullptr;
    const HRESULT copied =
        Sound(sound)->DuplicateSoundBuffer(static_cast<IDirectSoundBuffer*>(original), &made);
    if (FAILED(copied)) {
        return Refuse(copied, "cannot copy a sound buffer");
    }
    *duplicate = made;
    return kOk;
}

void ReleaseSoundBuffer(Native /*sound*/, Native buffer) {
    static_cast<IDirectSoundBuffer*>(buffer)->Release();
}

}  // namespace platform::driver
