// The fall of one piece, from coming into play to landing.
#pragma once

#include <cstdint>

#include "rules/board.h"
#include "rules/piece.h"
#include "rules/score.h"

using RoundResult = int32_t;
inline constexpr RoundResult RoundQuit = 0;
inline constexpr RoundResult RoundGameOver = 1;
inline constexpr RoundResult RoundLanded = 2;
// The window system asked the run to end (a close request, a terminate
// signal) while the piece fell: the fall stops where it is so that the
// request is acted on at once, not after the landing.
inline constexpr RoundResult RoundCut = 3;

// The tick count from which the next gravity step is due.
extern uint32_t nextGravityTick;

RoundResult RunFallLoop(Piece& current, Board& cells, Score& score, Piece next);
// Milliseconds between two gravity steps after n cleared rows.
int32_t GravityDelay(int32_t n);
