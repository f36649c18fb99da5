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
TEST_P(EverySound, IsEightBitMonoPcmAt22050WithDataBehindTheFormatAtGentleLevels) {
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
    // Centred on the midpoint, audible, and well inside the 8-bit range.
    EXPECT_NEAR(Mean(wave), 128.0, 1.5) << "a steady offset wastes headroom and thumps";
    EXPECT_GT(RootMeanSquare(wave), 6.0);
    EXPECT_LE(Peak(wave), 64) << "gentle levels, well inside the 8-bit range";
}

INSTANTIATE_TEST_SUITE_P(Sounds, EverySound,
                         testing::Values("techno.wav", "crunch.wav", "superhappy.wav"));

// Each sound is as long as what it is for; a sound played once starts and
// stops at the midpoint, or it clicks; and the mixer, which adds every
// playing sound around 128 and clips, never clips the crunch over the music.
TEST(Sounds, SuitWhatEachIsForAndMixWithoutClicksOrClipping) {
    struct Use {
        const char* name;
        double shortest, longest;
        bool once;
    };
    for (const Use& use :
         {Use{"techno.wav", 20.0, 40.0, false}, Use{"superhappy.wav", 10.0, 25.0, true},
          Use{"crunch.wav", 0.2, 0.5, true}}) {
        const WaveFile wave = Load(use.name);
        EXPECT_GE(Seconds(wave), use.shortest) << use.name;
        EXPECT_LE(Seconds(wave), use.longest) << use.name;
        ASSERT_GT(wave.samples.size(), 16u) << use.name;
        for (size_t i = 0; use.once && i < 4; ++i) {
            EXPECT_NEAR(wave.samples[i], 128, 2) << use.name << " starts with a click";
            EXPECT_NEAR(wave.samples[wave.samples.size() - 1 - i], 128, 2)
                << use.name << " ends with a click";
        }
    }
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

}  // namespace
}  // namespace assets_test
