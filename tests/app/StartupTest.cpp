#include "tests/support/ProgramProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::ClassOf;
using testing_support::DialogText;
using testing_support::ProgramProcess;

constexpr DWORD kStartBound = 60000;

const std::wstring kProgramDir = L"" PROGRAM_DIR_ON_BUILD_MACHINE;

ProgramProcess StartProgram(const std::wstring& directory, const std::wstring& exe) {
    return ProgramProcess(
        {.commandLine = L"\"" + directory + L"\\" + exe + L"\"", .workingDirectory = directory});
}

bool HasRect(HWND window, int left, int top, int width, int height) {
    RECT r;
    GetWindowRect(window, &r);
    return IsWindowVisible(window) && r.left == left && r.top == top && r.right - r.left == width &&
           r.bottom - r.top == height;
}

bool IsMessageBox(HWND window) {
    return ClassOf(window) == L"#32770" && IsWindowVisible(window);
}

TEST(Startup, MainWindowAppearsAt50x50AndTheBannerIsCentredAtTheTop) {
    ProgramProcess program = StartProgram(kProgramDir, L"LanxiFM.exe");
    ASSERT_TRUE(program.Started());
    const HWND main =
        program.WaitForWindow([](HWND w) { return HasRect(w, 50, 50, 339, 140); }, kStartBound);
    EXPECT_NE(main, nullptr) << "no visible 339 x 140 window at 50,50";

    const int bannerLeft = static_cast<int>((GetSystemMetrics(SM_CXSCREEN) - 970) / 2.0);
    HWND banner = nullptr;
    for (HWND w : program.Windows()) {
        RECT r;
        GetWindowRect(w, &r);
        if (r.left == bannerLeft && r.top == 30 && r.right - r.left == 970 &&
            r.bottom - r.top == 100) {
            banner = w;
        }
    }
    ASSERT_NE(banner, nullptr) << "no 970 x 100 banner at " << bannerLeft << ",30";
    EXPECT_TRUE(GetWindowLongW(banner, GWL_EXSTYLE) & WS_EX_TOPMOST) << "banner not on top";
}

// A copy of the program under a name for which Wine is told not to load the
// DLL that serves the shell's taskbar-list object.
std::wstring CopyWithoutTaskbarList() {
    constexpr wchar_t kName[] = L"LanxiFMWithoutTaskbarList.exe";
    HKEY key = nullptr;
    const std::wstring path =
        std::wstring(L"Software\\Wine\\AppDefaults\\") + kName + L"\\DllOverrides";
    RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                    nullptr);
    RegSetValueExW(key, L"explorerframe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""),
                   sizeof(wchar_t));
    RegCloseKey(key);

    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring directory = std::wstring(temp) + L"lanxi-startup-test";
    CreateDirectoryW(directory.c_str(), nullptr);
    CopyFileW((kProgramDir + L"\\LanxiFM.exe").c_str(), (directory + L"\\" + kName).c_str(), FALSE);
    return kName;
}

// Without the shell's taskbar-list object the program shows its one error
// message, for the banner window that is loaded first, and ends.
TEST(Startup, MissingTaskbarListShowsTheMessageOnceAndEnds) {
    const std::wstring exe = CopyWithoutTaskbarList();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    ProgramProcess program = StartProgram(std::wstring(temp) + L"lanxi-startup-test", exe);
    ASSERT_TRUE(program.Started());

    const HWND box = program.WaitForWindow(IsMessageBox, kStartBound);
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_NE(DialogText(box).find(L"获取ITaskbarList接口失败！"), std::wstring::npos);
    for (HWND w : program.Windows()) {
        EXPECT_FALSE(HasRect(w, 50, 50, 339, 140)) << "the main window came up";
    }

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(kStartBound).has_value()) << "the program did not end";
}

} // namespace
