#include "skin/SkinInstaller.h"

#include "common/CodePage.h"
#include "common/ProgramDirectory.h"
#include "skin/SkinResourceIds.h"

#include <windows.h>

#include <memory>

namespace {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle OpenFile(const std::wstring& path, DWORD access, DWORD disposition) {
    HANDLE handle = CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::string ReadWholeFile(const std::wstring& path) {
    const FileHandle file = OpenFile(path, GENERIC_READ, OPEN_EXISTING);
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7fffffff) {
        return {};
    }
    std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!ReadFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &got, nullptr)) {
        return {};
    }
    data.resize(got);
    return data;
}

// A write that stops short (or has nothing to write) leaves no file behind: a partial pack would
// otherwise stay on disk and, never being replaced, fail on every start.
void WriteWholeFile(const std::wstring& path, std::string_view data) {
    if (data.empty()) {
        return;
    }
    bool written = false;
    {
        const FileHandle file = OpenFile(path, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file) {
            return;
        }
        DWORD put = 0;
        written =
            WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &put, nullptr) &&
            put == data.size();
    }
    if (!written) {
        DeleteFileW(path.c_str());
    }
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string_view EmbeddedSkinPack() {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_SKIN_PACK), RT_RCDATA);
    if (!found) {
        return {};
    }
    // Resources of a loaded module stay mapped for its lifetime.
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return {};
    }
    return {static_cast<const char*>(bytes), SizeofResource(module, found)};
}

bool UnpackSkinPack(std::string_view path, SkinPack& images, std::string& message) {
    return UnpackSkinPackData(ReadWholeFile(ToWide(path)), images, message);
}

void InstallSkinPackIn(const std::wstring& programDirectory, SkinPack& images) {
    const std::wstring folder = programDirectory + L"\\Resource";
    const std::wstring packPath = folder + L"\\Resu.rdb";
    if (!Exists(folder) && CreateDirectoryW(folder.c_str(), nullptr)) {
        WriteWholeFile(packPath, EmbeddedSkinPack());
    }
    if (!IsFile(packPath)) {
        WriteWholeFile(packPath, EmbeddedSkinPack());
    }
    std::string message;
    UnpackSkinPackData(ReadWholeFile(packPath), images, message);
}

void InstallSkinPack(SkinPack& images) {
    InstallSkinPackIn(ProgramDirectory(), images);
}
