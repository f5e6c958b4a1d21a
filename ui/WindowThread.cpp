#include "ui/WindowThread.h"

#include "ui/UiWindow.h"

UINT HandOverMessage() {
    static const UINT message = RegisterWindowMessageW(L"LanxiFM.UiWindow.HandOver");
    return message;
}

void RunHandedOverWork(LPARAM work) {
    (*reinterpret_cast<const std::function<void()>*>(work))();
}

void RunOnWindowThread(HWND window, const std::function<void()>& work) {
    const bool attached = window && GetPropA(window, kWindowProperty) != nullptr;
    if (!attached || GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        work();
        return;
    }
    SendMessageW(window, HandOverMessage(), 0, reinterpret_cast<LPARAM>(&work));
}
