#include "rules/board.h"

namespace {

// A turn takes the offsets of the record it arrives in; the shape data makes
// a backward turn the exact undo of a forward one.
void TurnForward(Piece& piece) {
    piece.rotation = piece.rotation == piece.lastRotation ? 0 : piece.rotation + 1;
    piece.x += piece.rotations[piece.rotation].forwardDx;
    piece.y += piece.rotations[piece.rotation].forwardDy;
}

void TurnBackward(Piece& piece) {
    piece.rotation = piece.rotation == 0 ? piece.lastRotation : piece.rotation - 1;
    piece.x += piece.rotations[piece.rotation].backwardDx;
    piece.y += piece.rotations[piece.rotation].backwardDy;
}

// Takes the piece off the board so it cannot collide with itself, tries the
// step, takes it back if the new place is taken or outside the well, and
// writes the piece in again wherever it ended up.
bool TryStep(Piece& piece, int16_t* cells, Step step, Step undo) {
    ErasePiece(piece, cells);
    ApplyStep(step, piece);
    const bool blocked = Collides(piece, cells);
    if (blocked) {
        ApplyStep(undo, piece);
    }
    StampPiece(piece, cells);
    return !blocked;
}

}  // namespace

void ApplyStep(Step step, Piece& piece) {
    switch (step) {
        case StepLeft:
            --piece.x;
            break;
        case StepRight:
            ++piece.x;
            break;
        case StepUp:
            --piece.y;
            break;
        case StepDown:
            ++piece.y;
            break;
        case StepTurnForward:
            TurnForward(piece);
            break;
        case StepTurnBackward:
            TurnBackward(piece);
            break;
        default:
            break;
    }
}

bool MoveLeft(Piece& piece, int16_t* cells) {
    return TryStep(piece, cells, StepLeft, StepRight);
}

bool MoveRight(Piece& piece, int16_t* cells) {
    return TryStep(piece, cells, StepRight, StepLeft);
}

bool MoveDown(Piece& piece, int16_t* cells) {
    return TryStep(piece, cells, StepDown, StepUp);
}

bool Rotate(Piece& piece, int16_t* cells) {
    return TryStep(piece, cells, StepTurnForward, StepTurnBackward);
}
