// The pseudo-random numbers that choose the pieces: the C runtime's generator
// as Windows has it, numbers from 0 to 32767, written out here so that every
// system draws the same sequence from the same seed (the C library of another
// system has a generator, and a range, of its own). One generator for the
// game's thread.
#pragma once

#include <cstdint>

namespace platform {

inline constexpr int32_t kRandomMax = 32767;

// Starts the sequence over from seed; before the first seeding it runs as if
// seeded with 1.
void SeedRandom(uint32_t seed);

// The next number of the sequence, from 0 to kRandomMax.
int32_t Random();

}  // namespace platform
