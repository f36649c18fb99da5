// The window, its class and the message queue on every driver: what the game
// registers and creates, a close request, and the quit message.
#include <gtest/gtest.h>

#include <vector>

#include "platform/result.h"
#include "platform/window.h"
#include "tests/contract/contract_shim.h"

namespace platform {
namespace {

std::vector<uint32_t> received;

// The messages the game acts on; a system sends many more.
bool Watched(uint32_t message) {
    return message == WM_CREATE || message == WM_DESTROY || message == WM_CLOSE ||
           message == WM_QUIT;
}

intptr_t RecordingProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    if (Watched(message)) {
        received.push_back(message);
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(3);
    }
    return DefWindowProc(window, message, wParam, lParam);
}

WindowHandle MakeWindow() {
    return CreateWindowEx(0, "RecordingClass", "Stackwell", WS_POPUP | WS_VISIBLE, 0, 0,
                          GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                          nullptr, GetProgramInstance(), nullptr);
}

// Takes the messages waiting, up to the quit message, and hands them on.
std::vector<uint32_t> TakeMessages() {
    std::vector<uint32_t> taken;
    Message message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (Watched(message.message)) {
            taken.push_back(message.message);
        }
        if (message.message == WM_QUIT) {
            EXPECT_EQ(message.wParam, 3u);
            break;
        }
        TranslateMessage(&message);
        DispatchMessage(&message);
    }
    return taken;
}

// The window hears WM_CREATE; a close request waits as WM_CLOSE, destroys the
// window through the default handling, and the quit message passes every
// filter.
TEST(Window, TheGameWindowFromItsClassToTheQuitMessage) {
    contract::FreshStart();
    received.clear();
    WindowClass gameClass;
    gameClass.className = "RecordingClass";
    gameClass.procedure = &RecordingProcedure;
    ASSERT_NE(RegisterClass(&gameClass), 0) << LastErrorText();
    WindowHandle window = MakeWindow();
    ASSERT_NE(window, nullptr) << LastErrorText();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(received, std::vector<uint32_t>{WM_CREATE});
    const uint32_t colours[2] = {0x000000, 0xFFFFFF};
    const uint8_t pixels[4] = {0, 1, 1, 0};
    const IconImage icon{2, 2, pixels, colours, 2};
    EXPECT_TRUE(SetWindowIcon(window, &icon));

    TakeMessages();
    received.clear();
    Message message;
    EXPECT_FALSE(PeekMessage(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE));
    contract::RequestClose(window);
    bool closeWaits = false;
    for (int poll = 0; poll < 100 && !closeWaits; ++poll) {
        closeWaits = PeekMessage(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_NOREMOVE);
    }
    ASSERT_TRUE(closeWaits);
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_EQ(TakeMessages(), (std::vector<uint32_t>{WM_CLOSE, WM_QUIT}));
    EXPECT_EQ(received, (std::vector<uint32_t>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
    PostQuitMessage(3);
    EXPECT_TRUE(PeekMessage(&message, nullptr, WM_CLOSE, WM_CLOSE, PM_REMOVE)) << "quit passes";
    EXPECT_EQ(message.message, WM_QUIT);
}

}  // namespace
}  // namespace platform
