// One DirectSound buffer: its lock, status, play, stop and position.
#include "platform/win32/win32_native.h"

#include "platform/driver/driver.h"

namespace platform::driver {
namespace {

IDirectSoundBuffer* Buffer(Native buffer) {
    return static_cast<IDirectSoundBuffer*>(buffer);
}

Result Checked(HRESULT result, const char* what) {
    return FAILED(result) ? win32::Refuse(result, what) : kOk;
}

}  // namespace

Result LockSoundBuffer(Native buffer, uint32_t offset, uint32_t firstBytes, uint32_t secondBytes,
                       void** first, void** second) {
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    return Checked(Buffer(buffer)->Lock(offset, firstBytes + secondBytes, first, &firstLength,
                                        second, &secondLength, 0),
                   "cannot lock a sound buffer");
}

Result UnlockSoundBuffer(Native buffer, void* first, uint32_t firstBytes, void* second,
                         uint32_t secondBytes) {
    return Checked(Buffer(buffer)->Unlock(first, firstBytes, second, secondBytes),
                   "cannot unlock a sound buffer");
}

Result RestoreSoundBuffer(Native buffer) {
    return Checked(Buffer(buffer)->Restore(), "cannot restore a sound buffer");
}

Result SoundBufferStatus(Native buffer, uint32_t* status) {
    DWORD system = 0;
    const HRESULT got = Buffer(buffer)->GetStatus(&system);
    *status = system;
    return Checked(got, "cannot read a sound buffer's status");
}

Result PlaySoundBuffer(Native buffer, bool looping) {
    return Checked(Buffer(buffer)->Play(0, 0, looping ? DSBPLAY_LOOPING : 0),
                   "cannot play a sound");
}

Result StopSoundBuffer(Native buffer) {
    return Checked(Buffer(buffer)->Stop(), "cannot stop a sound");
}

Result SetSoundBufferPosition(Native buffer, uint32_t position) {
    return Checked(Buffer(buffer)->SetCurrentPosition(position), "cannot move in a sound");
}

}  // namespace platform::driver
