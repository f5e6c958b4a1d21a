#include "ui/Framework.h"

#include "ui/CaptionSprite.h"
#include "ui/Fonts.h"

namespace {

constexpr int kIconResource = 129;
constexpr int kArrowCursorId = 32512;

LRESULT CALLBACK PassThroughProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// The running Windows' own major version, which a manifest cannot hide.
int ReadOsMajorVersion() {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    auto rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                     GetProcAddress(ntdll, "RtlGetVersion")))
                               : nullptr;
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        return 0;
    }
    return static_cast<int>(info.dwMajorVersion);
}

} // namespace

FrameworkGlobals& Framework() {
    static FrameworkGlobals* globals = new FrameworkGlobals;
    // Never destroyed: GDI+ is not shut down, and its objects must not be
    // deleted after the process starts tearing it down.
    return *globals;
}

void StartFramework() {
    FrameworkGlobals& framework = Framework();
    Gdiplus::GdiplusStartupInput input;
    input.GdiplusVersion = 1;
    input.DebugEventCallback = nullptr;
    input.SuppressBackgroundThread = FALSE;
    input.SuppressExternalCodecs = FALSE;
    Gdiplus::GdiplusStartup(&framework.gdiplusToken, &input, nullptr);
    framework.osMajorVersion = ReadOsMajorVersion();
    framework.defaultFont = ChooseDefaultFont();
    framework.defaultTimerInterval = 80;
    framework.captionSprite.LoadFromBytes(CaptionSpritePng());
    RegisterFrameworkClass(PassThroughProc);
}

void RegisterFrameworkClass(WNDPROC procedure, const FrameworkClassArgs& args) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = args.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = args.icon.value_or(LoadIconA(instance, MAKEINTRESOURCEA(kIconResource)));
    wc.hCursor = args.cursor.value_or(LoadCursorA(nullptr, MAKEINTRESOURCEA(kArrowCursorId)));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = args.className;
    RegisterClassExA(&wc);
}
