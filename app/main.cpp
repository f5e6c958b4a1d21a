#include "app/FormWindows.h"
#include "app/Globals.h"
#include "common/CodePage.h"
#include "station/StationRoot.h"
#include "ui/Framework.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    SetStationRoot(ChooseStationRoot(FromWide(commandLine), std::getenv("LANXI_STATION")));
    OleInitialize(nullptr);
    BuildGlobals();
    StartFramework();
    LoadBannerWindow(instance);
    LoadMainWindow(instance);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
