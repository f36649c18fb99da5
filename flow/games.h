// Rounds and games, between the title screen and the end screen.
#pragma once

#include <cstdint>

#include "flow/fall.h"
#include "platform/window.h"
#include "rules/board.h"
#include "rules/piece.h"
#include "rules/score.h"

// Runs up to three games; leaves in message the last message taken from the queue.
void RunGames(Piece& current, Piece& emptyPiece, Score& score, FullRows& fullRows,
              int32_t& fullRowCount, platform::Message& message);
void SpawnFirstPiece(Piece& current, Board& cells);
RoundResult PlayRound(Piece& current, Piece& emptyPiece, Score& score, FullRows& fullRows,
                      int32_t& fullRowCount);
void ShowTitleScreen();
void ShowEndScreen(const Score& score);
