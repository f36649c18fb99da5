// The three sounds and the icon, read back from their bytes.
#include <gtest/gtest.h>

#include <string>

#include "app/program_icon.h"
#include "tests/support/picture_file.h"

namespace {

using namespace test_support;
using Bytes = std::vector<uint8_t>;

// The samples behind a format chunk of 8-bit mono PCM at 22050 a second;
// none otherwise.
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

// Each is 8-bit mono at 22050 a second, the one layout the game plays, and
// as long as what it is for.
TEST(Sounds, AreTheGamesLayoutAndLastAsLongAsTheirUse) {
    const struct {
        const char* name;
        double shortest, longest;
    } uses[] = {
        {"techno.wav", 20.0, 40.0}, {"superhappy.wav", 10.0, 25.0}, {"crunch.wav", 0.2, 0.5}};
    for (const auto& use : uses) {
        const auto seconds = static_cast<double>(Samples(use.name).size()) / 22050;
        EXPECT_GE(seconds, use.shortest) << use.name << ": not 8-bit mono at 22050, or cut short";
        EXPECT_LE(seconds, use.longest) << use.name;
    }
}

// One 32 x 32 image of 16 colours in the .ico file beside the program, the
// same picture as the copy the program carries.
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
    for (size_t stored = 0; stored < 32; ++stored) {
        for (size_t x = 0; x < 32; ++x) {
            const uint8_t pair = file[offset + 40 + 64 + stored * 16 + x / 2];
            const uint8_t pixel = carried.pixels[(31 - stored) * 32 + x];
            EXPECT_EQ(pixel, x % 2 == 0 ? pair >> 4 : pair & 0x0F) << x << ", " << 31 - stored;
        }
    }
}

}  // namespace
