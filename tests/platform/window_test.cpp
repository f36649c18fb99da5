// The window, its class and the message queue.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/headless/control.h"
#include "platform/window.h"

namespace platform {
namespace {

std::vector<uint32_t> received;
intptr_t createResult = 0;

// A procedure shaped like the game's: quit on destroy, validate on paint.
intptr_t GameLikeProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                           intptr_t lParam) {
    received.push_back(message);
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
        gameClass.procedure = &GameLikeProcedure;
        gameClass.className = "GAMECLASS";
    }

    WindowHandle MakeWindow() {
        RegisterClass(&gameClass);
        return CreateWindowEx(0, "GAMECLASS", "Stackwell", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                              nullptr, GetProgramInstance(), nullptr);
    }

    // Takes one message as the game's loop does: its kind, or 0 when there is none.
    static uint32_t TakeOne(WindowHandle filter = nullptr) {
        Message message;
        if (!PeekMessage(&message, filter, 0, 0, PM_REMOVE)) {
            return 0;
        }
        taken = message;
        TranslateMessage(&message);
        DispatchMessage(&message);
        return message.message;
    }

    WindowClass gameClass;
    static inline Message taken;
};

TEST_F(WindowTest, TheGameHasOneWindowOfARegisteredClass) {
    WindowClass nameless = gameClass;
    nameless.className = nullptr;
    WindowClass withoutProcedure = gameClass;
    withoutProcedure.procedure = nullptr;
    EXPECT_EQ(RegisterClass(&nameless), 0);
    EXPECT_EQ(RegisterClass(&withoutProcedure), 0);
    EXPECT_EQ(RegisterClass(nullptr), 0);
    EXPECT_EQ(CreateWindowEx(0, "GAMECLASS", "x", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr),
              nullptr);

    createResult = -1;  // a procedure refusing creation leaves no window
    EXPECT_EQ(MakeWindow(), nullptr);
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(received, (std::vector<uint32_t>{WM_CREATE, WM_DESTROY}));

    createResult = 0;
    received.clear();
    WindowHandle window = MakeWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(RegisterClass(&gameClass), 0) << "the name is taken";
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(headless::WindowOpen());
    EXPECT_STREQ(headless::WindowTitle(), "Stackwell");
    EXPECT_EQ(received, std::vector<uint32_t>{WM_CREATE});
    EXPECT_EQ(MakeWindow(), nullptr) << "a second window";
}

TEST_F(WindowTest, ACloseRequestEndsInAQuitMessageWithTheExitCode) {
    WindowHandle window = MakeWindow();
    headless::RequestClose();
    ASSERT_EQ(TakeOne(), WM_CLOSE);
    EXPECT_EQ(taken.window, window);
    // The default procedure destroyed the window, which heard WM_DESTROY.
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(headless::WindowOpen());
    EXPECT_EQ(received.back(), WM_DESTROY);
    ASSERT_EQ(TakeOne(), WM_QUIT);
    EXPECT_EQ(taken.window, nullptr);
    EXPECT_EQ(taken.wParam, 0u);
    EXPECT_EQ(TakeOne(), 0u);

    PostQuitMessage(-1);
    ASSERT_EQ(TakeOne(), WM_QUIT);
    EXPECT_EQ(static_cast<int32_t>(taken.wParam), -1);
}

TEST_F(WindowTest, MessagesComeInOrderAndStayUnlessRemoved) {
    WindowHandle window = MakeWindow();
    headless::SetTicks(4321);
    PostQuitMessage(0);
    ASSERT_TRUE(PostMessage(window, WM_ACTIVATEAPP, 1, 0));
    ASSERT_TRUE(PostMessage(nullptr, 0x0400, 2, 0));
    Message message;
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(message.time, 4321u);
    // A window filter leaves the thread's own messages queued.
    EXPECT_EQ(TakeOne(window), WM_ACTIVATEAPP);
    EXPECT_EQ(TakeOne(window), 0u);
    EXPECT_EQ(TakeOne(), WM_QUIT);
    EXPECT_EQ(TakeOne(), 0x0400u);
    EXPECT_EQ(TakeOne(), 0u);
}

TEST_F(WindowTest, PaintingValidatesTheWindow) {
    WindowHandle window = MakeWindow();
    headless::Expose();
    headless::Expose();  // still one repaint pending
    EXPECT_EQ(TakeOne(), WM_PAINT);
    EXPECT_EQ(TakeOne(), 0u);
    // A repaint validated before the loop comes round is gone, whether by the
    // window itself or by the default procedure.
    headless::Expose();
    PaintInfo paint;
    ASSERT_NE(BeginPaint(window, &paint), nullptr);
    EXPECT_EQ(paint.window, window);
    EXPECT_TRUE(EndPaint(window, &paint));
    EXPECT_EQ(TakeOne(), 0u);
    headless::Expose();
    EXPECT_EQ(DefWindowProc(window, WM_PAINT, 0, 0), 0);
    EXPECT_EQ(TakeOne(), 0u);
    EXPECT_EQ(DefWindowProc(window, WM_ACTIVATEAPP, 1, 0), 0);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowTest, NothingReachesAWindowThatIsGone) {
    WindowHandle window = MakeWindow();
    PostMessage(window, WM_ACTIVATEAPP, 0, 0);
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_EQ(TakeOne(), WM_QUIT) << "the window's own messages went with it";
    const size_t heard = received.size();
    Message message{window, WM_ACTIVATEAPP, 0, 0, 0};
    EXPECT_EQ(DispatchMessage(&message), 0);
    EXPECT_EQ(received.size(), heard);
    EXPECT_FALSE(PostMessage(window, WM_ACTIVATEAPP, 0, 0));
    headless::RequestClose();  // no window: nothing to ask
    EXPECT_EQ(TakeOne(), 0u);
}

TEST_F(WindowTest, TheCursorHidesWhileItsCountIsNegative) {
    EXPECT_EQ(ShowCursor(false), -1);
    EXPECT_EQ(ShowCursor(false), -2);
    EXPECT_EQ(ShowCursor(true), -1);
    EXPECT_FALSE(headless::CursorVisible());
    EXPECT_EQ(ShowCursor(true), 0);
    EXPECT_TRUE(headless::CursorVisible());
}

TEST_F(WindowTest, TheIconMustBeAWholePicture) {
    WindowHandle window = MakeWindow();
    const uint32_t colours[2] = {0x000000, 0xFFFFFF};
    uint8_t pixels[4] = {0, 1, 1, 2};  // 2: no such colour
    IconImage icon{2, 2, pixels, colours, 2};
    EXPECT_FALSE(SetWindowIcon(window, &icon));
    EXPECT_FALSE(headless::WindowHasIcon());
    pixels[3] = 1;
    EXPECT_FALSE(SetWindowIcon(nullptr, &icon));
    EXPECT_TRUE(SetWindowIcon(window, &icon));
    EXPECT_TRUE(headless::WindowHasIcon());
}

}  // namespace
}  // namespace platform
