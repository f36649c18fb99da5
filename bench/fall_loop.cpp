// One pass of the fall loop without its 40 ms sleep: the keyboard poll, the
// gravity step when one is due, the whole frame and the flip, on the headless
// host (whose flip keeps a copy of the frame, where the SDL host
// expands it for the window). Measured over whole falls of a piece from the
// top of an empty well to its landing, with the game's own pictures: run it in
// the run folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>

#include "bench/figures.h"
#include "flow/fall.h"
#include "platform/hosts/headless/headless_control.h"
#include "tests/support/play_rig.h"

namespace {

constexpr int32_t kBar = 0;
constexpr int32_t kSquare = 6;

// Drops the bar from the top of an empty well until it lands; returns the
// passes it took.
uint64_t OneFall(Score& score) {
    ClearBoard();
    Piece current = test_support::ShapeAt(kBar, 4, 0);
    StampPiece(current, board.data());
    nextGravityTick = platform::headless::Ticks() - 1;
    const uint64_t before = platform::headless::FramesPresented();
    RunFallLoop(current, board, score, test_support::ShapeAt(kSquare, 5, 0));
    return platform::headless::FramesPresented() - before;
}

uint64_t passesPerFall = 0;

void BM_FallFromTopToLanding(benchmark::State& state) {
    test_support::PlayRig rig;
    platform::headless::SetFramesKept(0);
    Score score{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(OneFall(score));
    }
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    {
        test_support::PlayRig rig;
        Score score{};
        passesPerFall = OneFall(score);
        if (backgroundSheet == nullptr || passesPerFall == 0) {
            std::fprintf(stderr, "cannot set up play: run this in the run folder\n");
            return 1;
        }
    }
    std::printf("A fall from the top of the well to landing takes %llu passes.\n",
                static_cast<unsigned long long>(passesPerFall));
    bench::Measured(
        benchmark::RegisterBenchmark("fall_loop/fall_to_landing", BM_FallFromTopToLanding));
    bench::FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (const auto fall = reporter.Fastest("fall_loop/fall_to_landing")) {
        bench::PrintFigure("one fall-loop pass but its 40 ms sleep, headless flip included",
                           *fall / static_cast<double>(passesPerFall), "us", bench::AtMost, 1000);
    }
    benchmark::Shutdown();
    return 0;
}
