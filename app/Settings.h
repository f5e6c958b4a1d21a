#pragma once
// The one persisted setting: the volume, in percent, as "volume" of section
// "Config" in Config.ini in the program directory. The file is created by
// the first write and never deleted.

#include <string>

// The stored volume as the file says it: 50 when the file, section or key is
// missing, 0 when the value has no leading digits. Values outside 0..100 are
// returned as they are; the volume slider keeps its value inside 0..100.
int ReadVolumeSetting();

// Writes the value at once, creating the file and section when missing, so
// it survives the process being killed right afterwards. A failed write (a
// read-only program directory) is not reported.
void WriteVolumeSetting(int value);

// The same on Config.ini in the given directory.
int ReadVolumeSettingIn(const std::wstring& directory);
void WriteVolumeSettingIn(const std::wstring& directory, int value);
