#pragma once

#include <windows.h>

// The program's two top-level form windows. Each is created hidden, its
// creation handler runs, and then it is shown — all before loading returns.
HWND LoadBannerWindow(HINSTANCE instance);
HWND LoadMainWindow(HINSTANCE instance);

inline constexpr int kMainWindowWidth = 339;
inline constexpr int kMainWindowHeight = 140;
inline constexpr int kBannerWidth = 970;
inline constexpr int kBannerHeight = 100;
