#include "tests/support/ProgramProcess.h"

namespace testing_support {

ProgramProcess::ProgramProcess(const StartArgs& args) {
    std::wstring commandLine = args.commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       args.workingDirectory.empty() ? nullptr : args.workingDirectory.c_str(),
                       &startup, &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

ProgramProcess::~ProgramProcess() {
    Terminate();
    if (process_) {
        CloseHandle(process_);
    }
}

std::optional<DWORD> ProgramProcess::WaitForExit(DWORD milliseconds) const {
    if (!process_ || WaitForSingleObject(process_, milliseconds) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void ProgramProcess::Terminate() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 10000);
    }
}

std::vector<HWND> ProgramProcess::Windows() const {
    struct Search {
        DWORD id;
        std::vector<HWND> found;
    } search{id_, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == s->id) {
                s->found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramProcess::WaitForWindow(const std::function<bool(HWND)>& test,
                                   DWORD milliseconds) const {
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        for (HWND window : Windows()) {
            if (test(window)) {
                return window;
            }
        }
        Sleep(50);
    } while (GetTickCount64() < deadline);
    return nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring DialogText(HWND dialog) {
    std::wstring all;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM param) -> BOOL {
            *reinterpret_cast<std::wstring*>(param) += TextOf(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

} // namespace testing_support
