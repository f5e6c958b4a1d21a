#include "UiTestSupport.h"

#include "ui/Framework.h"
#include "ui/controls/Drawing.h"

void EnsureFramework() {
    static const bool started = [] {
        StartFramework();
        return true;
    }();
    (void)started;
}

TestWindow::TestWindow(int width, int height, DWORD exStyle, DWORD style) {
    EnsureFramework();
    hwnd_ = CreateWindowExA(exStyle, kFrameworkClassName, "test", style, 50, 50, width, height,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TestWindow::~TestWindow() {
    Destroy();
}

void TestWindow::Destroy() {
    if (hwnd_) {
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

AttachArgs MainWindowArgs() {
    return AttachArgs{.color = 0x000000,
                      .captionFlags = 0,
                      .alpha = 220,
                      .frameStyle = kFrameSquare,
                      .noResize = true};
}

int FillControl::Create(HWND window, int x, int y, int width, int height, ArgbColor color,
                        bool visible) {
    color_ = color;
    CreateControl(window, PixelRectF(x, y, width, height), kTypePictureBox, visible, true);
    if (visible) {
        Redraw();
    }
    return GetId();
}

void FillControl::SetColor(ArgbColor color) {
    color_ = color;
    Redraw();
}

LRESULT FillControl::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM, int windowIndex,
                                   int position, bool standalone) {
    switch (message) {
    case WM_PAINT: {
        const RectF rect = GetRect();
        if (!BeginControlPaint(windowIndex, position, rect, false, standalone)) {
            break;
        }
        ++paints;
        paintThread = GetCurrentThreadId();
        UiWindow* window = FindUiWindow(windowIndex);
        FillRectSolid(window->frameBuffer.Graphics(),
                      MakeRectF(rect.x, rect.y, rect.width + 1, rect.height + 1), color_);
        EndControlPaint(windowIndex, position, rect, standalone);
        break;
    }
    case WM_TIMER:
        // The fade of this test control is one step: present at full opacity.
        KillTimer(FindWindowRecord(windowIndex)->hwnd, wParam);
        FindUiWindow(windowIndex)->PresentRect(GetRect(), 255);
        break;
    case UIM_SHOWN:
        ++shownMessages;
        break;
    case WM_DESTROY:
        ++destroyMessages;
        break;
    default:
        break;
    }
    return 0;
}
