#include "app/startup_failure.h"
#include "audio/sound_clip.h"
#include "flow/keyboard.h"
#include "video/frame.h"
#include "video/game_screen.h"
#include "video/sprite_sheet.h"

void ReleaseGameSounds() {
    ReleaseSounds();
}

void ReleaseSheetsAndDevices() {
    if (backgroundSheet != nullptr) {
        backgroundSheet->ReleaseSurfaces();
        delete backgroundSheet;
        backgroundSheet = nullptr;
    }
    ReleaseTileSheet();
    ReleaseDigitSheet();
    ReleaseScreenSurfaces();
    if (directDraw != nullptr) {
        ReleaseDisplay();
    }
    if (directInput != nullptr || keyboardDevice != nullptr) {
        ReleaseKeyboard();
    }
    if (soundDevice != nullptr) {
        ReleaseSoundDevice();
    }
}
