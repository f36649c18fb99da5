// The sound device: static buffers of unsigned 8-bit mono samples at 22050 per
// second, duplicates that share their samples, and a mixer that plays every
// buffer that is playing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/result.h"
#include "platform/window.h"

namespace platform {

inline constexpr uint32_t DSSCL_NORMAL = 1;
inline constexpr uint32_t DSBCAPS_STATIC = 0x00000002u;
inline constexpr uint32_t DSBPLAY_LOOPING = 0x00000001u;
inline constexpr uint32_t DSBSTATUS_PLAYING = 0x00000001u;
inline constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x00000002u;
inline constexpr uint32_t DSBSTATUS_LOOPING = 0x00000004u;
inline constexpr uint16_t WAVE_FORMAT_PCM = 1;

inline constexpr uint32_t kSampleRate = 22050;

struct WaveFormat {
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

struct SoundBufferDesc {
    uint32_t size = 0;  // sizeof(SoundBufferDesc)
    uint32_t flags = 0;
    uint32_t bufferBytes = 0;
    uint32_t reserved = 0;
    const WaveFormat* format = nullptr;  // must be PCM, 1 channel, 22050, 8 bits
    uint8_t algorithm[16] = {};
};

class SoundDevice;

class SoundBuffer {
public:
    // Locks bytes from offset on. The first region runs to the end of the
    // buffer; what is left wraps to the start as the second region (null and
    // 0 when nothing wraps). flags must be 0; one lock at a time. A lost
    // buffer gives kErrBufferLost.
    Result Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes, void** second,
                uint32_t* secondBytes, uint32_t flags);
    // Ends the lock with the regions it handed out (no more bytes than they hold).
    Result Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes);
    // Gives a lost buffer back its memory (the samples must be written again).
    Result Restore();
    // DSBSTATUS_PLAYING while it plays, with DSBSTATUS_LOOPING when looped;
    // DSBSTATUS_BUFFERLOST when lost.
    Result GetStatus(uint32_t* status);
    // Plays from the current position, once or looped (DSBPLAY_LOOPING).
    // A buffer played once stops by itself at its end and its position
    // returns to 0. reserved and priority must be 0.
    Result Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    // Stops; the position stays where it is.
    Result Stop();
    Result SetCurrentPosition(uint32_t position);
    uint32_t Release();

private:
    friend class SoundDevice;
    SoundBuffer(SoundDevice* device, void* native, uint32_t bytes);
    ~SoundBuffer();
    SoundDevice* device_;
    void* native_;
    uint32_t bytes_;
    uint32_t references_ = 1;
    // The regions of the lock that is out, if any.
    bool locked_ = false;
    void* lockFirst_ = nullptr;
    uint32_t lockFirstBytes_ = 0;
    void* lockSecond_ = nullptr;
    uint32_t lockSecondBytes_ = 0;
};

class SoundDevice {
public:
    Result SetCooperativeLevel(WindowHandle window, uint32_t level);
    Result CreateSoundBuffer(const SoundBufferDesc* description, SoundBuffer** buffer, void* outer);
    // A new buffer that shares the original's samples but has its own
    // position and status.
    Result DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate);
    // The last release stops the sound and frees every buffer still made.
    uint32_t Release();

private:
    friend Result CreateSoundDevice(const void* device, SoundDevice** sound, void* outer);
    friend class SoundBuffer;
    explicit SoundDevice(void* native) : native_(native) {}
    ~SoundDevice();
    Result Adopt(void* native, uint32_t bytes, SoundBuffer** buffer);
    void* native_;
    std::vector<SoundBuffer*> buffers_;  // every buffer still made, freed with the device
    uint32_t references_ = 1;
};

// Opens the default audio output. device and outer must be null.
Result CreateSoundDevice(const void* device, SoundDevice** sound, void* outer);

}  // namespace platform
