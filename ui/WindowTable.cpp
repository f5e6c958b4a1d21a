#include "ui/WindowTable.h"

std::vector<WindowRecord>& WindowTable() {
    // Never destroyed: window objects that outlive the exit clean-up may
    // still look themselves up.
    static auto* table = new std::vector<WindowRecord>;
    return *table;
}

WindowRecord* FindWindowRecord(int windowIndex) {
    auto& table = WindowTable();
    if (windowIndex < 1 || windowIndex > static_cast<int>(table.size())) {
        return nullptr;
    }
    return &table[static_cast<size_t>(windowIndex - 1)];
}

int FindWindowIndex(HWND hwnd) {
    const auto& table = WindowTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].hwnd == hwnd) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}

UiWindow* FindUiWindow(int windowIndex) {
    WindowRecord* record = FindWindowRecord(windowIndex);
    return record ? record->objectRef : nullptr;
}

ControlRecord* FindControlRecord(int windowIndex, int position) {
    WindowRecord* window = FindWindowRecord(windowIndex);
    if (!window || position < 1 || position > static_cast<int>(window->controls.size())) {
        return nullptr;
    }
    return &window->controls[static_cast<size_t>(position - 1)];
}

int FindControlPosition(int windowIndex, int id) {
    WindowRecord* window = FindWindowRecord(windowIndex);
    if (!window || id == 0) {
        return 0;
    }
    for (size_t i = 0; i < window->controls.size(); ++i) {
        if (window->controls[i].id == id) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}
