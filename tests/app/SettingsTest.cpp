// The volume setting in Config.ini, read and written in a throw-away
// program directory.

#include "app/Settings.h"

#include "common/ProgramDirectory.h"

#include "tests/support/ScratchDirectory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

struct Owned {
    HANDLE handle;
    ~Owned() {
        if (handle) {
            CloseHandle(handle);
        }
    }
};

class SettingsTest : public testing_support::ScratchDirectoryTest {
protected:
    SettingsTest() : ScratchDirectoryTest("settings") {}

    fs::path Config() const { return directory / L"Config.ini"; }
};

TEST_F(SettingsTest, NoFileGivesFiftyAndCreatesNothing) {
    EXPECT_EQ(ReadVolumeSettingIn(directory.wstring()), 50);
    EXPECT_FALSE(fs::exists(Config()));
}

struct ReadCase {
    const char* file;
    int volume;
};

TEST_F(SettingsTest, ReadsTheNumberTheFileHolds) {
    // Values beyond 0..100 come back as written; the volume slider clamps
    // them (200 shows as 100).
    const ReadCase cases[] = {
        {"[Config]\r\nvolume=35\r\n", 35},    {"[Config]\r\nvolume=200\r\n", 200},
        {"[Config]\r\nvolume=abc\r\n", 0},    {"[Config]\r\nvolume=\r\n", 0},
        {"[Config]\r\nvolume=12abc\r\n", 12}, {"[Config]\r\nvolume=  -7\r\n", -7},
        {"[Config]\r\nvolume=+8\r\n", 8},     {"[Config]\r\nvolume=99999999999\r\n", 2147483647},
        {"[config]\r\nVOLUME=40\r\n", 40},    {"[Config]\r\nother=1\r\n", 50},
        {"[Other]\r\nvolume=10\r\n", 50},     {"", 50},
    };
    for (const ReadCase& c : cases) {
        WriteFile(Config(), c.file);
        EXPECT_EQ(ReadVolumeSettingIn(directory.wstring()), c.volume) << c.file;
    }
}

TEST_F(SettingsTest, WriteCreatesTheFileAndSection) {
    WriteVolumeSettingIn(directory.wstring(), 35);
    const std::string text = ReadFile(Config());
    EXPECT_NE(text.find("[Config]"), std::string::npos) << text;
    EXPECT_NE(text.find("volume=35"), std::string::npos) << text;
    EXPECT_EQ(ReadVolumeSettingIn(directory.wstring()), 35);
}

TEST_F(SettingsTest, WriteReplacesTheValueAndKeepsTheRestOfTheFile) {
    WriteFile(Config(), "[Other]\r\nkey=value\r\n[Config]\r\nvolume=80\r\n");
    WriteVolumeSettingIn(directory.wstring(), -5);
    const std::string text = ReadFile(Config());
    EXPECT_NE(text.find("key=value"), std::string::npos) << text;
    EXPECT_NE(text.find("volume=-5"), std::string::npos) << text;
    EXPECT_EQ(text.find("volume=80"), std::string::npos) << text;
    EXPECT_EQ(ReadVolumeSettingIn(directory.wstring()), -5);
}

TEST_F(SettingsTest, WrittenValueSurvivesTheWriterBeingKilled) {
    const std::wstring eventName =
        L"LanxiFMSettingsWritten-" + std::to_wstring(GetCurrentProcessId());
    const Owned written{CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())};
    ASSERT_TRUE(written.handle);
    std::wstring commandLine = L"\"" + ProgramDirectory() + L"\\settings_writer.exe\" \"" +
                               directory.wstring() + L"\" 35 " + eventName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process));
    const Owned processHandle{process.hProcess};
    const Owned threadHandle{process.hThread};
    const HANDLE waitFor[] = {written.handle, process.hProcess};
    const DWORD woke = WaitForMultipleObjects(2, waitFor, FALSE, 30000);
    TerminateProcess(process.hProcess, 9);
    WaitForSingleObject(process.hProcess, 10000);
    ASSERT_EQ(woke, WAIT_OBJECT_0) << "the writer did not report its write";

    EXPECT_NE(ReadFile(Config()).find("volume=35"), std::string::npos);
    EXPECT_EQ(ReadVolumeSettingIn(directory.wstring()), 35);
}

} // namespace
