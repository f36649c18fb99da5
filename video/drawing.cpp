// What every screen does with the back buffer: clear it, write on it, and
// show it.
#include <cstring>
#include <limits>

#include "platform/time.h"
#include "video/game_screen.h"

namespace {

// Frames are paced to no more than 25 a second.
constexpr uint32_t kFramePauseMilliseconds = 40;

}  // namespace

void ClearBackBuffer() {
    if (backBuffer == nullptr) {
        return;
    }
    platform::BltFx fill{};
    fill.size = sizeof(platform::BltFx);
    fill.fillColor = 0;
    backBuffer->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL | platform::DDBLT_WAIT,
                    &fill);
}

void DrawString(const char* text, int32_t x, int32_t y, platform::ColorRef colour) {
    if (backBuffer == nullptr || text == nullptr) {
        return;
    }
    platform::DeviceContext* context = nullptr;
    if (platform::Failed(backBuffer->GetDC(&context)) || context == nullptr) {
        return;
    }
    platform::SetTextColor(context, colour);
    platform::SetBkMode(context, platform::TRANSPARENT);
    const size_t length = std::strlen(text);
    const size_t longest = static_cast<size_t>(std::numeric_limits<int32_t>::max());
    platform::TextOut(context, x, y, text,
                      static_cast<int32_t>(length < longest ? length : longest));
    backBuffer->ReleaseDC(context);
}

void PresentFrame() {
    if (primarySurface != nullptr) {
        primarySurface->Flip(nullptr, platform::DDFLIP_WAIT);
    }
    platform::Sleep(kFramePauseMilliseconds);
}
