// Helper of SettingsTest: writes the volume the way the program does, signals
// the test and waits to be killed, so the test can show that the value is on
// disk without any orderly exit.
//
//   settings_writer.exe DIRECTORY VALUE EVENT_NAME

#include "app/Settings.h"

#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 4) {
        return 2;
    }
    WriteVolumeSettingIn(argv[1], std::stoi(argv[2]));
    HANDLE written = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
    if (!written) {
        return 3;
    }
    SetEvent(written);
    CloseHandle(written);
    Sleep(INFINITE);
    return 0;
}
