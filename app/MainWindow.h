#pragma once

#include <windows.h>

// The main window's creation handler: checks the taskbar-list object,
// records the window, fades it in and starts the worker thread.
void OnMainWindowCreated(HWND window);

// RunTask(1), on the worker thread: fills the main window.
void BuildMainControls();

HWND MainWindowHandle();
