// The window, its class and the message queue.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/headless/control.h"
#include "platform/window.h"

namespace platform {
namespace {

struct Received {
    WindowHandle window;
    uint32_t message;
    uintptr_t wParam;
};

std::vector<Received> received;
intptr_t createResult = 0;

// A procedure shaped like the game's: quit on destroy, validate on paint.
intptr_t GameLikeProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) {
    received.push_back({window, message, wParam});
    switch (message) {
        case WM_CREATE:
            return createResult;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_PAINT: {
            PaintInfo paint;
            BeginPaint(window, &paint);
            EndPaint(window, &paint);
            return 0;
        }
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        received.clear();
        createResult = 0;
    }

    WindowClass GameClass() {
        WindowClass windowClass;
        windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
        windowClass.procedure = &GameLikeProcedure;
        windowClass.instance = GetProgramInstance();
        windowClass.cursor = Cursor::Arrow;
        windowClass.background = Brush::Black;
        windowClass.className = "GAMECLASS";
        return windowClass;
    }

    WindowHandle MakeWindow() {
        const WindowClass windowClass = GameClass();
        EXPECT_NE(RegisterClass(&windowClass), 0);
        return CreateWindowEx(0, "GAMECLASS", "Stackwell", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                              nullptr, GetProgramInstance(), nullptr);
    }

    // Takes one message as the game's loop does; false when there is none.
    bool TakeOne(Message& message) {
        if (!PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
            return false;
        }
        TranslateMessage(&message);
        DispatchMessage(&message);
        return true;
    }
};

TEST_F(WindowTest, CreatingTheWindowOpensItAndSendsCreate) {
    WindowHandle window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(headless::WindowOpen());
    EXPECT_STREQ(headless::WindowTitle(), "Stackwell");
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_CREATE);
    EXPECT_EQ(received[0].window, window);
}

TEST_F(WindowTest, AProcedureRefusingCreateLeavesNoWindow) {
    createResult = -1;
    EXPECT_EQ(MakeWindow(), nullptr);
    EXPECT_FALSE(headless::WindowOpen());
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[1].message, WM_DESTROY);
}

TEST_F(WindowTest, ClassesNeedANameAProcedureAndAFreeName) {
    WindowClass windowClass = GameClass();
    EXPECT_NE(RegisterClass(&windowClass), 0);
    EXPECT_EQ(RegisterClass(&windowClass), 0) << "the name is taken";
    windowClass.className = "OTHER";
    windowClass.procedure = nullptr;
    EXPECT_EQ(RegisterClass(&windowClass), 0);
    windowClass.procedure = &GameLikeProcedure;
    windowClass.className = nullptr;
    EXPECT_EQ(RegisterClass(&windowClass), 0);
    EXPECT_EQ(RegisterClass(nullptr), 0);
    EXPECT_EQ(CreateWindowEx(0, "NOSUCHCLASS", "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr),
              nullptr);
}

TEST_F(WindowTest, TheGameHasOneWindowAtATime) {
    ASSERT_NE(MakeWindow(), nullptr);
    EXPECT_EQ(CreateWindowEx(0, "GAMECLASS", "second", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
}

TEST_F(WindowTest, ACloseRequestEndsInAQuitMessageWithTheExitCode) {
    WindowHandle window = MakeWindow();
    headless::RequestClose();

    Message message;
    ASSERT_TRUE(TakeOne(message));
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_EQ(message.window, window);
    // The default procedure destroyed the window, which heard WM_DESTROY.
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(headless::WindowOpen());
    ASSERT_EQ(received.back().message, WM_DESTROY);

    ASSERT_TRUE(TakeOne(message));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.window, nullptr);
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_FALSE(TakeOne(message));
}

TEST_F(WindowTest, QuitCarriesAnyExitCode) {
    PostQuitMessage(3);
    PostQuitMessage(-1);
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(static_cast<int32_t>(message.wParam), -1);
}

TEST_F(WindowTest, MessagesComeInOrderAndStayUnlessRemoved) {
    WindowHandle window = MakeWindow();
    headless::SetTicks(4321);
    ASSERT_TRUE(PostMessage(window, WM_ACTIVATEAPP, 1, 0));
    ASSERT_TRUE(PostMessage(nullptr, 0x0400, 2, 0));
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_ACTIVATEAPP);
    EXPECT_EQ(message.time, 4321u);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_ACTIVATEAPP);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.wParam, 2u);
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, AWindowFilterLeavesThreadMessagesQueued) {
    WindowHandle window = MakeWindow();
    PostQuitMessage(0);
    PostMessage(window, WM_ACTIVATEAPP, 0, 0);
    Message message;
    ASSERT_TRUE(PeekMessage(&message, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_ACTIVATEAPP);
    EXPECT_FALSE(PeekMessage(&message, window, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
}

TEST_F(WindowTest, PaintingValidatesTheWindow) {
    WindowHandle window = MakeWindow();
    headless::Expose();
    headless::Expose();  // still one repaint pending
    Message message;
    ASSERT_TRUE(TakeOne(message));
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_FALSE(TakeOne(message));

    // A repaint that the window validates before the loop comes round is gone.
    headless::Expose();
    PaintInfo paint;
    ASSERT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_EQ(paint.window, window);
    EXPECT_TRUE(EndPaint(window, &paint));
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, TheDefaultProcedureValidatesPaintAndIgnoresTheRest) {
    WindowHandle window = MakeWindow();
    headless::Expose();
    EXPECT_EQ(DefWindowProc(window, WM_PAINT, 0, 0), 0);
    Message message;
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DefWindowProc(window, WM_ACTIVATEAPP, 1, 0), 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowTest, NothingReachesAWindowThatIsGone) {
    WindowHandle window = MakeWindow();
    PostMessage(window, WM_ACTIVATEAPP, 0, 0);
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT) << "the window's own messages went with it";
    const size_t heard = received.size();
    message = Message{window, WM_ACTIVATEAPP, 0, 0, 0};
    EXPECT_EQ(DispatchMessage(&message), 0);
    EXPECT_EQ(received.size(), heard);
    EXPECT_FALSE(PostMessage(window, WM_ACTIVATEAPP, 0, 0));
    headless::RequestClose();  // no window: nothing to ask
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(WindowTest, TheCursorHidesWhileItsCountIsNegative) {
    EXPECT_TRUE(headless::CursorVisible());
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_FALSE(headless::CursorVisible());
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_FALSE(headless::CursorVisible());
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_TRUE(headless::CursorVisible());
}

TEST_F(WindowTest, TheIconMustBeAWholePicture) {
    WindowHandle window = MakeWindow();
    const uint32_t colours[2] = {0x000000, 0xFFFFFF};
    uint8_t pixels[4] = {0, 1, 1, 0};
    IconImage icon{2, 2, pixels, colours, 2};
    EXPECT_FALSE(SetWindowIcon(nullptr, &icon));
    pixels[3] = 2;  // no such colour
    EXPECT_FALSE(SetWindowIcon(window, &icon));
    EXPECT_FALSE(headless::WindowHasIcon());
    pixels[3] = 1;
    EXPECT_TRUE(SetWindowIcon(window, &icon));
    EXPECT_TRUE(headless::WindowHasIcon());
}

TEST_F(WindowTest, ResetGivesAFreshMachine) {
    WindowHandle window = MakeWindow();
    PostQuitMessage(0);
    ShowCursor(false);
    headless::Reset();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_TRUE(headless::CursorVisible());
    Message message;
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_NE(MakeWindow(), nullptr) << "the class name is free again";
    EXPECT_EQ(ShowCursor(false), -1);
}

}  // namespace
}  // namespace platform
