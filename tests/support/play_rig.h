// What play needs, made the way start-up makes it but without the title
// screen, and keys scripted by the pass of a loop that shows a frame a pass.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/window_handles.h"
#include "audio/sound.h"
#include "flow/fall.h"
#include "flow/keyboard.h"
#include "platform/headless/control.h"
#include "platform/keys.h"
#include "platform/window.h"
#include "rules/board.h"
#include "rules/counters.h"
#include "rules/piece.h"
#include "video/bitmap.h"
#include "video/display.h"
#include "video/frame.h"
#include "video/sprite_sheet.h"

namespace test_support {

// The counters a fresh program starts with.
inline void ResetRunCounters() {
    gamesLeft = 3;
    rowsCleared = 0;
    keyLatch = 0;
    nextRotateTime = 0;
    nextGravityTick = 0;
    ClearBoard();
}

inline intptr_t RigWindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                              intptr_t lParam) {
    if (message == platform::WM_DESTROY) {
        platform::PostQuitMessage(0);
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

class PlayRig {
public:
    PlayRig() {
        platform::headless::Reset();
        ResetRunCounters();
        OpenWindow();
        InitDisplay(640, 480, 8);
        CreateScreenSurfaces();
        InitKeyboard();
        InitSoundDevice();
        musicSound = new Sound;
        musicSound->Load("techno.wav", 1);
        crunchSound = new Sound;
        crunchSound->Load("crunch.wav", 1);
        LoadPlayBackground();
        LoadTileSheet();
        LoadDigitSheet();
        BuildShapeTable();
    }
    ~PlayRig() {
        platform::headless::SetKeySource(nullptr);
        platform::headless::SetFrameHook(nullptr);
        platform::headless::SetSleepHook(nullptr);
        ReleaseSounds();
        musicSound = nullptr;
        crunchSound = nullptr;
        backgroundSheet->ReleaseSurfaces();
        delete backgroundSheet;
        backgroundSheet = nullptr;
        ReleaseTileSheet();
        ReleaseDigitSheet();
        ReleaseScreenSurfaces();
        ReleaseDisplay();
        ReleaseKeyboard();
        ReleaseSoundDevice();
        platform::headless::Reset();
    }
    PlayRig(const PlayRig&) = delete;
    PlayRig& operator=(const PlayRig&) = delete;

private:
    static void OpenWindow() {
        platform::WindowClass windowClass;
        windowClass.procedure = RigWindowProc;
        windowClass.className = "PLAYRIG";
        platform::RegisterClass(&windowClass);
        mainWindow =
            platform::CreateWindowEx(0, "PLAYRIG", "rig", platform::WS_POPUP | platform::WS_VISIBLE,
                                     0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    }
    static void LoadPlayBackground() {
        Bitmap picture;
        picture.Load("menu1.bmp");
        picture.ApplyPalette(primaryPalette);
        picture.ApplyPalette(backBufferPalette);
        backgroundSheet = new SpriteSheet(1, 640, 480);
        backgroundSheet->LoadFrame(picture, 0, 0, 0);
    }
};

// Keys down during each pass, counted from 0 by the frames shown since.
using KeysAtPass = std::function<std::vector<uint8_t>(uint64_t pass)>;

inline void SetKeysByPass(KeysAtPass keysAt) {
    const uint64_t firstFrame = platform::headless::FramesPresented();
    platform::headless::SetKeySource([keysAt, firstFrame](uint32_t, uint8_t* keys) {
        std::fill_n(keys, 256, uint8_t{0});
        for (uint8_t key : keysAt(platform::headless::FramesPresented() - firstFrame)) {
            keys[key] = platform::kKeyDown;
        }
    });
}

// One key at given passes; Escape from quitPass on, so the loop ends.
inline KeysAtPass KeyAtPasses(uint8_t key, std::initializer_list<uint64_t> passes,
                              uint64_t quitPass) {
    std::vector<uint64_t> at(passes);
    return [key, at, quitPass](uint64_t pass) -> std::vector<uint8_t> {
        if (pass >= quitPass) {
            return {platform::DIK_ESCAPE};
        }
        if (std::find(at.begin(), at.end(), pass) != at.end()) {
            return {key};
        }
        return {};
    };
}

struct PieceAt {
    int32_t x = 0;
    int32_t y = 0;
    int32_t rotation = 0;
    uint32_t tick = 0;
};

// Records where the piece is whenever a frame is shown.
inline std::shared_ptr<std::vector<PieceAt>> TracePiece(const Piece& piece) {
    auto trace = std::make_shared<std::vector<PieceAt>>();
    platform::headless::SetFrameHook([trace, &piece](const platform::headless::Frame& frame) {
        trace->push_back({piece.x, piece.y, piece.rotation, frame.tick});
    });
    return trace;
}

inline Piece ShapeAt(int32_t shape, int32_t x, int32_t y) {
    Piece piece;
    piece.Assign(shapeTable[static_cast<size_t>(shape)]);
    piece.x = x;
    piece.y = y;
    return piece;
}

inline void FillRow(Board& cells, int32_t row, int16_t value, std::initializer_list<int32_t> gaps) {
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        if (std::find(gaps.begin(), gaps.end(), column) == gaps.end()) {
            cells[static_cast<size_t>(row * kBoardColumns + column)] = value;
        }
    }
}

inline int32_t FilledCells(const Board& cells) {
    return static_cast<int32_t>(
        std::count_if(cells.begin(), cells.end(), [](int16_t cell) { return cell != 0; }));
}

}  // namespace test_support
