// The piece generator draws what the Windows C runtime's rand draws: the
// numbers below were taken from srand/rand of that runtime, so the same seed
// gives the same pieces, and the same frames, on every system.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/random.h"

namespace {

std::array<int32_t, 5> FirstFive(uint32_t seed) {
    platform::SeedRandom(seed);
    std::array<int32_t, 5> drawn{};
    for (int32_t& number : drawn) {
        number = platform::Random();
    }
    return drawn;
}

TEST(Random, DrawsTheWindowsRuntimeSequenceForEachSeed) {
    EXPECT_EQ(FirstFive(1), (std::array<int32_t, 5>{41, 18467, 6334, 26500, 19169}));
    // The largest tick count: the state wraps in 32 bits.
    EXPECT_EQ(FirstFive(0xFFFFFFFFu), (std::array<int32_t, 5>{35, 29739, 3374, 11141, 31308}));
    // The first draw is the top of the range, kRandomMax itself.
    EXPECT_EQ(FirstFive(30091), (std::array<int32_t, 5>{32767, 17856, 12981, 17114, 6218}));
}

}  // namespace
