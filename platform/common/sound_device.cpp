// The sound device: opens the audio output, makes buffers and duplicates, and
// frees them all when it goes.
#include <algorithm>
#include <new>
#include <string>

#include "platform/common/failure.h"
#include "platform/common/live_objects.h"
#include "platform/common/sound_state.h"

namespace platform {
namespace {

constexpr uint32_t kLargestBuffer = 0x0FFFFFFFu;

// Every device alive, so that the window system can take their buffers' memory.
std::vector<detail::DeviceCore*>& LiveDevices() {
    static std::vector<detail::DeviceCore*> devices;
    return devices;
}

void MixDevice(void* context, uint8_t* samples, uint32_t count) {
    static_cast<detail::DeviceCore*>(context)->mixer.Mix(samples, count);
}

bool IsPlayableFormat(const WaveFormat& format) {
    return format.formatTag == WAVE_FORMAT_PCM && format.channels == 1 &&
           format.samplesPerSec == kSampleRate && format.avgBytesPerSec == kSampleRate &&
           format.blockAlign == 1 && format.bitsPerSample == 8;
}

bool IsValidDescription(const SoundBufferDesc& description) {
    return description.size == sizeof(SoundBufferDesc) &&
           (description.flags & ~DSBCAPS_STATIC) == 0 && description.bufferBytes >= 1 &&
           description.bufferBytes <= kLargestBuffer && description.reserved == 0 &&
           description.format != nullptr && IsPlayableFormat(*description.format);
}

// Tells the player why there is no sound, with the backend's own reason when
// it gave one.
void ReportNoAudio(const std::string& textBefore) {
    std::string reason = LastErrorText();
    if (reason == textBefore) {
        reason = "the audio output could not be opened";
    }
    backend::SetErrorText(("no audio device: " + reason).c_str());
}

}  // namespace

Result CreateSoundDevice(const void* device, SoundDevice** sound, void* outer) {
    if (sound == nullptr) {
        return kErrInvalidParams;
    }
    *sound = nullptr;
    if (device != nullptr || outer != nullptr) {
        return kErrInvalidParams;
    }
    if (backend::Fails(Fault::CreateSoundDevice)) {
        backend::SetErrorText("no audio device: the sound device could not be created");
        return kErrNoDevice;
    }
    auto* made = new (std::nothrow) SoundDevice;
    if (made == nullptr || made->state_ == nullptr) {
        delete made;
        return kErrOutOfMemory;
    }
    std::string textBefore = LastErrorText();
    if (!backend::OpenAudio(&MixDevice, static_cast<detail::DeviceCore*>(made->state_.get()))) {
        ReportNoAudio(textBefore);
        delete made;
        return kErrNoDevice;
    }
    LiveDevices().push_back(made->state_.get());
    *sound = made;
    return kOk;
}

SoundDevice::SoundDevice() : state_(new (std::nothrow) State) {
    detail::NoteMade(detail::LiveKind::SoundDevice);
}

SoundDevice::~SoundDevice() {
    detail::NoteGone(detail::LiveKind::SoundDevice);
}

Result SoundDevice::SetCooperativeLevel(WindowHandle /*window*/, uint32_t level) {
    if (level != DSSCL_NORMAL) {
        return detail::Refuse(kErrInvalidParams, "cannot share the sound device: unknown level");
    }
    if (backend::Fails(Fault::SetSoundCooperativeLevel)) {
        return detail::Refuse(kErrGeneric, "cannot share the sound device: it was refused");
    }
    return kOk;
}

Result SoundDevice::CreateSoundBuffer(const SoundBufferDesc* description, SoundBuffer** buffer,
                                      void* outer) {
    if (buffer == nullptr) {
        return kErrInvalidParams;
    }
    *buffer = nullptr;
    if (description == nullptr || outer != nullptr || !IsValidDescription(*description)) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot make a sound buffer: only 8-bit mono at 22050 per second");
    }
    if (backend::Fails(Fault::CreateSoundBuffer)) {
        return detail::Refuse(kErrOutOfMemory, "cannot make a sound buffer: out of sound memory");
    }
    std::unique_ptr<SoundBuffer::State> state(new (std::nothrow) SoundBuffer::State);
    if (state == nullptr) {
        return kErrOutOfMemory;
    }
    try {
        state->voice.samples =
            std::make_shared<std::vector<uint8_t>>(description->bufferBytes, detail::kSilence);
        state_->buffers.reserve(state_->buffers.size() + 1);
        state_->mixer.ReserveOneMore();
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    return Adopt(std::move(state), buffer);
}

Result SoundDevice::DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate) {
    if (duplicate == nullptr) {
        return kErrInvalidParams;
    }
    *duplicate = nullptr;
    if (original == nullptr || original->state_->device != state_.get()) {
        return kErrInvalidParams;
    }
    if (backend::Fails(Fault::DuplicateSoundBuffer)) {
        return detail::Refuse(kErrOutOfMemory, "cannot copy a sound buffer: out of sound memory");
    }
    std::unique_ptr<SoundBuffer::State> state(new (std::nothrow) SoundBuffer::State);
    if (state == nullptr) {
        return kErrOutOfMemory;
    }
    try {
        state_->buffers.reserve(state_->buffers.size() + 1);
        state_->mixer.ReserveOneMore();
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    // The samples are shared; position and status start afresh. Memory that
    // was lost stays lost for the duplicate too.
    state->voice.samples = original->state_->voice.samples;
    {
        AudioLock lock;
        state->voice.lost = original->state_->voice.lost;
    }
    return Adopt(std::move(state), duplicate);
}

Result SoundDevice::Adopt(std::unique_ptr<SoundBuffer::State> state, SoundBuffer** buffer) {
    state->device = state_.get();
    auto* made = new (std::nothrow) SoundBuffer(std::move(state));
    if (made == nullptr) {
        return kErrOutOfMemory;
    }
    AudioLock lock;
    state_->buffers.push_back(made);
    state_->mixer.Add(&made->state_->voice);
    *buffer = made;
    return kOk;
}

uint32_t SoundDevice::AddRef() {
    return ++state_->references;
}

uint32_t SoundDevice::Release() {
    uint32_t left = --state_->references;
    if (left != 0) {
        return left;
    }
    // After CloseAudio the mixer is never called again, so the buffers can go
    // without the lock.
    backend::CloseAudio();
    std::erase(LiveDevices(), state_.get());
    for (SoundBuffer* buffer : state_->buffers) {
        delete buffer;
    }
    state_->buffers.clear();
    delete this;
    return 0;
}

void detail::LoseSoundBuffers() {
    for (DeviceCore* device : LiveDevices()) {
        AudioLock lock;
        for (Voice* voice : device->mixer.Voices()) {
            voice->lost = true;
            voice->playing = false;
            std::fill(voice->samples->begin(), voice->samples->end(), kSilence);
        }
    }
}

}  // namespace platform
