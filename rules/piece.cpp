#include "rules/piece.h"

Piece::Piece() : x(0), y(0), lastRotation(0), rotation(0), rotations{} {}

// Only the records in use and the used part of their grids carry meaning, so
// only those are copied; everything else keeps what this piece held.
void Piece::Assign(Piece source) {
    x = source.x;
    y = source.y;
    lastRotation = source.lastRotation;
    rotation = source.rotation;
    for (int32_t index = 0; index <= source.lastRotation; ++index) {
        const RotationState& from = source.rotations[index];
        RotationState& to = rotations[index];
        to.lastCol = from.lastCol;
        to.lastRow = from.lastRow;
        to.forwardDx = from.forwardDx;
        to.forwardDy = from.forwardDy;
        to.backwardDx = from.backwardDx;
        to.backwardDy = from.backwardDy;
        for (int32_t row = 0; row <= from.lastRow; ++row) {
            for (int32_t column = 0; column <= from.lastCol; ++column) {
                to.cells[row][column] = from.cells[row][column];
            }
        }
    }
}
