// Full rows and the score.
#pragma once

#include <array>
#include <cstdint>

#include "rules/board.h"

// Ten decimal digits, entry 0 the units. Entries 0 to 8 hold 0 to 9 and are
// shown; entry 9 takes the carry out of entry 8 and is never reduced or shown.
using Score = std::array<int32_t, 10>;

// Row indices of the full rows, top row first; one entry per board row.
using FullRows = std::array<int32_t, kBoardRows>;

bool FindFullRows(const Board& cells, FullRows& fullRows, int32_t& fullRowCount);
void AddRowScore(Score& score, int32_t n);
void RemoveFullRows(int32_t n, FullRows& fullRows, Board& cells);
void RemoveRow(int32_t row, Board& cells);
void ClearTopRow(Board& cells);
