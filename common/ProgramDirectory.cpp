#include "common/ProgramDirectory.h"

#include <windows.h>

std::wstring ProgramDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Truncated: a long path; try again with room to spare.
        path.resize(path.size() * 2);
    }
    const std::size_t lastSlash = path.find_last_of(L"\\/");
    return lastSlash == std::wstring::npos ? std::wstring{} : path.substr(0, lastSlash);
}
