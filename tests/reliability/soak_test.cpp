// Random play, checked frame by frame. A short soak runs with every test run;
// STACKWELL_SOAK_RUNS asks for a longer one (make soak).
#include <gtest/gtest.h>

#include "tests/reliability/soak.h"

namespace reliability {
namespace {

TEST(Soak, RandomPlayKeepsTheWellTheScoreAndTheDevicesInOrder) {
    const int64_t runs = SoakRunsAskedFor(7);
    const SoakReport report = Soak(runs, 1);

    for (const std::string& problem : report.problems) {
        ADD_FAILURE() << problem;
    }
    EXPECT_EQ(report.runs, runs);
    // Most runs play all three games; the checks saw real play.
    EXPECT_GE(report.games, 2 * runs);
    EXPECT_GT(report.playFrames, 100 * runs);
    EXPECT_GT(report.rowsCleared, runs);
    std::cout << "soak: " << report.runs << " runs, " << report.games << " games, "
              << report.playFrames << " frames of play checked, " << report.rowsCleared
              << " rows cleared, " << report.pauses << " pause presses\n";
}

}  // namespace
}  // namespace reliability
