// What play needs, made as start-up makes it but without the title screen,
// and keys scripted by the pass of a loop that shows a frame a pass.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "audio/sound_clip.h"
#include "flow/fall.h"
#include "flow/keyboard.h"
#include "platform/hosts/headless/headless_control.h"
#include "platform/keys.h"
#include "program/window_handles.h"
#include "rules/counters.h"
#include "video/frame.h"
#include "video/game_screen.h"

namespace test_support {

// The counters a fresh program starts with.
inline void ResetRunCounters() {
    gamesLeft = 3;
    rowsCleared = keyLatch = 0;
    nextRotateTime = nextGravityTick = 0;
    ClearBoard();
}

struct PlayRig {
    PlayRig() {
        platform::headless::Reset();
        ResetRunCounters();
        platform::WindowClass windowClass;
        windowClass.procedure = platform::DefWindowProc;  // a close destroys the window
        windowClass.className = "PLAYRIG";
        platform::RegisterClass(&windowClass);
        mainWindow =
            platform::CreateWindowEx(0, "PLAYRIG", "rig", platform::WS_POPUP | platform::WS_VISIBLE,
                                     0, 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
        InitDisplay(640, 480, 8);
        CreateScreenSurfaces();
        InitKeyboard();
        InitSoundDevice();
        (musicSound = new Sound)->Load("techno.wav", 1);
        (crunchSound = new Sound)->Load("crunch.wav", 1);
        Bitmap picture;
        picture.Load("menu1.bmp");
        picture.ApplyPalette(primaryPalette);
        picture.ApplyPalette(backBufferPalette);
        backgroundSheet = new SpriteSheet(1, 640, 480);
        backgroundSheet->LoadFrame(picture, 0, 0, 0);
        LoadTileSheet();
        LoadDigitSheet();
        BuildShapeTable();
    }
    ~PlayRig() {
        ReleaseSounds();
        musicSound = crunchSound = nullptr;
        backgroundSheet->ReleaseSurfaces();
        delete std::exchange(backgroundSheet, nullptr);
        ReleaseTileSheet();
        ReleaseDigitSheet();
        ReleaseScreenSurfaces();
        ReleaseDisplay();
        ReleaseKeyboard();
        ReleaseSoundDevice();
        platform::headless::Reset();
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

// Escape from quitPass on; before it the key at the first pass only.
inline KeysAtPass EscapeFrom(uint64_t quitPass, uint8_t key = 0) {
    return [=](uint64_t pass) -> std::vector<uint8_t> {
        return pass >= quitPass ? std::vector<uint8_t>{platform::DIK_ESCAPE}
                                : std::vector<uint8_t>(pass == 0 && key != 0 ? 1 : 0, key);
    };
}

inline Piece ShapeAt(int32_t shape, int32_t x, int32_t y) {
    Piece piece;
    piece.Assign(shapeTable[static_cast<size_t>(shape)]);
    piece.x = x;
    piece.y = y;
    return piece;
}

inline int32_t FilledCells(const Board& cells) {
    return static_cast<int32_t>(
        std::count_if(cells.begin(), cells.end(), [](int16_t c) { return c != 0; }));
}

}  // namespace test_support
