#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/program_run.h"

namespace {

using test_support::FrameRecord;
using test_support::ProgramRun;
using test_support::Screen;

class Window : public ::testing::Test {
protected:
    Window() {
        platform::headless::Reset();
        test_support::ResetRunCounters();
    }
    ~Window() override {
        programIcon = nullptr;
        platform::headless::Reset();
    }

    static int PendingMessages(uint32_t kind) {
        int count = 0;
        platform::Message message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
            count += message.message == kind ? 1 : 0;
        }
        return count;
    }
};

TEST_F(Window, TheGameTakesTheWholeDesktopWithItsTitleIconAndNoCursor) {
    const uint8_t pixels[4] = {0, 1, 1, 0};
    const uint32_t colours[2] = {0x000000, 0xFFCC00};
    const platform::IconImage icon{2, 2, pixels, colours, 2};
    programIcon = &icon;
    ProgramRun run;
    bool checked = false;
    run.onFrame = [&checked](const platform::headless::Frame&, const FrameRecord& record) {
        if (record.screen == Screen::Title && !checked) {
            checked = true;
            EXPECT_TRUE(platform::headless::WindowOpen());
            EXPECT_STREQ(platform::headless::WindowTitle(), "Test Window");
            EXPECT_TRUE(platform::headless::WindowHasIcon());
            EXPECT_FALSE(platform::headless::CursorVisible());
        }
    };
    EXPECT_EQ(run.Start(), 0);
    EXPECT_TRUE(checked);
}

TEST_F(Window, ItsProcedureValidatesPaintsAndQuitsWhenTheWindowGoes) {
    platform::WindowClass windowClass;
    windowClass.procedure = WindowProc;
    windowClass.className = "WINDOWTEST";
    ASSERT_NE(platform::RegisterClass(&windowClass), 0);
    platform::WindowHandle window =
        platform::CreateWindowEx(0, "WINDOWTEST", "", platform::WS_POPUP | platform::WS_VISIBLE, 0,
                                 0, 640, 480, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowProc(window, platform::WM_CREATE, 0, 0), 0);

    // A repaint request is taken care of without drawing anything.
    platform::headless::Expose();
    platform::Message message;
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_NOREMOVE));
    EXPECT_EQ(message.message, platform::WM_PAINT);
    EXPECT_EQ(WindowProc(window, platform::WM_PAINT, 0, 0), 0);
    EXPECT_EQ(PendingMessages(platform::WM_PAINT), 0);

    // A close request destroys the window, which posts the quit message with 0.
    EXPECT_EQ(WindowProc(window, platform::WM_CLOSE, 0, 0), 0);
    EXPECT_FALSE(platform::IsWindow(window));
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
