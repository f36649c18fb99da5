#include "flow/games.h"
#include "flow/keyboard.h"
#include "flow/screen_picture.h"
#include "platform/time.h"
#include "program/close_request.h"
#include "video/frame.h"
#include "video/game_screen.h"

namespace {

constexpr int32_t kShownDigits = 9;

// The digits go under the picture, which lets them through its transparent
// colour.
void DrawEndFrame(SpriteSheet& endSheet, const Score& score) {
    ClearBackBuffer();
    if (digitSheet != nullptr) {
        for (int32_t entry = kShownDigits - 1; entry >= 0; --entry) {
            digitSheet->Draw(score[static_cast<size_t>(entry)], EndScoreDigitX(entry),
                             EndScoreDigitY(), backBuffer);
        }
    }
    endSheet.Draw(0, 0, 0, backBuffer);
    PresentFrame();
}

}  // namespace

void ShowEndScreen(const Score& score) {
    // Drawn in the colours of the play background, which are still in force.
    SpriteSheet endSheet(1, kScreenWidth, kScreenHeight);
    LoadScreenPicture(endSheet, "end.bmp", false);

    platform::Sleep(80);
    Action action = PollKeyboard();
    if (action == ActionPause) {
        endSheet.ReleaseSurfaces();
        return;
    }
    // The Escape that ended play is often still down here; it must be let go
    // and pressed again, or the score would vanish unseen.
    bool escapeReleased = action != ActionQuit;
    // The keyboard is read twice a pass, before the frame and after it. Either
    // read may be the one that sees a short press, so each acts on both keys:
    // a press seen by the other read would be lost, since the latch or the
    // key's release hides it from the next read. A request to close the
    // window ends the screen as well.
    const auto leaves = [&escapeReleased](Action polled) {
        if (polled == ActionPause || (polled == ActionQuit && escapeReleased)) {
            return true;
        }
        escapeReleased = escapeReleased || polled != ActionQuit;
        return false;
    };
    while (!CloseRequested()) {
        if (leaves(PollKeyboard())) {
            break;
        }
        DrawEndFrame(endSheet, score);
        if (leaves(PollKeyboard())) {
            break;
        }
    }
    endSheet.ReleaseSurfaces();
}
