#include "rules/board.h"

Board board;

namespace {

const RotationState& CurrentRecord(const Piece& piece) {
    return piece.rotations[piece.rotation];
}

int32_t CellIndex(const Piece& piece, int32_t row, int32_t column) {
    return (piece.y + row) * kBoardColumns + piece.x + column;
}

}  // namespace

void ClearBoard() {
    board.fill(0);
}

// Only blocks are written: the empty corners of the grid never wipe a
// neighbouring block.
void StampPiece(Piece piece, int16_t* cells) {
    const RotationState& record = CurrentRecord(piece);
    for (int32_t row = 0; row <= record.lastRow; ++row) {
        for (int32_t column = 0; column <= record.lastCol; ++column) {
            if (record.cells[row][column] != 0) {
                cells[CellIndex(piece, row, column)] =
                    static_cast<int16_t>(record.cells[row][column]);
            }
        }
    }
}

void ErasePiece(Piece piece, int16_t* cells) {
    const RotationState& record = CurrentRecord(piece);
    for (int32_t row = 0; row <= record.lastRow; ++row) {
        for (int32_t column = 0; column <= record.lastCol; ++column) {
            if (record.cells[row][column] != 0) {
                cells[CellIndex(piece, row, column)] = 0;
            }
        }
    }
}

// Every row and column of the used part holds a block, so testing the used
// part is testing the four blocks.
bool InBounds(Piece piece) {
    const RotationState& record = CurrentRecord(piece);
    return piece.x >= 0 && piece.x + record.lastCol <= kBoardColumns - 1 && piece.y >= 0 &&
           piece.y + record.lastRow <= kBoardRows - 1;
}

bool Overlaps(Piece piece, const int16_t* cells) {
    const RotationState& record = CurrentRecord(piece);
    for (int32_t row = 0; row <= record.lastRow; ++row) {
        for (int32_t column = 0; column <= record.lastCol; ++column) {
            if (record.cells[row][column] != 0 && cells[CellIndex(piece, row, column)] != 0) {
                return true;
            }
        }
    }
    return false;
}

// Overlaps reads the board under the piece, so it is asked only once the
// piece is known to lie inside the well.
bool Collides(Piece piece, const int16_t* cells) {
    return !InBounds(piece) || Overlaps(piece, cells);
}

// The first piece of a game always enters at the same place, whatever its
// template's start column.
void PlaceAtStart(Piece& piece, int16_t* cells) {
    piece.x = 4;
    piece.y = 0;
    StampPiece(piece, cells);
}
