// These tests never open a real screen or sound card: SDL's dummy drivers
// stand in, unless the environment names other drivers (SDL_VIDEODRIVER=x11
// to watch the tests run).
#include <SDL_hints.h>
#include <gtest/gtest.h>

namespace {

class DummyDrivers : public ::testing::Environment {
public:
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    }
};

const auto* const kDummyDrivers = ::testing::AddGlobalTestEnvironment(new DummyDrivers);

}  // namespace
