// Carrying out the player's action on the falling piece.
#include "flow/keyboard.h"
#include "rules/board.h"

int32_t DispatchAction(Piece& piece, int16_t* cells) {
    switch (PollKeyboard()) {
        case ActionLeft:
            return MoveLeft(piece, cells) ? 1 : 0;
        case ActionRight:
            return MoveRight(piece, cells) ? 1 : 0;
        case ActionDown:
            return MoveDown(piece, cells) ? 1 : 0;
        case ActionRotate:
            // A turn counts as an action even when blocked, so gravity waits.
            Rotate(piece, cells);
            return 1;
        case ActionQuit:
            return ActionQuit;
        case ActionPause:
            return PauseGame();
        default:
            return 0;
    }
}
