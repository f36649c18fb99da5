// The window, its class and the message queue.
#include "platform/window.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/headless/control.h"

namespace platform {
namespace {

std::vector<uint32_t> received;
intptr_t createResult = 0;

intptr_t RecordingProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(message);
    return message == WM_CREATE ? createResult : DefWindowProc(window, message, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        received.clear();
        createResult = 0;
        gameClass.procedure = &RecordingProcedure;
        gameClass.className = "GAMECLASS";
    }

    static WindowHandle MakeWindow() {
        return CreateWindowEx(0, "GAMECLASS", "Stackwell", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                              nullptr, nullptr, GetProgramInstance(), nullptr);
    }

    // Takes one message as the game's loop does: its kind, or 0 when there is none.
    static uint32_t TakeOne(WindowHandle filter = nullptr) {
        Message message;
        if (!PeekMessage(&message, filter, 0, 0, PM_REMOVE)) {
            return 0;
        }
        DispatchMessage(&message);
        return message.message;
    }

    WindowClass gameClass;
};

TEST_F(WindowTest, TheGameHasOneWindowOfARegisteredClass) {
    WindowClass withoutProcedure = gameClass;
    withoutProcedure.procedure = nullptr;
    EXPECT_EQ(RegisterClass(&withoutProcedure), 0);
    EXPECT_EQ(MakeWindow(), nullptr) << "no such class";
    ASSERT_NE(RegisterClass(&gameClass), 0);
    EXPECT_EQ(RegisterClass(&gameClass), 0) << "the name is taken";
    createResult = -1;  // a procedure refusing creation leaves no window
    EXPECT_EQ(MakeWindow(), nullptr);
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(received, (std::vector<uint32_t>{WM_CREATE, WM_DESTROY}));
    createResult = 0;
    ASSERT_NE(MakeWindow(), nullptr);
    EXPECT_STREQ(headless::WindowTitle(), "Stackwell");
    EXPECT_EQ(MakeWindow(), nullptr) << "a second window";
}

// Messages come in order, a window filter leaving the thread's own ones; once
// the window is gone nothing more reaches it and its own messages went too.
TEST_F(WindowTest, MessagesComeInOrderAndNothingReachesAWindowThatIsGone) {
    RegisterClass(&gameClass);
    WindowHandle window = MakeWindow();
    headless::SetTicks(4321);
    PostQuitMessage(3);
    ASSERT_TRUE(PostMessage(window, WM_ACTIVATEAPP, 1, 0));
    ASSERT_TRUE(PostMessage(nullptr, 0x0400, 2, 0));
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    EXPECT_EQ(message.time, 4321u);
    EXPECT_EQ(TakeOne(window), WM_ACTIVATEAPP);
    EXPECT_EQ(TakeOne(window), 0u);
    EXPECT_EQ(TakeOne(), WM_QUIT);
    EXPECT_EQ(TakeOne(), 0x0400u);

    PostMessage(window, WM_ACTIVATEAPP, 0, 0);
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(TakeOne(), 0u) << "the window's own messages went with it";
    received.clear();
    message = Message{window, WM_ACTIVATEAPP, 0, 0, 0};
    EXPECT_EQ(DispatchMessage(&message), 0);
    EXPECT_FALSE(PostMessage(window, WM_ACTIVATEAPP, 0, 0));
    headless::RequestClose();
    headless::Expose();
    EXPECT_EQ(TakeOne(), 0u) << "no window: nothing to ask";
    EXPECT_TRUE(received.empty());
}

TEST_F(WindowTest, TheIconMustBeAWholePicture) {
    RegisterClass(&gameClass);
    WindowHandle window = MakeWindow();
    const uint32_t colours[2] = {0x000000, 0xFFFFFF};
    uint8_t pixels[4] = {0, 1, 1, 2};  // 2: no such colour
    IconImage icon{2, 2, pixels, colours, 2};
    EXPECT_FALSE(SetWindowIcon(window, &icon));
    EXPECT_FALSE(headless::WindowHasIcon());
    pixels[3] = 1;
    EXPECT_FALSE(SetWindowIcon(nullptr, &icon));
    EXPECT_TRUE(SetWindowIcon(window, &icon));
}

}  // namespace
}  // namespace platform
