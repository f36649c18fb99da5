#include <gtest/gtest.h>

#include "audio/sound.h"
#include "tests/audio/wave_writer.h"
#include "tests/flow/keyboard_fixture.h"

namespace {

namespace headless = platform::headless;
using platform::DIK_ESCAPE;
using platform::DIK_RETURN;
using wave_test::Bytes;

// Return still held from the press that began the pause, then let go,
// Escape, and Return pressed again on read 6.
const std::vector<KeySet> kPauseScript = {{DIK_RETURN}, {DIK_RETURN}, {DIK_RETURN}, {},
                                          {},           {DIK_ESCAPE}, {DIK_RETURN}};
constexpr size_t kEndingRead = 6;

class PauseTest : public KeyboardTest {
protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        Hold({DIK_RETURN});
        ASSERT_EQ(Poll(), ActionPause);  // the press that begins the pause
    }
    void TearDown() override {
        ReleaseSounds();
        ReleaseSoundDevice();
        KeyboardTest::TearDown();
    }

    static Bytes Pull(size_t count) {
        Bytes samples(count);
        headless::PullAudio(samples.data(), static_cast<uint32_t>(count));
        return samples;
    }
};

TEST_F(PauseTest, EndsOnlyAtAFreshPressOfReturnAndWaitsThroughFailedSnapshots) {
    size_t reads = 0;
    ScriptReads(kPauseScript, [&reads](size_t read) { reads = read + 1; });
    EXPECT_EQ(PauseGame(), 0);  // without music
    EXPECT_EQ(reads, kEndingRead + 1);
    EXPECT_EQ(keyLatch, 1);  // the press that ended it is still latched

    keyLatch = 0;
    headless::FailStep(platform::Fault::GetDeviceState, 0, 3);
    ScriptReads({{}, {DIK_RETURN}});
    EXPECT_EQ(PauseGame(), 0);
    EXPECT_GE(headless::StepCalls(platform::Fault::GetDeviceState), 5u);
}

TEST_F(PauseTest, StopsTheMusicAndResumesItOnceWhereItStopped) {
    const Bytes music = wave_test::Sawtooth(1000, 23);
    wave_test::TempFolder folder;
    ASSERT_EQ(InitSoundDevice(), 1);
    musicSound = new Sound;
    musicSound->Load(folder.Write("music.wav", wave_test::MonoWave(music)).c_str(), 1);
    ASSERT_EQ(musicSound->Play(1), 0);
    Pull(300);
    Bytes duringPause;
    ScriptReads(kPauseScript, [&duringPause](size_t read) {
        if (read == 2) {
            duringPause = Pull(100);
        }
    });
    EXPECT_EQ(PauseGame(), 0);
    EXPECT_EQ(duringPause, Bytes(100, 128));
    EXPECT_EQ(Pull(700), Bytes(music.begin() + 300, music.end()));
    EXPECT_EQ(Pull(100), Bytes(100, 128));  // not looped any more
    EXPECT_EQ(musicSound->Play(1), 0);      // the next round loops it again
}

}  // namespace
