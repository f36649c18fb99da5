// The pause: the music stops and the game waits for a fresh press of Return.
#include "audio/sound_clip.h"
#include "flow/keyboard.h"
#include "program/close_request.h"

int32_t PauseGame() {
    if (musicSound != nullptr) {
        musicSound->Stop();
    }
    // The press that began the pause left the latch set, so Return has to be
    // let go and pressed again before this sees a pause. A request to close
    // the window ends the pause too, so that the games loop can act on it.
    while (PollKeyboard() != ActionPause && !CloseRequested()) {
    }
    // Resumed where it stopped, once: the next round starts it looping again.
    return musicSound != nullptr ? musicSound->Play(0) : 0;
}
