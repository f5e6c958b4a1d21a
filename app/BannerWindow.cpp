#include "app/BannerWindow.h"

#include "app/FormWindows.h"
#include "app/Globals.h"
#include "app/TaskbarCheck.h"

namespace {

constexpr int kBannerTop = 30;

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
}
