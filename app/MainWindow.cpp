#include "app/MainWindow.h"

#include "app/Globals.h"
#include "app/TaskbarCheck.h"
#include "app/Tasks.h"
#include "skin/SkinInstaller.h"

void OnMainWindowCreated(HWND window) {
    RequireTaskbarList(G().mainTaskbarList);
    InstallSkinPack(G().skinImages);
    G().mainWindowHandle = window;
    // Layered at alpha 220 over black, square frame, no caption elements;
    // dragged by its background but never resized.
    G().mainUiWindow.Attach(window, AttachArgs{.color = 0x000000,
                                               .captionFlags = 0,
                                               .alpha = 220,
                                               .frameStyle = kFrameSquare,
                                               .noResize = true});
    StartWorkerThread();
}

void BuildMainControls() {}

HWND MainWindowHandle() { return G().mainWindowHandle; }
