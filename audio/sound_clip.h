// The sound device and the game's sounds: one wave file in a static sound
// buffer, with copies that share its samples so one sound could overlap itself.
#pragma once

#include <cstdint>

#include "platform/sound.h"

class Sound {
public:
    Sound();
    ~Sound();
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // Reads the file and makes the buffer and its copies; a file that cannot
    // be read leaves the sound silent.
    void Load(const char* fileName, int32_t copies);
    int32_t CreateBuffer(int32_t size, int32_t copies);
    int32_t Fill(const uint8_t* data, int32_t size);
    int32_t MakeCopies(int32_t copies);

    // Starts the first copy that is not playing, looped when loop is not 0.
    // Returns the device's play result, copyCount when every copy is busy, or
    // 0 for a silent sound.
    int32_t Play(int32_t loop);
    // Stops every copy where it is.
    void Stop();
    // Stops every copy and rewinds it to the start.
    void StopAndRewind();

private:
    // Releases every buffer made and the array; the sound is silent again.
    void ReleaseBuffers();

    int32_t copyCount;
    platform::SoundBuffer** buffers;
    int32_t bufferSlots;  // entries in the buffers array
};

extern platform::SoundDevice* soundDevice;
extern Sound* musicSound;   // "techno.wav", during play
extern Sound* crunchSound;  // "crunch.wav", when rows are removed

int32_t InitSoundDevice();
void ReleaseSoundDevice();
void ReleaseSounds();

// Reads the sample data of a PCM wave file. Returns its size in bytes and a
// new block (release with delete[]), or 0 and no block on failure, which is
// told to the player on standard error. Once the run has been asked to end,
// nothing is read and 0 comes back.
int32_t ReadWaveFile(const char* fileName, uint8_t** data);
