// Counters that last the whole run.
#pragma once

#include <cstdint>

// Full rows removed since the program started, over all games; sets the fall speed.
extern int32_t rowsCleared;

// Games still to play, the current one included; shown in every frame.
extern int32_t gamesLeft;
