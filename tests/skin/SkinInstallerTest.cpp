// The installer under Wine, against a throw-away program directory, and once
// through the real program starting with its Resource folder deleted.

#include "skin/SkinInstaller.h"

#include "common/CodePage.h"
#include "skin/SkinResourceIds.h"
#include "tests/skin/PackBuilder.h"

#include "tests/support/ScratchDirectory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace skin_test;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << data;
}

// A build-machine path as Wine sees it, through its Z: drive.
fs::path FromBuildMachine(std::string unixPath) {
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return fs::path(L"Z:" + ToWide(unixPath, CP_UTF8));
}

SkinPack EmbeddedItems() {
    SkinPack items;
    std::string message;
    UnpackSkinPackData(EmbeddedSkinPack(), items, message);
    return items;
}

class SkinInstallerTest : public testing_support::ScratchDirectoryTest {
protected:
    SkinInstallerTest() : ScratchDirectoryTest("skin") {}

    fs::path PackPath() const { return directory / L"Resource" / L"Resu.rdb"; }

    SkinPack images = SkinPack(kSkinPackItemCount);
};

TEST_F(SkinInstallerTest, ProgramCarriesThePackTheBuildMade) {
    const std::string built = ReadFile(FromBuildMachine(SKIN_PACK_FILE));
    ASSERT_FALSE(built.empty());
    EXPECT_EQ(EmbeddedSkinPack(), built);
    EXPECT_EQ(EmbeddedItems().size(), kSkinPackItemCount);
}

TEST_F(SkinInstallerTest, MissingResourceFolderIsCreatedWithThePackAndUnpacked) {
    InstallSkinPackIn(directory.wstring(), images);
    EXPECT_TRUE(fs::is_directory(directory / L"Resource"));
    EXPECT_EQ(ReadFile(PackPath()), EmbeddedSkinPack());
    EXPECT_EQ(images, EmbeddedItems());
}

TEST_F(SkinInstallerTest, DeletedPackIsWrittenAgainIntoTheExistingFolder) {
    InstallSkinPackIn(directory.wstring(), images);
    fs::remove(PackPath());
    SkinPack again(kSkinPackItemCount);
    InstallSkinPackIn(directory.wstring(), again);
    EXPECT_EQ(ReadFile(PackPath()), EmbeddedSkinPack());
    EXPECT_EQ(again, EmbeddedItems());
}

TEST_F(SkinInstallerTest, WorksInAProgramDirectoryWithAChineseName) {
    const fs::path chinese = directory / L"澜溪FM 电台";
    fs::create_directories(chinese);
    InstallSkinPackIn(chinese.wstring(), images);
    EXPECT_EQ(ReadFile(chinese / L"Resource" / L"Resu.rdb"), EmbeddedSkinPack());
    EXPECT_EQ(images, EmbeddedItems());
}

TEST_F(SkinInstallerTest, ExistingBrokenPackIsNeitherReplacedNorUsed) {
    fs::create_directories(directory / L"Resource");
    std::string broken(EmbeddedSkinPack());
    broken[200] = static_cast<char>(broken[200] ^ 0x01);
    WriteFile(PackPath(), broken);
    InstallSkinPackIn(directory.wstring(), images);
    EXPECT_EQ(ReadFile(PackPath()), broken);
    EXPECT_EQ(images, SkinPack(kSkinPackItemCount)) << "the buttons keep their empty images";
}

TEST_F(SkinInstallerTest, AFileNamedResourceLeavesTheImagesEmpty) {
    WriteFile(directory / L"Resource", "not a folder");
    InstallSkinPackIn(directory.wstring(), images);
    EXPECT_EQ(ReadFile(directory / L"Resource"), "not a folder");
    EXPECT_EQ(images, SkinPack(kSkinPackItemCount));
}

struct FileCase {
    const char* name;
    bool writeFile;
    std::string (*contents)();
    bool ok;
    std::string_view message;
};

std::string Embedded() {
    return std::string(EmbeddedSkinPack());
}

std::string WithByteChanged(std::size_t at) {
    std::string pack = Embedded();
    pack[at] = static_cast<char>(pack[at] ^ 0x01);
    return pack;
}

std::string WithUpperCaseDigest() {
    std::string pack = Embedded();
    const std::size_t digestAt = kHeader.size() + kSeparator.size();
    for (std::size_t i = digestAt; i < digestAt + 32; ++i) {
        pack[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(pack[i])));
    }
    return pack;
}

TEST_F(SkinInstallerTest, UnpacksPackFilesAndNamesWhatIsWrongWithThem) {
    const FileCase cases[] = {
        {"embedded pack", true, Embedded, true, kSkinPackUnpacked},
        {"missing file", false, Embedded, false, kSkinPackMalformed},
        {"zero length", true, [] { return std::string(); }, false, kSkinPackMalformed},
        {"header integer changed", true, [] { return WithByteChanged(10); }, false,
         kSkinPackBadHeader},
        {"one image byte changed", true, [] { return WithByteChanged(Embedded().size() / 2); },
         false, kSkinPackBadDigest},
        {"digest in upper case", true, WithUpperCaseDigest, false, kSkinPackBadDigest},
        {"extra bytes after the last separator", true, [] { return Embedded() + "0123456789"; },
         false, kSkinPackBadHeader},
    };
    const fs::path path = directory / L"Resu.rdb";
    for (const FileCase& c : cases) {
        fs::remove(path);
        if (c.writeFile) {
            WriteFile(path, c.contents());
        }
        SkinPack unpacked = SkinPack(kSkinPackItemCount);
        std::string message;
        EXPECT_EQ(UnpackSkinPack(FromWide(path.wstring()), unpacked, message), c.ok) << c.name;
        EXPECT_EQ(ToWide(message), ToWide(c.message)) << c.name;
        EXPECT_EQ(unpacked, c.ok ? EmbeddedItems() : SkinPack(kSkinPackItemCount)) << c.name;
    }
}

struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using IconOwner = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

TEST(SkinInstallerProgram, ProgramIconHasItsOwnImageAtEveryTraySize) {
    for (const int size : {64, 32, 24, 16}) {
        const IconOwner icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                           MAKEINTRESOURCEW(IDI_PROGRAM_ICON),
                                                           IMAGE_ICON, size, size, 0)));
        ASSERT_TRUE(icon) << size;
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(icon.get(), &info)) << size;
        BITMAP colour{};
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        EXPECT_EQ(colour.bmWidth, size);
        EXPECT_EQ(colour.bmHeight, size);
    }
}

TEST(SkinInstallerProgram, ProgramRecreatesItsDeletedResourceFolderAtStart) {
    const fs::path programDirectory = FromBuildMachine(PROGRAM_DIR_ON_BUILD_MACHINE);
    const fs::path pack = programDirectory / L"Resource" / L"Resu.rdb";
    fs::remove_all(programDirectory / L"Resource");
    ASSERT_FALSE(fs::exists(programDirectory / L"Resource"));

    std::wstring commandLine = L"\"" + (programDirectory / L"LanxiFM.exe").wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               programDirectory.c_str(), &startup, &process));
    // The pack is written during start-up; a generous bound avoids a hang.
    bool complete = false;
    for (int tries = 0; tries < 600 && !complete; ++tries) {
        complete = ReadFile(pack) == EmbeddedSkinPack();
        if (!complete) {
            Sleep(100);
        }
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hThread, 10000);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(complete) << "Resource\\Resu.rdb was not written by the starting program";
}

} // namespace
