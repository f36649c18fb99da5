// One play frame, back to front: background, board, preview, score, games
// left; then shown.
#include "video/frame.h"

#include "rules/board.h"
#include "rules/counters.h"
#include "video/game_screen.h"

SpriteSheet* backgroundSheet = nullptr;

namespace {

constexpr int32_t kShownScoreDigits = 9;  // the tenth takes the carry and is never shown
constexpr int32_t kGridSize = 4;

void DrawOnBackBuffer(SpriteSheet* sheet, int32_t frame, int32_t x, int32_t y) {
    if (sheet != nullptr && backBuffer != nullptr) {
        sheet->Draw(frame, x, y, backBuffer);
    }
}

}  // namespace

void DrawFrame(Piece next, const int16_t* cells, const int32_t* score) {
    ClearBackBuffer();
    DrawBackground();
    DrawBoard(cells);
    DrawPreview(next);
    DrawScore(score);
    DrawOnBackBuffer(digitSheet, gamesLeft, GamesLeftX(), GamesLeftY());
    PresentFrame();
}

void DrawBackground() {
    DrawOnBackBuffer(backgroundSheet, 0, 0, 0);
}

// Every cell is drawn, empty ones as tile 0; the falling piece shows through
// the cells it is written into.
void DrawBoard(const int16_t* cells) {
    if (cells == nullptr) {
        return;
    }
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            const int16_t value = cells[row * kBoardColumns + column];
            DrawOnBackBuffer(tileSheet, value, BoardCellX(column), BoardCellY(row));
        }
    }
}

// The used part of the current rotation's grid, anchored at the box's corner
// whatever the shape; the rest of the box shows the background.
void DrawPreview(Piece piece) {
    if (piece.rotation < 0 || piece.rotation >= 4) {
        return;
    }
    const RotationState& shown = piece.rotations[piece.rotation];
    for (int32_t row = 0; row <= shown.lastRow && row < kGridSize; ++row) {
        for (int32_t column = 0; column <= shown.lastCol && column < kGridSize; ++column) {
            DrawOnBackBuffer(tileSheet, shown.cells[row][column], PreviewCellX(column),
                             PreviewCellY(row));
        }
    }
}

// Units rightmost; leading zeros are shown.
void DrawScore(const int32_t* score) {
    if (score == nullptr) {
        return;
    }
    for (int32_t entry = kShownScoreDigits - 1; entry >= 0; --entry) {
        DrawOnBackBuffer(digitSheet, score[entry], ScoreDigitX(entry), ScoreDigitY());
    }
}
