#include "app/game.h"
#include "app/startup_failure.h"
#include "flow/games.h"
#include "platform/random.h"
#include "platform/time.h"
#include "program/window_handles.h"

const platform::IconImage* programIcon = nullptr;

namespace {

constexpr const char* kClassName = "BITMAPTESTCLASS";
constexpr const char* kWindowTitle = "Test Window";

bool RegisterWindowClass(platform::InstanceHandle instance) {
    platform::WindowClass windowClass;
    windowClass.style =
        platform::CS_VREDRAW | platform::CS_HREDRAW | platform::CS_DBLCLKS | platform::CS_OWNDC;
    windowClass.procedure = WindowProc;
    windowClass.instance = instance;
    windowClass.cursor = platform::Cursor::Arrow;
    windowClass.background = platform::Brush::Black;
    windowClass.className = kClassName;
    return platform::RegisterClass(&windowClass) != 0;
}

// One visible pop-up window over the whole desktop.
platform::WindowHandle CreateMainWindow(platform::InstanceHandle instance) {
    return platform::CreateWindowEx(
        0, kClassName, kWindowTitle, platform::WS_POPUP | platform::WS_VISIBLE, 0, 0,
        platform::GetSystemMetrics(platform::SM_CXSCREEN),
        platform::GetSystemMetrics(platform::SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
}

}  // namespace

int32_t WinMain(platform::InstanceHandle instance, platform::InstanceHandle /*previous*/,
                const char* /*commandLine*/, int32_t /*showCommand*/) {
    Piece current;
    Piece emptyPiece;
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
    // With no message ever taken the exit code is that of a clean run, 0.
    platform::Message message;

    if (!RegisterWindowClass(instance)) {
        ReportStartupFailure("cannot register the window class");
        return kStartupFailed;
    }
    mainWindow = CreateMainWindow(instance);
    if (mainWindow == nullptr) {
        ReportStartupFailure("cannot create the window");
        return kStartupFailed;
    }
    appInstance = instance;
    if (programIcon != nullptr) {
        platform::SetWindowIcon(mainWindow, programIcon);
    }
    platform::SeedRandom(platform::GetTickCount());
    platform::ShowCursor(false);

    if (InitGame(&score) == 0) {
        return kStartupFailed;
    }
    RunGames(current, emptyPiece, score, fullRows, fullRowCount, message);
    ShutdownGame(&score);
    return static_cast<int32_t>(message.wParam);
}
