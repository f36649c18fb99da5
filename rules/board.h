// The well: 23 rows of 10 cells, and the moves of a piece on it.
//
// The falling piece stays written into the board: every move takes it off,
// changes it, tests the new place, takes the change back when the place is
// taken or outside the well, and writes it in again.
#pragma once

#include <array>
#include <cstdint>

#include "rules/piece.h"

inline constexpr int32_t kBoardRows = 23;
inline constexpr int32_t kBoardColumns = 10;

// Row-major, row 0 at the top. 0 is empty; 1 to 7 the tile value of a block.
using Board = std::array<int16_t, kBoardRows * kBoardColumns>;

// The one board of the run.
extern Board board;

// One elementary change of a piece.
using Step = int32_t;
inline constexpr Step StepLeft = 1;
inline constexpr Step StepRight = 2;
inline constexpr Step StepUp = 3;
inline constexpr Step StepDown = 4;
inline constexpr Step StepTurnForward = 5;
inline constexpr Step StepTurnBackward = 6;

void ClearBoard();
void StampPiece(Piece piece, int16_t* cells);
void ErasePiece(Piece piece, int16_t* cells);
bool InBounds(Piece piece);
bool Overlaps(Piece piece, const int16_t* cells);
bool Collides(Piece piece, const int16_t* cells);
void ApplyStep(Step step, Piece& piece);
bool MoveLeft(Piece& piece, int16_t* cells);
bool MoveRight(Piece& piece, int16_t* cells);
bool MoveDown(Piece& piece, int16_t* cells);
bool Rotate(Piece& piece, int16_t* cells);
void PlaceAtStart(Piece& piece, int16_t* cells);
