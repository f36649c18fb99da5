// Many whole runs of the program with random keys from a seeded generator,
// each frame of play checked against the game's own state as it is drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace reliability {

struct SoakReport {
    int64_t runs = 0;
    int64_t games = 0;                  // games played to their end, over all runs
    int64_t playFrames = 0;             // frames of play, each one checked
    int64_t rowsCleared = 0;            // over all runs
    int64_t pauses = 0;                 // pauses begun by the random keys
    std::vector<std::string> problems;  // what went wrong, with the run's seed
};

// Runs the program once for each seed from firstSeed on.
SoakReport Soak(int64_t runs, uint32_t firstSeed);

// The number of runs asked for by STACKWELL_SOAK_RUNS, else fallback.
int64_t SoakRunsAskedFor(int64_t fallback);

}  // namespace reliability
