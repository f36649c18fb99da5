#include "flow/games.h"

#include "program/close_request.h"
#include "program/window_handles.h"
#include "rules/counters.h"

namespace {

enum class Queue { KeepPlaying, EndRun };

// Takes one message from the queue between two rounds and hands it to its
// window; the quit message ends the run. A message that took the window away
// (a close request) leaves no screen to play on, so the messages that follow
// it, the quit message among them, are taken at once, and if none is left the
// run ends all the same. A close request further back in the queue is not
// left for later rounds either: the messages before it are taken now.
Queue HandleMessagesBetweenRounds(platform::Message& lastTaken) {
    platform::Message message;
    bool windowGone = false;
    while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        lastTaken = message;
        if (message.message == platform::WM_QUIT) {
            return Queue::EndRun;
        }
        platform::TranslateMessage(&message);
        platform::DispatchMessage(&message);
        windowGone = !platform::IsWindow(mainWindow);
        if (!windowGone && !CloseRequested()) {
            return Queue::KeepPlaying;
        }
    }
    return windowGone ? Queue::EndRun : Queue::KeepPlaying;
}

// Plays rounds until the game is over or the run must end.
RoundResult PlayGame(Piece& current, Piece& emptyPiece, Score& score, FullRows& fullRows,
                     int32_t& fullRowCount, platform::Message& message) {
    ClearBoard();
    SpawnFirstPiece(current, board);
    RoundResult result = RoundLanded;
    while (result == RoundLanded || result == RoundCut) {
        if (HandleMessagesBetweenRounds(message) == Queue::EndRun) {
            return RoundQuit;
        }
        result = PlayRound(current, emptyPiece, score, fullRows, fullRowCount);
    }
    return result;
}

}  // namespace

void RunGames(Piece& current, Piece& emptyPiece, Score& score, FullRows& fullRows,
              int32_t& fullRowCount, platform::Message& message) {
    RoundResult result = RoundQuit;
    do {
        result = PlayGame(current, emptyPiece, score, fullRows, fullRowCount, message);
        // A game counts as played whatever ended it.
        --gamesLeft;
    } while (result != RoundQuit && gamesLeft > 0);
}
