// The real program on the real station server, judged by what it plays:
// the default channel's first song is heard, and the play/pause button
// silences it and brings it back.

#include "tests/audio/SoundCapture.h"
#include "tests/audio/ToneMeter.h"
#include "tests/support/ProgramProcess.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

namespace {

using audio_test::SoundCapture;
using audio_test::SoundingBlocks;
using testing_support::ProgramProcess;

const std::wstring kProgramDir = L"" PROGRAM_DIR_ON_BUILD_MACHINE;
constexpr DWORD kStartBound = 60000;
// Where the play/pause button sits in the main window.
constexpr LPARAM kPlayPause = MAKELPARAM(132, 67);

std::wstring StationAddress() {
    const char* file = std::getenv("LANXI_TEST_STATION_FILE");
    std::string address;
    if (file) {
        std::ifstream(file) >> address;
    }
    return std::wstring(address.begin(), address.end());
}

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The number of 100 ms stretches that carried sound over the time given.
size_t SoundingTenthsOver(double seconds) {
    SoundCapture capture;
    Wait(seconds);
    return SoundingBlocks(capture.Stop()).size();
}

bool IsMainWindow(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return IsWindowVisible(window) && r.left == 50 && r.top == 50 && r.right - r.left == 339;
}

void Click(HWND window, LPARAM point) {
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(window, WM_LBUTTONUP, 0, point);
}

} // namespace

TEST(Player, PlaysTheDefaultChannelAndPlayPauseSilencesAndResumesIt) {
    const std::wstring station = StationAddress();
    ASSERT_TRUE(station.starts_with(L"http://127.0.0.1:"))
        << "no station address; the station.ServerStart fixture starts the server";
    ProgramProcess program(
        {.commandLine = L"\"" + kProgramDir + L"\\LanxiFM.exe\" --station " + station,
         .workingDirectory = kProgramDir});
    ASSERT_TRUE(program.Started());
    const HWND main = program.WaitForWindow(IsMainWindow, kStartBound);
    ASSERT_NE(main, nullptr);

    // The first song starts once the controls are built and its details fetched.
    size_t heard = 0;
    for (int attempt = 0; attempt < 20 && heard == 0; ++attempt) {
        heard = SoundingTenthsOver(1.0);
    }
    ASSERT_GT(heard, 0u) << "nothing was heard within 20 seconds";
    EXPECT_GE(SoundingTenthsOver(2.0), 15u) << "the song plays on";

    Click(main, kPlayPause);
    Wait(0.5);
    EXPECT_EQ(SoundingTenthsOver(1.5), 0u) << "paused";

    Click(main, kPlayPause);
    Wait(0.5);
    EXPECT_GE(SoundingTenthsOver(1.5), 10u) << "resumed";
}
