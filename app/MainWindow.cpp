#include "app/MainWindow.h"

#include "app/Globals.h"
#include "app/TaskbarCheck.h"
#include "app/Tasks.h"
#include "skin/SkinInstaller.h"

void OnMainWindowCreated(HWND window) {
    RequireTaskbarList(G().mainTaskbarList);
    InstallSkinPack(G().skinImages);
    G().mainWindowHandle = window;
    StartWorkerThread();
}

void BuildMainControls() {}

HWND MainWindowHandle() { return G().mainWindowHandle; }
