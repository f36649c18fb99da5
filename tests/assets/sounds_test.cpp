// The three sounds and the icon, read back from their bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "app/program_icon.h"
#include "tests/assets/file_readers.h"

namespace assets_test {
namespace {

// The samples behind a format chunk of 8-bit mono PCM at 22050 a second,
// the one layout the game plays; none otherwise.
Bytes Samples(const std::string& name) {
    const Bytes file = ReadWholeFile(name);
    if (file.size() < 44 || Little(file, 4) + 8 != file.size() ||
        std::string(file.begin() + 8, file.begin() + 16) != "WAVEfmt " || Little(file, 16) != 16 ||
        Little(file, 20, 2) != 1 || Little(file, 22, 2) != 1 || Little(file, 24) != 22050 ||
        Little(file, 28) != 22050 || Little(file, 32, 2) != 1 || Little(file, 34, 2) != 8 ||
        std::string(file.begin() + 36, file.begin() + 40) != "data" ||
        44 + Little(file, 40) > file.size()) {
        return {};
    }
    return Bytes(file.begin() + 44, file.begin() + 44 + Little(file, 40));
}

int Peak(const Bytes& samples) {
    int peak = 0;
    for (uint8_t sample : samples) {
        peak = std::max(peak, std::abs(sample - 128));
    }
    return peak;
}

// Each is as long as what it is for, centred on the midpoint (an offset
// thumps), audible and gentle; a sound played once starts and stops at the
// midpoint, or it clicks; the mixer, which adds sounds around 128 and clips,
// never clips the crunch over the music; and the music runs from its last
// sample into its first no harder than its ordinary large steps.
TEST(Sounds, SuitWhatEachIsForAndMixWithoutClicksOrClipping) {
    const struct {
        const char* name;
        double shortest, longest;
        bool once;
    } uses[] = {{"techno.wav", 20.0, 40.0, false},
                {"superhappy.wav", 10.0, 25.0, true},
                {"crunch.wav", 0.2, 0.5, true}};
    for (const auto& use : uses) {
        SCOPED_TRACE(use.name);
        const Bytes samples = Samples(use.name);
        ASSERT_GT(samples.size(), 1000u) << "not 8-bit mono at 22050, or cut short";
        EXPECT_GE(static_cast<double>(samples.size()) / 22050, use.shortest);
        EXPECT_LE(static_cast<double>(samples.size()) / 22050, use.longest);
        double sum = 0, squares = 0;
        for (uint8_t sample : samples) {
            sum += sample;
            squares += (sample - 128.0) * (sample - 128.0);
        }
        const auto count = static_cast<double>(samples.size());
        EXPECT_NEAR(sum / count, 128.0, 1.5);
        EXPECT_GT(std::sqrt(squares / count), use.once ? 6.0 : 10.0);
        EXPECT_LE(Peak(samples), 64);
        for (size_t i = 0; use.once && i < 4; ++i) {
            EXPECT_NEAR(samples[i], 128, 2) << "starts with a click";
            EXPECT_NEAR(samples[samples.size() - 1 - i], 128, 2) << "ends with a click";
        }
    }
    EXPECT_LE(Peak(Samples("techno.wav")) + Peak(Samples("crunch.wav")), 127);
    const Bytes music = Samples("techno.wav");
    std::vector<int> steps;
    for (size_t i = 1; i < music.size(); ++i) {
        steps.push_back(std::abs(music[i] - music[i - 1]));
    }
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(std::abs(music.back() - music.front()), steps[steps.size() * 99 / 100]);
}

// One 32 x 32 image of 16 colours in the .ico file beside the program, the
// same picture as the copy the program carries, and not a blank square.
TEST(Icon, TheFileAndTheProgramsCopyAreTheSamePicture) {
    const Bytes file = ReadWholeFile("stackwell.ico");
    ASSERT_GE(file.size(), 22u);
    EXPECT_EQ(Little(file, 0), 0x10000u) << "an icon, not a cursor";
    ASSERT_EQ(Little(file, 4, 2), 1u);
    EXPECT_EQ(Little(file, 6), 0x00102020u) << "32 x 32, 16 colours";
    EXPECT_EQ(Little(file, 12, 2), 4u);
    const uint32_t size = Little(file, 14);
    const uint32_t offset = Little(file, 18);
    ASSERT_EQ(offset + size, file.size());
    ASSERT_EQ(size, 40u + 16 * 4 + 32 * 32 / 2 + 32 * 4);  // colour rows and mask rows
    EXPECT_EQ(Little(file, offset), 40u);
    EXPECT_EQ(Little(file, offset + 4), 32u);
    EXPECT_EQ(Little(file, offset + 8), 64u);
    EXPECT_EQ(Little(file, offset + 14, 2), 4u);

    const platform::IconImage& carried = ProgramIcon();
    ASSERT_TRUE(carried.width == 32 && carried.height == 32 && carried.colourCount == 16);
    ASSERT_TRUE(carried.pixels != nullptr && carried.colours != nullptr);
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(carried.colours[i], Little(file, offset + 40 + 4 * i) & 0xFFFFFF) << i;
    }
    std::set<uint8_t> used;
    for (size_t stored = 0; stored < 32; ++stored) {
        for (size_t x = 0; x < 32; ++x) {
            const uint8_t pair = file[offset + 40 + 64 + stored * 16 + x / 2];
            const uint8_t pixel = carried.pixels[(31 - stored) * 32 + x];
            EXPECT_EQ(pixel, x % 2 == 0 ? pair >> 4 : pair & 0x0F) << x << ", " << 31 - stored;
            used.insert(pixel);
        }
    }
    EXPECT_GE(used.size(), 8u);
}

}  // namespace
}  // namespace assets_test
