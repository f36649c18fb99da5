// The window and message calls on the system's own window manager, where the
// game's code relies on how they behave.
#include <gtest/gtest.h>

#include "platform/window.h"
#include "tests/win32/game_window.h"

namespace {

using namespace win32_tests;

constexpr uint32_t kSysCommand = 0x0112;  // WM_SYSCOMMAND
constexpr uintptr_t kScClose = 0xF060;    // SC_CLOSE

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ReceivedMessages().clear();
        keepWindowOnClose = false;
        window = MakeGameWindow();
        ASSERT_NE(window, nullptr) << platform::LastErrorText();
    }
    void TearDown() override {
        platform::DestroyWindow(window);
        platform::Message message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        }
    }
    platform::WindowHandle window = nullptr;
};

TEST_F(WindowTest, CreationSendsCreateAndTheDefaultCloseDestroysTheWindow) {
    EXPECT_TRUE(WasReceived(platform::WM_CREATE));
    EXPECT_TRUE(platform::IsWindow(window));
    platform::DefWindowProc(window, platform::WM_CLOSE, 0, 0);
    EXPECT_TRUE(WasReceived(platform::WM_DESTROY));
    EXPECT_FALSE(platform::IsWindow(window));
}

// The game looks for a close with a filter of WM_CLOSE alone and counts on
// the quit message passing any filter.
TEST_F(WindowTest, TheQuitMessagePassesARangeFilterAndStaysUntilRemoved) {
    platform::PostQuitMessage(3);
    platform::Message message;
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, platform::WM_CLOSE, platform::WM_CLOSE,
                                      platform::PM_NOREMOVE));
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_FALSE(platform::PeekMessage(&message, nullptr, platform::WM_CLOSE, platform::WM_CLOSE,
                                       platform::PM_NOREMOVE));
}

// A player's close request (the close command, Alt+F4) reaches the procedure
// as a sent WM_CLOSE when the command is dispatched: it never waits in the
// queue, so only the quit message after the window is gone can be seen there.
TEST_F(WindowTest, ACloseRequestIsSentToTheProcedureNotQueued) {
    keepWindowOnClose = true;
    ASSERT_TRUE(platform::PostMessage(window, kSysCommand, kScClose, 0));
    platform::Message message;
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_FALSE(WasReceived(platform::WM_CLOSE));
    platform::DispatchMessage(&message);
    EXPECT_TRUE(WasReceived(platform::WM_CLOSE));
    EXPECT_FALSE(platform::PeekMessage(&message, nullptr, platform::WM_CLOSE, platform::WM_CLOSE,
                                       platform::PM_NOREMOVE));
}

TEST_F(WindowTest, APaintBracketValidatesTheWindow) {
    platform::PaintInfo paint;
    ASSERT_NE(platform::BeginPaint(window, &paint), nullptr);
    EXPECT_EQ(paint.window, window);
    EXPECT_TRUE(platform::EndPaint(window, &paint));
    platform::Message message;
    EXPECT_FALSE(platform::PeekMessage(&message, window, platform::WM_PAINT, platform::WM_PAINT,
                                       platform::PM_NOREMOVE));
}

}  // namespace
