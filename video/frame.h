// One play frame: background, board, next-piece preview, score and games left.
#pragma once

#include <cstdint>

#include "rules/piece.h"
#include "video/sprite_sheet.h"

// The play background, one 640 x 480 frame; made by start-up.
extern SpriteSheet* backgroundSheet;

void DrawFrame(Piece next, const int16_t* cells, const int32_t* score);
void DrawBackground();
void DrawBoard(const int16_t* cells);
void DrawPreview(Piece piece);
void DrawScore(const int32_t* score);

int32_t BoardCellX(int32_t column);
int32_t BoardCellY(int32_t row);
int32_t PreviewCellX(int32_t column);
int32_t PreviewCellY(int32_t row);
int32_t ScoreDigitX(int32_t entry);
int32_t ScoreDigitY();
int32_t GamesLeftX();
int32_t GamesLeftY();
int32_t EndScoreDigitX(int32_t entry);
int32_t EndScoreDigitY();
