#include "platform/random.h"

namespace platform {
namespace {

uint32_t state = 1;

}  // namespace

void SeedRandom(uint32_t seed) {
    state = seed;
}

// A linear congruential step; the number is bits 16 to 30 of the new state.
int32_t Random() {
    state = state * 214013u + 2531011u;
    return static_cast<int32_t>((state >> 16) & static_cast<uint32_t>(kRandomMax));
}

}  // namespace platform
