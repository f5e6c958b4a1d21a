#include "app/Settings.h"

#include "common/AnsiText.h"
#include "common/CodePage.h"
#include "common/ProgramDirectory.h"

#include <windows.h>

namespace {

constexpr wchar_t kSection[] = L"Config";
constexpr wchar_t kVolumeKey[] = L"volume";

std::wstring ConfigPath(const std::wstring& directory) {
    return directory + L"\\Config.ini";
}

} // namespace

int ReadVolumeSettingIn(const std::wstring& directory) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(kSection, kVolumeKey, L"50", value, 64, ConfigPath(directory).c_str());
    return ansi::LeadingInt(FromWide(value));
}

void WriteVolumeSettingIn(const std::wstring& directory, int value) {
    const std::wstring path = ConfigPath(directory);
    WritePrivateProfileStringW(kSection, kVolumeKey, std::to_wstring(value).c_str(), path.c_str());
    // Flushes any cached copy of the file to disk.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

int ReadVolumeSetting() {
    return ReadVolumeSettingIn(ProgramDirectory());
}

void WriteVolumeSetting(int value) {
    WriteVolumeSettingIn(ProgramDirectory(), value);
}
