#include "app/MainWindow.h"

#include "app/Globals.h"
#include "app/TaskbarCheck.h"
#include "app/Tasks.h"

void OnMainWindowCreated(HWND window) {
    RequireTaskbarList(G().mainTaskbarList);
    G().mainWindowHandle = window;
    StartWorkerThread();
}

void BuildMainControls() {}

HWND MainWindowHandle() { return G().mainWindowHandle; }
