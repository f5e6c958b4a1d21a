#pragma once
// A program started by a test, ended when the test is done with it.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

class ProgramProcess {
public:
    struct StartArgs {
        std::wstring commandLine;
        std::wstring workingDirectory;
    };

    explicit ProgramProcess(const StartArgs& args);
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;
    // Terminates the program if it still runs.
    ~ProgramProcess();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // The exit code once the program has ended within the time, else nullopt.
    std::optional<DWORD> WaitForExit(DWORD milliseconds) const;
    void Terminate();

    // The program's top-level windows, visible or not.
    std::vector<HWND> Windows() const;
    // Polls (every 50 ms, up to the time) until a window of the program
    // satisfies the test; null when none did.
    HWND WaitForWindow(const std::function<bool(HWND)>& test, DWORD milliseconds) const;

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// The class name and the window text of a window.
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// The text of all child windows of a dialog, one after the other.
std::wstring DialogText(HWND dialog);

} // namespace testing_support
