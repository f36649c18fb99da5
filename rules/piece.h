// A falling piece as a plain value, and the seven shapes it can take.
#pragma once

#include <array>
#include <cstdint>

// One orientation of a shape: the used part of a 4 x 4 grid, anchored at its
// top-left corner, and the offsets that keep the shape turning about a fixed
// point.
struct RotationState {
    int32_t lastCol = 0;       // width - 1 of the used part
    int32_t lastRow = 0;       // height - 1 of the used part
    int32_t forwardDx = 0;     // added to x when a forward turn arrives here
    int32_t forwardDy = 0;     // added to y when a forward turn arrives here
    int32_t backwardDx = 0;    // added to x when a backward turn arrives here
    int32_t backwardDy = 0;    // added to y when a backward turn arrives here
    int32_t cells[4][4] = {};  // [row][column]; 0 empty, else the tile value
};

class Piece {
public:
    Piece();
    // Copies position, rotation and the used part of every record in use.
    void Assign(Piece source);

    int32_t x;             // board column of grid column 0
    int32_t y;             // board row of grid row 0
    int32_t lastRotation;  // 0, 1 or 3
    int32_t rotation;      // 0 .. lastRotation
    RotationState rotations[4];
};

inline constexpr int32_t kShapeCount = 7;
using ShapeTable = std::array<Piece, kShapeCount>;

// The seven templates; template k has tile value k + 1.
extern ShapeTable shapeTable;

void BuildShapeTable();
