#include "app/BannerWindow.h"

#include "app/FormWindows.h"
#include "app/Globals.h"
#include "app/MakeArgb.h"
#include "app/TaskbarCheck.h"
#include "app/TrayMenu.h"
#include "common/CodePage.h"

namespace {

constexpr int kBannerTop = 30;
constexpr double kBannerMs = 4000;

} // namespace

void OnBannerWindowCreated(HWND banner) {
    const int left = static_cast<int>((GetSystemMetrics(SM_CXSCREEN) - kBannerWidth) / 2.0);
    SetWindowPos(banner, nullptr, left, kBannerTop, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RequireTaskbarList(G().bannerTaskbarList);
    G().bannerWindowHandle = banner;
    // Fully transparent: only the banner's label shows.
    G().bannerUiWindow.Attach(banner, AttachArgs{.captionFlags = 0,
                                                 .alpha = 0,
                                                 .frameStyle = kFrameSkin,
                                                 .noResize = true,
                                                 .noDrag = true});
    // Large orange letters, centred at the top of the banner.
    G().bannerLabel.Create(banner, "", 10, 10, 950, 80,
                           LabelOptions{.textColor = MakeArgb(0x0080FF, 230),
                                        .fontFamily = FromWide(L"仿宋"),
                                        .fontSize = 60.0f,
                                        .fontStyle = 1,
                                        .alignment = 1});
}

void ShowSongBanner(const std::string& songName) {
    const HWND banner = G().bannerWindowHandle;
    ShowWindow(banner, SW_SHOWNOACTIVATE);
    G().bannerLabel.SetText(songName);
    DelayPumping(kBannerMs);
    ShowWindow(banner, SW_HIDE);
}
