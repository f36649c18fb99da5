// "Loading..." while the pictures and sounds are read.
#include "video/game_screen.h"

namespace {

constexpr int32_t kLoadingTextX = 20;
constexpr int32_t kLoadingTextY = 20;
constexpr platform::ColorRef kWhite = 0xFFFFFF;

// A surface that was lost (the player switched away) never flips again;
// start-up must go on rather than wait for it.
constexpr int kMaxLoadingFlipTries = 100;

}  // namespace

void ShowLoadingScreen() {
    ClearBackBuffer();
    DrawString("Loading...", kLoadingTextX, kLoadingTextY, kWhite);
    if (directDraw != nullptr) {
        directDraw->WaitForVerticalBlank(platform::DDWAITVB_BLOCKBEGIN, nullptr);
    }
    if (primarySurface == nullptr) {
        return;
    }
    for (int tries = 0; tries < kMaxLoadingFlipTries; ++tries) {
        if (primarySurface->Flip(nullptr, platform::DDFLIP_WAIT) == platform::kOk) {
            return;
        }
    }
}
