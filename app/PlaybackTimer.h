#pragma once

#include <windows.h>

// The main window's timer that moves the display along while a song plays
// and starts the next song when one has ended.
inline constexpr UINT_PTR kPlaybackTimerId = 1;
inline constexpr UINT kPlaybackTimerMs = 150;

void OnTimerTick();
