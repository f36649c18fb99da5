// The window, its class, its icon, and what reaches it.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/hosts/headless/headless_control.h"

namespace platform {
namespace {

std::vector<uint32_t> received;
intptr_t createResult = 0;

intptr_t RecordingProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(message);
    return message == WM_CREATE ? createResult : DefWindowProc(window, message, wParam, lParam);
}

WindowHandle MakeWindow() {
    return CreateWindowEx(0, "GAMECLASS", "Stackwell", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                          nullptr, nullptr, GetProgramInstance(), nullptr);
}

TEST(Window, OneWindowOfARegisteredClassWithAWholeIconAndNothingReachesItOnceGone) {
    headless::Reset();
    received.clear();
    WindowClass gameClass;
    gameClass.className = "GAMECLASS";
    EXPECT_EQ(RegisterClass(&gameClass), 0) << "no procedure";
    EXPECT_EQ(MakeWindow(), nullptr) << "no such class";
    gameClass.procedure = &RecordingProcedure;
    ASSERT_NE(RegisterClass(&gameClass), 0);
    EXPECT_EQ(RegisterClass(&gameClass), 0) << "the name is taken";
    createResult = -1;  // a procedure refusing creation leaves no window
    EXPECT_EQ(MakeWindow(), nullptr);
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(received, (std::vector<uint32_t>{WM_CREATE, WM_DESTROY}));
    createResult = 0;
    WindowHandle window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(MakeWindow(), nullptr) << "a second window";
    const uint32_t colours[2] = {0x000000, 0xFFFFFF};
    uint8_t pixels[4] = {0, 1, 1, 2};  // 2: no such colour
    IconImage icon{2, 2, pixels, colours, 2};
    EXPECT_FALSE(SetWindowIcon(window, &icon));
    EXPECT_FALSE(headless::WindowHasIcon());
    pixels[3] = 1;
    EXPECT_TRUE(SetWindowIcon(window, &icon));

    headless::Expose();
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    received.clear();
    Message message{window, WM_PAINT, 0, 0, 0};
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) << "its messages went with it";
    message = Message{window, WM_PAINT, 0, 0, 0};
    EXPECT_EQ(DispatchMessage(&message), 0);
    headless::RequestClose();
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) << "no window: nothing to ask";
    EXPECT_TRUE(received.empty());
}

}  // namespace
}  // namespace platform
