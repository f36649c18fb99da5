// The seven shapes and their orientations. Nothing is rotated at run time: a
// turn picks the next record and shifts the piece by that record's offsets,
// which are chosen so that one cell of the shape stays where it was.
#include "rules/piece.h"

ShapeTable shapeTable;

namespace {

struct ShapeRow {
    int32_t startColumn;
    int32_t lastRotation;
};

// Template k; its blocks carry tile value k + 1.
constexpr ShapeRow kShapeRows[kShapeCount] = {
    {5, 1},  // straight bar of four
    {4, 1},  // Z-shaped zigzag
    {4, 1},  // S-shaped zigzag
    {4, 3},  // T-shaped
    {4, 3},  // J-shaped
    {5, 3},  // L-shaped
    {5, 0},  // 2 x 2 square
};

struct Offset {
    int32_t dx;
    int32_t dy;
};

// One orientation. The cells are the used rows from top to bottom, split by
// '/', each row its used columns from left to right.
struct RecordRow {
    int32_t shape;
    int32_t record;
    int32_t lastCol;
    int32_t lastRow;
    Offset forward;
    Offset backward;
    const char* cells;
};

// The bar turns about its third cell, the T about its centre, the J and L about
// the middle of their run of three; the zigzags keep their grid's top-left
// corner and the square stays put.
constexpr RecordRow kRecordRows[] = {
    {0, 0, 0, 3, {2, -2}, {2, -2}, "1 / 1 / 1 / 1"},
    {0, 1, 3, 0, {-2, 2}, {-2, 2}, "1 1 1 1"},
    {1, 0, 1, 2, {0, 0}, {0, 0}, "0 2 / 2 2 / 2 0"},
    {1, 1, 2, 1, {0, 0}, {0, 0}, "2 2 0 / 0 2 2"},
    {2, 0, 1, 2, {0, 0}, {0, 0}, "3 0 / 3 3 / 0 3"},
    {2, 1, 2, 1, {0, 0}, {0, 0}, "0 3 3 / 3 3 0"},
    {3, 0, 2, 1, {0, 0}, {-1, 0}, "0 4 0 / 4 4 4"},
    {3, 1, 1, 2, {1, 0}, {1, -1}, "4 0 / 4 4 / 4 0"},
    {3, 2, 2, 1, {-1, 1}, {0, 1}, "4 4 4 / 0 4 0"},
    {3, 3, 1, 2, {0, -1}, {0, 0}, "0 4 / 4 4 / 0 4"},
    {4, 0, 1, 2, {0, -1}, {0, 0}, "0 5 / 0 5 / 5 5"},
    {4, 1, 2, 1, {0, 0}, {-1, 0}, "5 0 0 / 5 5 5"},
    {4, 2, 1, 2, {1, 0}, {1, -1}, "5 5 / 5 0 / 5 0"},
    {4, 3, 2, 1, {-1, 1}, {0, 1}, "5 5 5 / 0 0 5"},
    {5, 0, 1, 2, {1, 0}, {1, -1}, "6 0 / 6 0 / 6 6"},
    {5, 1, 2, 1, {-1, 1}, {0, 1}, "6 6 6 / 6 0 0"},
    {5, 2, 1, 2, {0, -1}, {0, 0}, "6 6 / 0 6 / 0 6"},
    {5, 3, 2, 1, {0, 0}, {-1, 0}, "0 0 6 / 6 6 6"},
    {6, 0, 1, 1, {0, 0}, {0, 0}, "7 7 / 7 7"},
};

// Writes the non-zero cells of a picture like "0 2 / 2 2 / 2 0"; the rest of
// the grid keeps its zero.
void FillCells(const char* picture, int32_t (&cells)[4][4]) {
    int32_t row = 0;
    int32_t column = 0;
    for (const char* at = picture; *at != '\0'; ++at) {
        if (*at == '/') {
            ++row;
            column = 0;
        } else if (*at >= '0' && *at <= '9') {
            if (row < 4 && column < 4 && *at != '0') {
                cells[row][column] = *at - '0';
            }
            ++column;
        }
    }
}

void FillRecord(const RecordRow& data, RotationState& record) {
    record.lastCol = data.lastCol;
    record.lastRow = data.lastRow;
    record.forwardDx = data.forward.dx;
    record.forwardDy = data.forward.dy;
    record.backwardDx = data.backward.dx;
    record.backwardDy = data.backward.dy;
    FillCells(data.cells, record.cells);
}

}  // namespace

void BuildShapeTable() {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        Piece& piece = shapeTable[shape];
        piece.x = kShapeRows[shape].startColumn;
        piece.y = 0;
        piece.lastRotation = kShapeRows[shape].lastRotation;
        piece.rotation = 0;
    }
    for (const RecordRow& data : kRecordRows) {
        FillRecord(data, shapeTable[data.shape].rotations[data.record]);
    }
}
