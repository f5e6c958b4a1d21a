#include "app/Tasks.h"

#include "app/Globals.h"
#include "app/MainWindow.h"
#include "app/SongPlayback.h"

#include <windows.h>

namespace {

DWORD WINAPI WorkerEntry(void* argument) {
    RunTask(static_cast<int>(reinterpret_cast<INT_PTR>(argument)));
    return 0;
}

} // namespace

void RunTask(int kind) {
    switch (kind) {
    case kBuildMainControls:
        BuildMainControls();
        break;
    case kPlayCurrentSong:
        PlayCurrentSong();
        break;
    default:
        break;
    }
}

void StartWorkerThread() {
    G().workerThread = CreateThread(
        nullptr, 0, WorkerEntry, reinterpret_cast<void*>(INT_PTR{kBuildMainControls}), 0, nullptr);
}
