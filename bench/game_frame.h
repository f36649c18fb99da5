// The game's side of the frame-drawing measurement, shared by the benchmark
// (bench/frame_drawing.cpp, with Google Benchmark and SDL2's blitter to compare)
// and the plain timing loop that needs neither (bench/timed/frame_timing.cpp,
// the one a Windows build runs).
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/startup_failure.h"
#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/host_palette_expand.h"
#include "rules/board.h"
#include "rules/counters.h"
#include "rules/piece.h"
#include "video/bitmap.h"
#include "video/frame.h"
#include "video/game_screen.h"
#include "video/sprite_sheet.h"

namespace bench {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kFramePitch = kScreenWidth * 4;
constexpr int32_t kFrameSide = 20;
constexpr int32_t kTileCount = 8;
constexpr int32_t kDigitCount = 10;
constexpr int32_t kShownScoreDigits = 9;

// A game in its middle: the lower half of the well filled with holes here and
// there, a piece on its way down, a preview as large as any shape gives, and a
// score of nine digits.
struct Scene {
    Board cells{};
    Piece next;
    int32_t score[10] = {7, 3, 9, 0, 4, 1, 8, 6, 2, 0};
};

inline Scene MiddleOfAGame() {
    Scene scene;
    for (int32_t row = 11; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            const int32_t value = (row * 7 + column * 3) % 9;
            scene.cells[row * kBoardColumns + column] = static_cast<int16_t>(value > 7 ? 0 : value);
        }
    }
    for (int32_t column = 4; column < 8; ++column) {
        scene.cells[3 * kBoardColumns + column] = 1;
    }
    BuildShapeTable();
    auto shownArea = [](const Piece& piece) {
        const RotationState& shown = piece.rotations[piece.rotation];
        return (shown.lastRow + 1) * (shown.lastCol + 1);
    };
    scene.next = *std::max_element(
        shapeTable.begin(), shapeTable.end(),
        [&](const Piece& a, const Piece& b) { return shownArea(a) < shownArea(b); });
    return scene;
}

// The game's side: the display on the headless host with the game's own
// pictures, and a 32-bit frame like the SDL host's texture.
struct GameScreen {
    std::vector<uint32_t> texture =
        std::vector<uint32_t>(static_cast<size_t>(kScreenWidth) * kScreenHeight);

    bool Open() {
        platform::headless::Reset();
        if (InitDisplay(kScreenWidth, kScreenHeight, 8) != 1 || CreateScreenSurfaces() != 1) {
            return false;
        }
        Bitmap background;
        if (background.Load("menu1.bmp") != 1) {
            return false;
        }
        background.ApplyPalette(primaryPalette);
        background.ApplyPalette(backBufferPalette);
        backgroundSheet = new SpriteSheet(1, kScreenWidth, kScreenHeight);
        backgroundSheet->LoadFrame(background, 0, 0, 0);
        LoadTileSheet();
        LoadDigitSheet();
        gamesLeft = 2;
        return true;
    }

    ~GameScreen() { ReleaseSheetsAndDevices(); }

    void Draw(const Scene& scene) {
        Compose(scene);
        platform::ExpandThroughPalette(backBuffer->Pixels(), backBuffer->Pitch(), kScreenWidth,
                                       kScreenHeight, primaryPalette->Entries(), texture.data(),
                                       kFramePitch);
    }

    // DrawFrame's steps up to the flip.
    void Compose(const Scene& scene) {
        ClearBackBuffer();
        DrawBackground();
        DrawBoard(scene.cells.data());
        DrawPreview(scene.next);
        DrawScore(scene.score);
        digitSheet->Draw(gamesLeft, GamesLeftX(), GamesLeftY(), backBuffer);
    }

    // The pixels of one frame of a sheet, key colour included: drawn over a
    // back buffer filled with the key colour, so skipped pixels keep it.
    std::vector<uint8_t> FramePixels(SpriteSheet* sheet, int32_t frame, int32_t width,
                                     int32_t height) {
        platform::BltFx fill{sizeof(platform::BltFx), kTransparentIndex};
        backBuffer->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL, &fill);
        sheet->Draw(frame, 0, 0, backBuffer);
        std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
        for (int32_t y = 0; y < height; ++y) {
            std::memcpy(pixels.data() + static_cast<size_t>(y) * width,
                        backBuffer->Pixels() + static_cast<size_t>(y) * backBuffer->Pitch(),
                        static_cast<size_t>(width));
        }
        return pixels;
    }
};

}  // namespace bench
