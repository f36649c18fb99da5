// One play frame's drawing and palette expansion, the game's own way (the
// same scene and steps as bench/frame_drawing.cpp), timed with a loop of our
// own: for builds without Google Benchmark, such as the Windows one, which
// prints the figure under Wine. For information only: the time is wall-clock
// time, and the fastest of several rounds is kept, since other work on a
// shared machine only ever adds time.
//
// Run it in the run folder: it draws the game's own pictures.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "bench/game_frame.h"

namespace {

constexpr int kRounds = 7;
constexpr auto kLeastRoundTime = std::chrono::milliseconds(100);

// Microseconds per frame in the fastest round.
double FastestFrame(bench::GameScreen& screen, const bench::Scene& scene) {
    using Clock = std::chrono::steady_clock;
    // Enough frames a round for the round to be long against the clock's step.
    int64_t frames = 1;
    for (;;) {
        const auto start = Clock::now();
        for (int64_t i = 0; i < frames; ++i) {
            screen.Draw(scene);
        }
        if (Clock::now() - start >= kLeastRoundTime) {
            break;
        }
        frames *= 2;
    }
    double fastest = 0;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = Clock::now();
        for (int64_t i = 0; i < frames; ++i) {
            screen.Draw(scene);
        }
        const double microseconds =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count() /
            static_cast<double>(frames);
        fastest = round == 0 ? microseconds : std::min(fastest, microseconds);
    }
    return fastest;
}

}  // namespace

int main() {
    const bench::Scene scene = bench::MiddleOfAGame();
    bench::GameScreen screen;
    if (!screen.Open()) {
        std::fprintf(stderr, "cannot set up the game's screen: run this in the run folder\n");
        return 1;
    }
    std::printf("INFO one play frame's drawing and palette expansion (own timing loop): %.3g us\n",
                FastestFrame(screen, scene));
    return 0;
}
