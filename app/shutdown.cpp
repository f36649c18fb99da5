#include "app/game.h"
#include "app/startup_failure.h"
#include "flow/games.h"
#include "program/window_handles.h"
#include "video/game_screen.h"

int32_t ShutdownGame(Score* score) {
    ReleaseGameSounds();
    // A closed window leaves no one to see the end screen or to press its keys.
    if (platform::IsWindow(mainWindow)) {
        ShowEndScreen(*score);
    }
    ClearBackBuffer();
    ReleaseSheetsAndDevices();
    return 1;
}
