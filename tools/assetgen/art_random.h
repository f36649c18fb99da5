// A small seeded generator, so that every run draws and composes the same
// bytes: scattered stars, noise for drums and crunches, tiny humanisation.
#pragma once

#include <cstdint>

namespace assetgen {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    uint32_t Next() {
        // xorshift64*
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return static_cast<uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
    }

    // Uniform in [0, 1).
    double Unit() { return Next() / 4294967296.0; }
    // Uniform in [-1, 1).
    double Signed() { return Unit() * 2.0 - 1.0; }
    // Uniform integer in [0, bound).
    int Below(int bound) { return static_cast<int>(Next() % static_cast<uint32_t>(bound)); }

private:
    uint64_t state_;
};

}  // namespace assetgen
