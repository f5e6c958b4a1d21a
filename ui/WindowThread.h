#pragma once
// Runs work on the thread that owns an attached window.
//
// The program builds its controls and sets their texts from a worker thread
// while the window's own thread routes messages and paints. Every operation
// that touches a window's surfaces or control list therefore runs on the
// window's thread: from any other thread it is handed over with SendMessage
// and the caller waits for it. Nothing is ever painted from two threads, and
// timers, tooltips and the capture belong to the window's thread as Windows
// requires.

#include <windows.h>

#include <functional>

// Runs the work at once on the window's thread, or hands it over and waits.
// A window that is not attached runs it on the calling thread.
void RunOnWindowThread(HWND window, const std::function<void()>& work);

// The private message that carries handed-over work; the window procedure
// answers it with RunHandedOverWork.
UINT HandOverMessage();
void RunHandedOverWork(LPARAM work);
