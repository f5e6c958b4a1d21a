#include "app/TrayMenu.h"

#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/Tasks.h"
#include "app/TrayIcon.h"
#include "station/StationClient.h"

#include <array>
#include <cstdlib>
#include <optional>

namespace {

struct Channel {
    const wchar_t* text;
    const char* id;
};

// The first is the station's default channel.
constexpr std::array<Channel, 10> kChannels = {{
    {L"流行", "fengge_liuxing"},
    {L"成名曲", "tuijian_chengmingqu"},
    {L"热歌", "tuijian_rege"},
    {L"网络歌曲", "tuijian_wangluo"},
    {L"DJ舞曲", "fengge_dj"},
    {L"开车", "tuijian_kaiche"},
    {L"电影原声", "fengge_dianyingyuansheng"},
    {L"伤感", "xinqing_shanggan"},
    {L"民谣", "fengge_minyao"},
    {L"轻音乐", "fengge_qingyinyue"},
}};

// Command ids of the items; the channels follow the first one in order.
constexpr UINT kFirstChannelCommand = 1001;
constexpr UINT kAlwaysOnTopCommand = 1101;
constexpr UINT kBannerCommand = 1102;
constexpr UINT kExitCommand = 1103;

constexpr int kLeftUp = 1;
constexpr int kLeftDoubleClick = 2;
constexpr int kMenuRequest = 3;

HMENU rootMenu = nullptr;
HMENU popupMenu = nullptr;

void Check(UINT command, bool checked) {
    CheckMenuItem(popupMenu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

bool IsChecked(UINT command) {
    return (GetMenuState(popupMenu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// "托盘菜单", built once.
HMENU Menu() {
    if (popupMenu) {
        return popupMenu;
    }
    HMENU channels = CreatePopupMenu();
    for (UINT i = 0; i < kChannels.size(); ++i) {
        AppendMenuW(channels, MF_STRING, kFirstChannelCommand + i, kChannels[i].text);
    }
    popupMenu = CreatePopupMenu();
    AppendMenuW(popupMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(channels), L"切换电台");
    AppendMenuW(popupMenu, MF_STRING, kAlwaysOnTopCommand, L"置顶/取消置顶");
    AppendMenuW(popupMenu, MF_STRING, kBannerCommand, L"换歌时顶层显示歌名");
    AppendMenuW(popupMenu, MF_STRING, kExitCommand, L"退出");
    rootMenu = CreateMenu();
    AppendMenuW(rootMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(popupMenu), L"托盘菜单");
    Check(kFirstChannelCommand, true);
    Check(kBannerCommand, true);
    return popupMenu;
}

void RunCommand(UINT command) {
    if (command >= kFirstChannelCommand && command < kFirstChannelCommand + kChannels.size()) {
        const size_t index = command - kFirstChannelCommand;
        SelectChannel(index == 0 ? std::string() : kChannels[index].id);
    } else if (command == kAlwaysOnTopCommand) {
        ToggleAlwaysOnTop();
    } else if (command == kBannerCommand) {
        ToggleBanner();
    } else if (command == kExitCommand) {
        ExitWithFade();
    }
}

void ShowMenu() {
    const HWND window = MainWindowHandle();
    POINT cursor{};
    GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only if its owner is
    // in the foreground.
    SetForegroundWindow(window);
    const UINT command =
        static_cast<UINT>(TrackPopupMenu(Menu(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         cursor.x, cursor.y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    RunCommand(command);
}

// Waits for the object while dispatching this thread's messages. A quit
// request ends the wait and is left for the loop that owns it.
void WaitPumping(HANDLE object) {
    while (MsgWaitForMultipleObjects(1, &object, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

} // namespace

void OnTrayEvent(int operation) {
    if (operation == kMenuRequest) {
        ShowMenu();
    }
}

void OnTrayMessage(LPARAM notification) {
    switch (LOWORD(notification)) {
    case WM_LBUTTONUP:
        OnTrayEvent(kLeftUp);
        break;
    case WM_LBUTTONDBLCLK:
        OnTrayEvent(kLeftDoubleClick);
        break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        OnTrayEvent(kMenuRequest);
        break;
    default:
        break;
    }
}

void SelectChannel(const std::string& channelId) {
    Globals& g = G();
    std::optional<std::string> channel;
    if (!channelId.empty()) {
        channel = channelId;
    }
    FetchPlaylist(channel, g.playlist);
    g.currentSongIndex = 1;
    RunTask(kPlayCurrentSong);
    Menu();
    for (UINT i = 0; i < kChannels.size(); ++i) {
        const bool chosen = channelId.empty() ? i == 0 : channelId == kChannels[i].id;
        Check(kFirstChannelCommand + i, chosen);
    }
}

void ToggleAlwaysOnTop() {
    const HWND window = MainWindowHandle();
    const bool onTop = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(window, onTop ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Menu();
    Check(kAlwaysOnTopCommand, (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0);
}

void ToggleBanner() {
    Menu();
    Check(kBannerCommand, !IsChecked(kBannerCommand));
}

bool BannerOptionChecked() {
    Menu();
    return IsChecked(kBannerCommand);
}

void ExitWithFade() {
    Globals& g = G();
    RemoveTrayIcon();
    int volume = static_cast<int>(g.volumeSlider.Value());
    for (int step = volume; step > 0 && volume - 5 > 0; --step) {
        volume -= 5;
        g.audioPlayer.SetVolume(g.currentStream,
                                static_cast<float>(volume) / g.volumeSlider.BufferValue());
        DelayPumping(30);
    }
    // The start-up worker may still be starting the first song; the exit
    // clean-up must not release what it reads.
    if (g.workerThread) {
        WaitPumping(g.workerThread);
    }
    std::exit(0);
}

bool DelayPumping(double amount, int unit) {
    static constexpr double kUnitMs[] = {1, 1000, 60000, 3600000};
    const double factor = unit >= 0 && unit <= 3 ? kUnitMs[unit] : 1;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(amount * factor * 10000);
    HANDLE timer = CreateWaitableTimerA(nullptr, FALSE, nullptr);
    if (!timer) {
        return false;
    }
    SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE);
    WaitPumping(timer);
    CloseHandle(timer);
    return true;
}
