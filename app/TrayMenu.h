#pragma once
// The tray icon's popup menu: the ten channels, always-on-top, the song-name
// banner option and exit. Its check marks are the only record of the chosen
// channel and of the banner option.

#include <windows.h>

#include <string>

// What the tray icon reports: 1 left button released, 2 left double click,
// 3 right button released or the context-menu key. Only 3 opens the menu.
void OnTrayEvent(int operation);
// The tray icon's callback message, turned into its operation.
void OnTrayMessage(LPARAM notification);

// Fetches the channel's list (the default channel when the id is empty),
// plays its first song and moves the check mark to its item.
void SelectChannel(const std::string& channelId);
void ToggleAlwaysOnTop();
void ToggleBanner();
bool BannerOptionChecked();
// Removes the tray icon, fades the volume out in steps of 5 every 30 ms and
// ends the process.
[[noreturn]] void ExitWithFade();

// Waits while dispatching this thread's messages. unit: 0 ms, 1 s, 2 min, 3 h.
bool DelayPumping(double amount, int unit = 0);
