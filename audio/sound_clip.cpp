// One wave file in a static sound buffer, with copies that share its samples.
#include <algorithm>
#include <cstring>
#include <new>

#include "audio/sound_clip.h"

namespace {

using platform::SoundBuffer;

// Every sound plays in this format, whatever its file says.
constexpr platform::WaveFormat kPlayFormat{
    .formatTag = platform::WAVE_FORMAT_PCM,
    .channels = 1,
    .samplesPerSec = platform::kSampleRate,
    .avgBytesPerSec = platform::kSampleRate,
    .blockAlign = 1,
    .bitsPerSample = 8,
};

bool IsPlaying(SoundBuffer* buffer) {
    uint32_t status = 0;
    // A copy that cannot tell is taken as busy, so it is never restarted.
    if (platform::Failed(buffer->GetStatus(&status))) {
        return true;
    }
    return (status & platform::DSBSTATUS_PLAYING) != 0;
}

}  // namespace

Sound::Sound() : copyCount(0), buffers(nullptr), bufferSlots(0) {}

Sound::~Sound() {
    ReleaseBuffers();
}

void Sound::ReleaseBuffers() {
    for (int32_t i = 0; i < bufferSlots; ++i) {
        if (buffers[i] != nullptr) {
            buffers[i]->Release();
        }
    }
    delete[] buffers;
    buffers = nullptr;
    bufferSlots = 0;
    copyCount = 0;
}

void Sound::Load(const char* fileName, int32_t copies) {
    uint8_t* data = nullptr;
    const int32_t size = ReadWaveFile(fileName, &data);
    if (size == 0) {
        return;
    }
    CreateBuffer(size, copies);
    Fill(data, size);
    MakeCopies(copies);
    delete[] data;
}

int32_t Sound::CreateBuffer(int32_t size, int32_t copies) {
    // A sound loaded again starts from nothing rather than leaking its old buffers.
    ReleaseBuffers();
    if (size < 1 || copies < 1 || soundDevice == nullptr) {
        return 0;
    }
    platform::SoundBufferDesc description{};
    description.size = sizeof(platform::SoundBufferDesc);
    description.flags = platform::DSBCAPS_STATIC;
    description.bufferBytes = static_cast<uint32_t>(size);
    description.reserved = 0;
    description.format = &kPlayFormat;

    buffers = new (std::nothrow) SoundBuffer*[static_cast<size_t>(copies)]();
    if (buffers == nullptr) {
        return 0;
    }
    bufferSlots = copies;
    if (platform::Failed(soundDevice->CreateSoundBuffer(&description, &buffers[0], nullptr))) {
        // Nothing to play: the sound stays silent.
        ReleaseBuffers();
        return 0;
    }
    return 1;
}

int32_t Sound::Fill(const uint8_t* data, int32_t size) {
    if (size < 1 || data == nullptr || buffers == nullptr || buffers[0] == nullptr) {
        return 0;
    }
    SoundBuffer* buffer = buffers[0];
    const auto bytes = static_cast<uint32_t>(size);
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    platform::Result locked = buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes, 0);
    if (locked == platform::kErrBufferLost) {
        buffer->Restore();
        locked = buffer->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes, 0);
    }
    if (platform::Failed(locked)) {
        return 0;
    }
    // The regions never take more than the data holds.
    firstBytes = std::min(firstBytes, bytes);
    std::memcpy(first, data, firstBytes);
    if (second != nullptr) {
        secondBytes = std::min(secondBytes, bytes - firstBytes);
        std::memcpy(second, data + firstBytes, secondBytes);
    }
    return platform::Failed(buffer->Unlock(first, firstBytes, second, secondBytes)) ? 0 : 1;
}

int32_t Sound::MakeCopies(int32_t copies) {
    if (buffers == nullptr) {
        return 0;
    }
    // Only the entries the buffer was made with exist.
    copyCount = std::clamp(copies, 0, bufferSlots);
    for (int32_t i = 1; i < copyCount; ++i) {
        if (platform::Failed(soundDevice->DuplicateSoundBuffer(buffers[0], &buffers[i]))) {
            buffers[i] = nullptr;
            return 0;
        }
    }
    return copies <= bufferSlots ? 1 : 0;
}

int32_t Sound::Play(int32_t loop) {
    if (buffers == nullptr) {
        return 0;
    }
    for (int32_t i = 0; i < copyCount; ++i) {
        SoundBuffer* copy = buffers[i];
        if (copy == nullptr || IsPlaying(copy)) {
            continue;
        }
        return copy->Play(0, 0, loop != 0 ? platform::DSBPLAY_LOOPING : 0);
    }
    return copyCount;
}

void Sound::Stop() {
    for (int32_t i = 0; i < copyCount; ++i) {
        if (buffers[i] != nullptr) {
            buffers[i]->Stop();
        }
    }
}

void Sound::StopAndRewind() {
    for (int32_t i = 0; i < copyCount; ++i) {
        if (buffers[i] != nullptr) {
            buffers[i]->Stop();
            buffers[i]->SetCurrentPosition(0);
        }
    }
}
