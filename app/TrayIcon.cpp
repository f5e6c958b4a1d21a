#include "app/TrayIcon.h"

#include "skin/SkinResourceIds.h"

#include <shellapi.h>

#include <cwchar>
#include <iterator>

namespace {

constexpr UINT kTrayIconId = 1;
constexpr wchar_t kTip[] = L"澜溪FM电台";

HWND trayWindow = nullptr;

} // namespace

void ShowTrayIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = kTrayIconId;
    data.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM_ICON), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    std::wcsncpy(data.szTip, kTip, std::size(data.szTip) - 1);
    if (Shell_NotifyIconW(NIM_ADD, &data)) {
        trayWindow = window;
    }
}

void RemoveTrayIcon() {
    if (!trayWindow) {
        return;
    }
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = trayWindow;
    data.uID = kTrayIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    trayWindow = nullptr;
}
