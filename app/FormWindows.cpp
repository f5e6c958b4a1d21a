#include "app/FormWindows.h"

#include "app/BannerWindow.h"
#include "app/MainWindow.h"
#include "app/PlaybackTimer.h"
#include "app/TrayIcon.h"
#include "app/TrayMenu.h"

namespace {

constexpr wchar_t kFormClass[] = L"LanxiFMForm";
constexpr int kFormLeft = 50;
constexpr int kFormTop = 50;

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == MainWindowHandle()) {
        if (message == WM_TIMER && wParam == kPlaybackTimerId) {
            OnTimerTick();
            return 0;
        }
        if (message == kTrayMessage) {
            OnTrayMessage(lParam);
            return 0;
        }
        if (message == WM_DESTROY) {
            RemoveTrayIcon();
            PostQuitMessage(0);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterFormClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    if (GetClassInfoExW(instance, kFormClass, &wc)) {
        return;
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = FormProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kFormClass;
    RegisterClassExW(&wc);
}

HWND CreateForm(HINSTANCE instance, const wchar_t* title, int width, int height, DWORD exStyle) {
    RegisterFormClass(instance);
    return CreateWindowExW(exStyle, kFormClass, title, WS_POPUP, kFormLeft, kFormTop, width, height,
                           nullptr, nullptr, instance, nullptr);
}

} // namespace

HWND LoadBannerWindow(HINSTANCE instance) {
    // Always on top from its creation; no taskbar button.
    HWND banner =
        CreateForm(instance, L"", kBannerWidth, kBannerHeight, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    OnBannerWindowCreated(banner);
    return banner;
}

HWND LoadMainWindow(HINSTANCE instance) {
    HWND main =
        CreateForm(instance, L"澜溪FM电台", kMainWindowWidth, kMainWindowHeight, WS_EX_TOOLWINDOW);
    // Shown by its creation handler, fading in.
    OnMainWindowCreated(main);
    return main;
}
