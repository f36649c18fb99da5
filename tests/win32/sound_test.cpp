// Sound buffers on DirectSound: the facts the game's sound code relies on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/sound.h"
#include "platform/time.h"
#include "tests/win32/game_window.h"

namespace {

using namespace platform;

constexpr WaveFormat kFormat{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
// A tenth of a second.
constexpr uint32_t kBytes = kSampleRate / 10;

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = win32_tests::MakeGameWindow();
        ASSERT_NE(window, nullptr) << LastErrorText();
        ASSERT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(device->SetCooperativeLevel(window, DSSCL_NORMAL), kOk) << LastErrorText();
        SoundBufferDesc description{};
        description.size = sizeof description;
        description.flags = DSBCAPS_STATIC;
        description.bufferBytes = kBytes;
        description.format = &kFormat;
        ASSERT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), kOk)
            << LastErrorText();
    }
    void TearDown() override {
        // The device frees the buffers still made.
        if (device != nullptr) {
            device->Release();
        }
        DestroyWindow(window);
    }
    uint32_t Status(SoundBuffer* sound) {
        uint32_t status = 0;
        EXPECT_EQ(sound->GetStatus(&status), kOk);
        return status;
    }
    uint32_t Position(SoundBuffer* sound) {
        uint32_t play = 0;
        uint32_t write = 0;
        EXPECT_EQ(sound->GetCurrentPosition(&play, &write), kOk);
        return play;
    }

    WindowHandle window = nullptr;
    SoundDevice* device = nullptr;
    SoundBuffer* buffer = nullptr;
};

TEST_F(SoundTest, ALockPastTheEndWrapsToTheStartAsASecondRegion) {
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    ASSERT_EQ(buffer->Lock(kBytes - 10, 30, &first, &firstBytes, &second, &secondBytes, 0), kOk);
    EXPECT_EQ(firstBytes, 10u);
    EXPECT_EQ(secondBytes, 20u);
    EXPECT_NE(second, nullptr);
    EXPECT_EQ(buffer->Unlock(first, firstBytes, second, secondBytes), kOk);
}

// A buffer played once stops by itself at its end, and its position is back
// at the start.
TEST_F(SoundTest, APlayOnceStopsAtTheEndAtPositionZero) {
    void* first = nullptr;
    uint32_t firstBytes = 0;
    ASSERT_EQ(buffer->Lock(0, kBytes, &first, &firstBytes, nullptr, nullptr, 0), kOk);
    std::memset(first, 200, firstBytes);
    ASSERT_EQ(buffer->Unlock(first, firstBytes, nullptr, 0), kOk);
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_NE(Status(buffer) & DSBSTATUS_PLAYING, 0u);
    // The sound lasts 100 ms; five seconds is room for a loaded machine.
    for (int waited = 0; waited < 500 && (Status(buffer) & DSBSTATUS_PLAYING) != 0; ++waited) {
        Sleep(10);
    }
    EXPECT_EQ(Status(buffer) & DSBSTATUS_PLAYING, 0u);
    EXPECT_EQ(Position(buffer), 0u);
}

TEST_F(SoundTest, ADuplicateHasItsOwnPositionAndStatus) {
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(buffer, &copy), kOk) << LastErrorText();
    ASSERT_EQ(buffer->SetCurrentPosition(1000), kOk);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(Position(copy), 0u);
    EXPECT_EQ(Status(copy) & DSBSTATUS_PLAYING, 0u);
    EXPECT_NE(Status(buffer) & DSBSTATUS_LOOPING, 0u);
    ASSERT_EQ(buffer->Stop(), kOk);
    EXPECT_EQ(Status(buffer) & DSBSTATUS_PLAYING, 0u);
    copy->Release();
}

}  // namespace
