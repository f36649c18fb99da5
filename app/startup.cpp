#include <new>

#include "app/game.h"
#include "app/startup_failure.h"
#include "audio/sound_clip.h"
#include "flow/fall.h"
#include "flow/games.h"
#include "flow/keyboard.h"
#include "platform/time.h"
#include "rules/piece.h"
#include "video/bitmap.h"
#include "video/frame.h"
#include "video/game_screen.h"
#include "video/sprite_sheet.h"

namespace {

constexpr int32_t kScreenWidth = 640;
constexpr int32_t kScreenHeight = 480;
constexpr int32_t kBitsPerPixel = 8;
constexpr const char* kOutOfMemory = "out of memory";

// The screen, the keyboard and the sound device; without any of them the
// game cannot run.
int32_t SetUpDevices() {
    if (InitDisplay(kScreenWidth, kScreenHeight, kBitsPerPixel) == 0) {
        return ReportStartupFailure("cannot set up the display");
    }
    if (CreateScreenSurfaces() == 0 || backBuffer == nullptr) {
        return ReportStartupFailure("cannot make the screen surfaces");
    }
    if (InitKeyboard() == 0) {
        return ReportStartupFailure("cannot set up the keyboard");
    }
    if (InitSoundDevice() == 0) {
        return ReportStartupFailure("cannot set up the sound device");
    }
    return 1;
}

Sound* LoadSound(const char* fileName) {
    Sound* sound = new (std::nothrow) Sound;
    if (sound != nullptr) {
        sound->Load(fileName, 1);
    }
    return sound;
}

int32_t LoadSounds() {
    musicSound = LoadSound("techno.wav");
    if (musicSound == nullptr) {
        return ReportStartupFailure("cannot make the music", kOutOfMemory);
    }
    crunchSound = LoadSound("crunch.wav");
    if (crunchSound == nullptr) {
        return ReportStartupFailure("cannot make the row-clear sound", kOutOfMemory);
    }
    return 1;
}

// The play background; its colours become the game's colours.
int32_t LoadBackground() {
    Bitmap picture;
    picture.Load("menu1.bmp");
    for (platform::Palette* palette : {primaryPalette, backBufferPalette}) {
        if (palette != nullptr) {
            picture.ApplyPalette(palette);
        }
    }
    backgroundSheet = new (std::nothrow) SpriteSheet(1, kScreenWidth, kScreenHeight);
    if (backgroundSheet == nullptr) {
        return ReportStartupFailure("cannot make the play background", kOutOfMemory);
    }
    backgroundSheet->LoadFrame(picture, 0, 0, 0);
    return 1;
}

int32_t LoadPictures() {
    if (LoadBackground() == 0) {
        return 0;
    }
    if (!LoadTileSheet()) {
        return ReportStartupFailure("cannot make the block tiles", kOutOfMemory);
    }
    if (!LoadDigitSheet()) {
        return ReportStartupFailure("cannot make the score digits", kOutOfMemory);
    }
    return 1;
}

// Gives back what a failed start-up made, so the program ends cleanly.
int32_t AbandonStartup() {
    ReleaseGameSounds();
    ReleaseSheetsAndDevices();
    return 0;
}

}  // namespace

int32_t InitGame(Score* score) {
    if (SetUpDevices() == 0) {
        return AbandonStartup();
    }
    nextGravityTick = platform::GetTickCount();
    nextRotateTime = platform::GetTickCount();

    ShowTitleScreen();
    ShowLoadingScreen();
    if (LoadSounds() == 0 || LoadPictures() == 0) {
        return AbandonStartup();
    }
    score->fill(0);
    BuildShapeTable();
    return 1;
}
