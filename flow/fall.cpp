#include "flow/fall.h"

#include "flow/keyboard.h"
#include "platform/time.h"
#include "program/close_request.h"
#include "rules/counters.h"
#include "video/frame.h"

uint32_t nextGravityTick = 0;

namespace {

// What DispatchAction reports when no action took effect, so gravity may act.
constexpr int32_t kNothingHappened = 0;

// Ticks are compared through their difference, so the fall keeps its pace
// when the millisecond count wraps around.
bool GravityStepDue() {
    return static_cast<int32_t>(platform::GetTickCount() - nextGravityTick) >= 0;
}

// Moves the piece one row down; returns true when it could not move, that is
// when it has landed. The next step is due one delay after this one.
bool MakeGravityStep(Piece& current, Board& cells) {
    const bool landed = !MoveDown(current, cells.data());
    const int32_t delay = GravityDelay(rowsCleared);
    nextGravityTick = platform::GetTickCount() + static_cast<uint32_t>(delay);
    return landed;
}

}  // namespace

RoundResult RunFallLoop(Piece& current, Board& cells, Score& score, Piece next) {
    bool landed = false;
    while (!landed) {
        if (CloseRequested()) {
            return RoundCut;
        }
        const int32_t dispatched = DispatchAction(current, cells.data());
        if (dispatched == ActionQuit) {
            return RoundQuit;
        }
        // Any action that took effect, a blocked turn included, holds gravity
        // off for this pass, however late the step is.
        if (dispatched == kNothingHappened && GravityStepDue()) {
            landed = MakeGravityStep(current, cells);
        }
        // The landing frame still shows the rows the piece completed.
        DrawFrame(next, cells.data(), score.data());
    }
    // A piece that never left the top row ends the game.
    return current.y == 0 ? RoundGameOver : RoundLanded;
}

int32_t GravityDelay(int32_t n) {
    constexpr int32_t kFastest = 50;
    if (n >= 190) {
        return kFastest;
    }
    return 25 * (20 - n / 10);
}
