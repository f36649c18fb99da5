#include "audio/sound_clip.h"
#include "rules/score.h"

// The rows go from the bottom up. Each removal drops every row above it, so
// the next listed row (which lies above) is moved down by the number of rows
// removed so far, just before its own turn.
void RemoveFullRows(int32_t n, FullRows& fullRows, Board& cells) {
    // The game runs on without the crunch when it could not be loaded.
    if (crunchSound != nullptr) {
        crunchSound->Play(0);
    }
    for (int32_t k = n - 1; k >= 0; --k) {
        RemoveRow(fullRows[k], cells);
        if (k > 0) {
            fullRows[k - 1] += n - k;
        }
    }
}
