#pragma once
// Shared pieces of the framework's window tests: real windows of the
// framework's class, a tiny control that fills its rectangle, and the main
// window's appearance.

#include "ui/UiWindow.h"
#include "ui/controls/UiControl.h"

#include <windows.h>

// Starts the framework once per test program.
void EnsureFramework();

// A hidden popup window of the framework's class; destroyed by its owner.
class TestWindow {
public:
    TestWindow(int width, int height, DWORD exStyle = WS_EX_TOOLWINDOW, DWORD style = WS_POPUP);
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();
    HWND Get() const { return hwnd_; }
    void Destroy();

private:
    HWND hwnd_ = nullptr;
};

// Dispatches every message waiting for this thread.
void PumpMessages();

// The main window's appearance: layered at alpha 220, square, black.
AttachArgs MainWindowArgs();

// Fills its rectangle with one colour.
class FillControl : public UiControl {
public:
    int Create(HWND window, int x, int y, int width, int height, ArgbColor color,
               bool visible = true);
    void SetColor(ArgbColor color);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int windowIndex,
                          int position, bool standalone) override;

    int paints = 0;
    int shownMessages = 0;
    int destroyMessages = 0;
    DWORD paintThread = 0;

private:
    ArgbColor color_ = 0;
};

// The pixel of a surface as 0xAARRGGBB (premultiplied, as stored).
inline unsigned AlphaOf(ArgbColor pixel) {
    return pixel >> 24;
}
