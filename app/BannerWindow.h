#pragma once

#include <windows.h>

#include <string>

// Places the banner centred 30 pixels below the top of the primary screen,
// checks the taskbar-list object and records the window.
void OnBannerWindowCreated(HWND banner);

// Shows the song's name across the top of the screen for four seconds,
// dispatching the calling thread's messages meanwhile.
void ShowSongBanner(const std::string& songName);
