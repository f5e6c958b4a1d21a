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
    // Without an output device this fails, and every stream later comes out 0.
    G().audioPlayer.Init(-1, 44100, 0, window);
    StartWorkerThread();
}

void BuildMainControls() {}

HWND MainWindowHandle() {
    return G().mainWindowHandle;
}
