// The three sounds, read back chunk by chunk: the format the game plays
// them in, their lengths, and what makes a sound click, clip or hum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/assets/file_readers.h"

namespace assets_test {
namespace {

constexpr double kSampleRate = 22050.0;

WaveFile Load(const std::string& name) {
    std::optional<WaveFile> wave = ReadWave(name);
    if (!wave) {
        ADD_FAILURE() << name << " is missing or cut short";
        return {};
    }
    return *wave;
}

double Seconds(const WaveFile& wave) {
    return static_cast<double>(wave.samples.size()) / kSampleRate;
}

// Largest distance of a sample from the silent midpoint, 128.
int Peak(const WaveFile& wave) {
    int peak = 0;
    for (uint8_t sample : wave.samples) {
        peak = std::max(peak, std::abs(sample - 128));
    }
    return peak;
}

double Mean(const WaveFile& wave) {
    double sum = 0.0;
    for (uint8_t sample : wave.samples) {
        sum += sample;
    }
    return wave.samples.empty() ? 0.0 : sum / static_cast<double>(wave.samples.size());
}

double RootMeanSquare(const WaveFile& wave) {
    double sum = 0.0;
    for (uint8_t sample : wave.samples) {
        sum += (sample - 128.0) * (sample - 128.0);
    }
    return wave.samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(wave.samples.size()));
}

class EverySound : public testing::TestWithParam<const char*> {};

// The game plays every file as 8-bit mono at 22050 a second and finds the
// data chunk by searching onwards from the format chunk.
TEST_P(EverySound, IsEightBitMonoPcmAt22050WithDataBehindTheFormat) {
    const WaveFile wave = Load(GetParam());
    EXPECT_EQ(wave.riff, "RIFF");
    EXPECT_EQ(wave.form, "WAVE");
    EXPECT_EQ(wave.riffSize + 8, wave.fileSize);
    ASSERT_EQ(wave.chunkOrder, (std::vector<std::string>{"fmt ", "data"}));
    EXPECT_EQ(wave.formatChunkSize, 16u);
    EXPECT_EQ(wave.formatTag, 1);
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.sampleRate, 22050u);
    EXPECT_EQ(wave.byteRate, 22050u);
    EXPECT_EQ(wave.blockAlign, 1);
    EXPECT_EQ(wave.bitsPerSample, 8);
    EXPECT_FALSE(wave.samples.empty());
}

TEST_P(EverySound, IsCentredOnTheMidpointAndAudible) {
    const WaveFile wave = Load(GetParam());
    EXPECT_NEAR(Mean(wave), 128.0, 1.5) << "a steady offset wastes headroom and thumps";
    EXPECT_GT(RootMeanSquare(wave), 6.0);
    EXPECT_LE(Peak(wave), 64) << "gentle levels, well inside the 8-bit range";
}

INSTANTIATE_TEST_SUITE_P(Sounds, EverySound,
                         testing::Values("techno.wav", "crunch.wav", "superhappy.wav"));

TEST(Lengths, SuitWhatEachSoundIsFor) {
    const double music = Seconds(Load("techno.wav"));
    EXPECT_GE(music, 20.0);
    EXPECT_LE(music, 40.0);
    const double title = Seconds(Load("superhappy.wav"));
    EXPECT_GE(title, 10.0);
    EXPECT_LE(title, 25.0);
    const double crunch = Seconds(Load("crunch.wav"));
    EXPECT_GE(crunch, 0.2);
    EXPECT_LE(crunch, 0.5);
}

// The mixer adds every playing sound around 128 and clips: the crunch on
// top of the music must never reach the ends of the range.
TEST(Mixing, TheCrunchOverTheMusicNeverClips) {
    EXPECT_LE(Peak(Load("techno.wav")) + Peak(Load("crunch.wav")), 127);
}

// Looped, the last sample is followed by the first. The step between them
// must be no bigger than the ordinary steps inside the loop.
TEST(MusicLoop, RunsFromItsLastSampleIntoItsFirstWithoutAClick) {
    const WaveFile wave = Load("techno.wav");
    ASSERT_GT(wave.samples.size(), 1000u);
    std::vector<int> steps;
    for (size_t i = 1; i < wave.samples.size(); ++i) {
        steps.push_back(std::abs(wave.samples[i] - wave.samples[i - 1]));
    }
    std::sort(steps.begin(), steps.end());
    const int usualLargeStep = steps[steps.size() * 99 / 100];
    const int seam = std::abs(wave.samples.back() - wave.samples.front());
    EXPECT_LE(seam, usualLargeStep);
    // The ends are not silent either: the tails ring on across the seam.
    EXPECT_GT(RootMeanSquare(wave), 10.0);
}

// A sound played once starts and stops at the midpoint, or it clicks.
TEST(OneShots, StartAndEndInSilence) {
    for (const char* name : {"crunch.wav", "superhappy.wav"}) {
        const WaveFile wave = Load(name);
        ASSERT_GT(wave.samples.size(), 16u) << name;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_NEAR(wave.samples[i], 128, 2) << name << " starts with a click";
            EXPECT_NEAR(wave.samples[wave.samples.size() - 1 - i], 128, 2)
                << name << " ends with a click";
        }
    }
}

}  // namespace
}  // namespace assets_test
