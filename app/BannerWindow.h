#pragma once

#include <windows.h>

// Places the banner centred 30 pixels below the top of the primary screen,
// checks the taskbar-list object and records the window.
void OnBannerWindowCreated(HWND banner);
