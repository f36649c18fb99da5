// These tests never open a real screen or sound card: SDL's dummy drivers
// stand in.
#include <SDL_hints.h>
#include <gtest/gtest.h>

namespace {

struct DummyDrivers : ::testing::Environment {
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    }
};

const auto* const kDummyDrivers = ::testing::AddGlobalTestEnvironment(new DummyDrivers);

}  // namespace
