#pragma once

#include <windows.h>

// The tray icon's notifications arrive at the main window as this message.
inline constexpr UINT kTrayMessage = WM_APP + 1;

// Shows the program icon in the tray with the tip "澜溪FM电台".
void ShowTrayIcon(HWND window);
void RemoveTrayIcon();
