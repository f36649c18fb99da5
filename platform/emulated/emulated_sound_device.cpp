// The emulated sound device: opens the host's audio output, makes buffers and
// duplicates, and mixes them.
#include <algorithm>
#include <memory>
#include <new>
#include <string>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_sound_state.h"

namespace platform::driver {

using emulated::AudioLock;
using emulated::BufferObject;
using emulated::SoundObject;

namespace {

// Every device alive, so that the window system can take their buffers' memory.
std::vector<SoundObject*>& LiveDevices() {
    static std::vector<SoundObject*> devices;
    return devices;
}

void MixDevice(void* context, uint8_t* samples, uint32_t count) {
    static_cast<SoundObject*>(context)->mixer.Mix(samples, count);
}

// Tells the player why there is no sound, with the host's own reason when
// it gave one.
void ReportNoAudio(const std::string& textBefore) {
    std::string reason = LastErrorText();
    if (reason == textBefore) {
        reason = "the audio output could not be opened";
    }
    host::SetErrorText(("no audio device: " + reason).c_str());
}

SoundObject& Sound(Native sound) {
    return *static_cast<SoundObject*>(sound);
}

// A buffer joins the mixer; the room for it is made first, so that nothing
// can fail under the audio lock.
Result Join(SoundObject& sound, std::unique_ptr<BufferObject> made, Native* buffer) {
    try {
        sound.mixer.ReserveOneMore();
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    AudioLock lock;
    sound.mixer.Add(&made->voice);
    *buffer = made.release();
    return kOk;
}

}  // namespace

Result OpenSound(Native* sound) {
    if (host::Fails(Fault::CreateSoundDevice)) {
        return detail::Refuse(kErrNoDevice,
                              "no audio device: the sound device could not be created");
    }
    auto made = std::make_unique<SoundObject>();
    const std::string textBefore = LastErrorText();
    if (!host::OpenAudio(&MixDevice, made.get())) {
        ReportNoAudio(textBefore);
        return kErrNoDevice;
    }
    LiveDevices().push_back(made.get());
    *sound = made.release();
    return kOk;
}

void CloseSound(Native sound) {
    // After CloseAudio the mixer is never called again.
    host::CloseAudio();
    std::erase(LiveDevices(), &Sound(sound));
    delete &Sound(sound);
}

Result SetSoundCooperativeLevel(Native /*sound*/, WindowHandle /*window*/, uint32_t /*level*/) {
    if (host::Fails(Fault::SetSoundCooperativeLevel)) {
        return detail::Refuse(kErrGeneric, "cannot share the sound device: it was refused");
    }
    return kOk;
}

Result CreateSoundBuffer(Native sound, uint32_t bytes, Native* buffer) {
    if (host::Fails(Fault::CreateSoundBuffer)) {
        return detail::Refuse(kErrOutOfMemory, "cannot make a sound buffer: out of sound memory");
    }
    auto made = std::make_unique<BufferObject>();
    try {
        made->voice.samples = std::make_shared<std::vector<uint8_t>>(bytes, detail::kSilence);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    return Join(Sound(sound), std::move(made), buffer);
}

Result DuplicateSoundBuffer(Native sound, Native original, Native* duplicate) {
    if (host::Fails(Fault::DuplicateSoundBuffer)) {
        return detail::Refuse(kErrOutOfMemory, "cannot copy a sound buffer: out of sound memory");
    }
    // The samples are shared; position and status start afresh. Memory that
    // was lost stays lost for the duplicate too.
    auto made = std::make_unique<BufferObject>();
    const detail::Voice& voice = static_cast<BufferObject*>(original)->voice;
    made->voice.samples = voice.samples;
    {
        AudioLock lock;
        made->voice.lost = voice.lost;
    }
    return Join(Sound(sound), std::move(made), duplicate);
}

void ReleaseSoundBuffer(Native sound, Native buffer) {
    auto* object = static_cast<BufferObject*>(buffer);
    {
        AudioLock lock;
        Sound(sound).mixer.Remove(&object->voice);
    }
    delete object;
}

}  // namespace platform::driver

void platform::detail::LoseSoundBuffers() {
    for (emulated::SoundObject* device : driver::LiveDevices()) {
        emulated::AudioLock lock;
        for (Voice* voice : device->mixer.Voices()) {
            voice->lost = true;
            voice->playing = false;
            std::fill(voice->samples->begin(), voice->samples->end(), kSilence);
        }
    }
}
