// Attaching, the window table and its dense positions, caption buttons.

#include "UiTestSupport.h"

#include "ui/CaptionButton.h"
#include "ui/Framework.h"
#include "ui/WindowTable.h"

#include <gtest/gtest.h>

TEST(WindowTable, AttachingAddsOneRecordAndBindsTheWindowProperty) {
    TestWindow host(100, 60);
    const size_t before = WindowTable().size();
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    ASSERT_EQ(WindowTable().size(), before + 1);
    EXPECT_EQ(window.windowIndex, static_cast<int>(before + 1));
    EXPECT_EQ(GetPropA(host.Get(), kWindowProperty), &window);
    EXPECT_EQ(window.Record()->hwnd, host.Get());
    EXPECT_EQ(window.Record()->alpha, 220);
    host.Destroy();
    EXPECT_EQ(WindowTable().size(), before) << "WM_DESTROY removes the record";
    EXPECT_FALSE(window.IsAttached());
}

TEST(WindowTable, RemovingTheFirstWindowMovesTheSecondAndItsControlsToIndexOne) {
    ASSERT_TRUE(WindowTable().empty()) << "each test removes its windows";
    TestWindow first(100, 60);
    TestWindow second(120, 80);
    UiWindow firstWindow;
    UiWindow secondWindow;
    firstWindow.Attach(first.Get(), MainWindowArgs());
    secondWindow.Attach(second.Get(), MainWindowArgs());
    FillControl a;
    FillControl b;
    a.Create(second.Get(), 10, 10, 20, 20, 0xFFFF0000);
    b.Create(second.Get(), 40, 10, 20, 20, 0xFF00FF00);
    ASSERT_EQ(secondWindow.windowIndex, 2);
    ASSERT_EQ(a.GetWindowIndex(), 2);

    first.Destroy();

    ASSERT_EQ(WindowTable().size(), 1u);
    EXPECT_EQ(secondWindow.windowIndex, 1);
    EXPECT_EQ(a.GetWindowIndex(), 1);
    EXPECT_EQ(b.GetWindowIndex(), 1);
    EXPECT_EQ(FindWindowIndex(second.Get()), 1);
    EXPECT_EQ(FindControlPosition(1, b.GetId()), 2);
    b.SetColor(0xFF0000FF);
    EXPECT_EQ(secondWindow.frameBuffer.PixelAt(50, 20), 0xFF0000FFu)
        << "a control of the moved window still paints into its own window";
}

TEST(WindowTable, DestroyingAWindowDestroysItsControls) {
    TestWindow host(100, 60);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    FillControl control;
    control.Create(host.Get(), 10, 10, 20, 20, 0xFFFF0000);
    host.Destroy();
    EXPECT_EQ(control.destroyMessages, 1);
    EXPECT_FALSE(control.IsCreated());
}

TEST(CaptionButtons, StandardFlagsOnAMinimisableWindowGiveCloseThenMinimise) {
    TestWindow host(300, 120, WS_EX_TOOLWINDOW, WS_POPUP | WS_MINIMIZEBOX);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.alpha = 255});
    EXPECT_EQ(window.captionFlags, kCaptionIcon | kCaptionTitle | kCaptionClose | kCaptionMinimize);
    ASSERT_EQ(window.captionButtons.size(), 2u);
    const CaptionButton& close = *window.captionButtons[0];
    const CaptionButton& minimise = *window.captionButtons[1];
    EXPECT_EQ(close.Kind(), kCaptionClose);
    EXPECT_EQ(minimise.Kind(), kCaptionMinimize);
    // The close button sits 39 wide at the right; the others follow to its left.
    EXPECT_EQ(close.GetRect(), MakeRectF(300 - 5 - 3 - 39, 6, 39, 19));
    EXPECT_EQ(minimise.GetRect(), MakeRectF(300 - 5 - 3 - 39 - 28, 6, 28, 19));
    EXPECT_EQ(window.CaptionButtonKind(minimise.GetId()), kCaptionMinimize);
    EXPECT_EQ(window.CaptionButtonOfKind(kCaptionClose), &close);
    EXPECT_EQ(window.CaptionButtonOfKind(kCaptionMaximize), nullptr);
    EXPECT_NE(GetWindowLongPtrA(host.Get(), GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(window.systemMenu, nullptr);
}

TEST(CaptionButtons, FlagsGivenAsZeroLeaveTheStyleAndCreateNoButtons) {
    TestWindow host(300, 120);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    EXPECT_EQ(window.captionFlags, 0);
    EXPECT_TRUE(window.captionButtons.empty());
    EXPECT_EQ(window.systemMenu, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(host.Get(), GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_TRUE(window.Record()->controls.empty());
}

TEST(CaptionButtons, CloseButtonClickPostsClose) {
    TestWindow host(300, 120, WS_EX_TOOLWINDOW, WS_POPUP);
    UiWindow window;
    window.Attach(host.Get(), AttachArgs{.alpha = 255});
    ASSERT_FALSE(window.captionButtons.empty());
    SendControlMessage(window.windowIndex, 1, host.Get(), UIM_CLICK, 0, 0, true);
    MSG message;
    EXPECT_TRUE(PeekMessageW(&message, host.Get(), WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

TEST(WindowProperties, ResizableAndDraggableReadBackWhatWasSet) {
    TestWindow host(100, 60);
    UiWindow window;
    window.Attach(host.Get(), MainWindowArgs());
    EXPECT_FALSE(window.Resizable());
    EXPECT_TRUE(window.Resizable(true));
    EXPECT_TRUE(window.Resizable());
    EXPECT_FALSE(window.Draggable(false));
    EXPECT_FALSE(window.Draggable());
    EXPECT_EQ(window.Alpha(), 220);
    EXPECT_EQ(window.Alpha(100), 100);
    EXPECT_EQ(AlphaOf(window.frameBuffer.PixelAt(50, 30)), 100u) << "Alpha re-renders";
}

TEST(Framework, CaptionSpriteHasItsLayoutSize) {
    EnsureFramework();
    EXPECT_EQ(Framework().captionSprite.GetWidth(), 729u);
    EXPECT_EQ(Framework().captionSprite.GetHeight(), 20u);
    EXPECT_EQ(Framework().defaultTimerInterval, 80);
    EXPECT_TRUE(Framework().defaultFont) << "the session maps 宋体 to an installed family";
}

TEST(Framework, ClassIsRegisteredWithDoubleClicks) {
    EnsureFramework();
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), kFrameworkClassName, &wc));
    EXPECT_EQ(wc.style, static_cast<UINT>(CS_DBLCLKS));
}
