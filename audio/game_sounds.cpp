// The two sounds that live for the whole run: the music and the row-clear
// effect.
#include "audio/sound_clip.h"

Sound* musicSound = nullptr;
Sound* crunchSound = nullptr;

namespace {

void StopAndRewind(Sound* sound) {
    if (sound != nullptr) {
        sound->StopAndRewind();
    }
}

void Destroy(Sound*& sound) {
    delete sound;
    sound = nullptr;
}

}  // namespace

void ReleaseSounds() {
    StopAndRewind(musicSound);
    StopAndRewind(crunchSound);
    Destroy(musicSound);
    Destroy(crunchSound);
}
