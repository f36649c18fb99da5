#include "audio/sound_clip.h"
#include "flow/games.h"
#include "flow/keyboard.h"
#include "flow/screen_picture.h"
#include "program/close_request.h"
#include "video/game_screen.h"

void ShowTitleScreen() {
    Sound titleMusic;
    SpriteSheet titleSheet(1, kScreenWidth, kScreenHeight);
    LoadScreenPicture(titleSheet, "start.bmp", true);

    constexpr int32_t kOnce = 0;
    titleMusic.Load("superhappy.wav", 1);
    titleMusic.Play(kOnce);

    // Only a fresh press of Return leaves the title; one already down when it
    // starts leaves it before the first frame. A request to close the window
    // leaves it too, so that the games loop can act on it.
    while (PollKeyboard() != ActionPause && !CloseRequested()) {
        ClearBackBuffer();
        titleSheet.Draw(0, 0, 0, backBuffer);
        PresentFrame();
    }
    titleMusic.StopAndRewind();
    titleSheet.ReleaseSurfaces();
}
