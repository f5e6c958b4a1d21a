#pragma once
// Start-up installation of the skin pack: the program carries a copy of
// Resource\Resu.rdb and writes it beside itself when the file is missing.
// A file that exists is never replaced, even when it fails its checks.

#include "skin/SkinPack.h"

#include <string>
#include <string_view>

// The pack embedded in the running program, empty when it has none.
std::string_view EmbeddedSkinPack();

// Reads the pack file at `path` (program text) and unpacks it as
// UnpackSkinPackData does; a missing or unreadable file counts as empty.
bool UnpackSkinPack(std::string_view path, SkinPack& images, std::string& message);

// Makes sure `programDirectory`\Resource\Resu.rdb exists, writing the
// embedded pack when it does not, then unpacks it into `images`. Failures
// are not reported: `images` then keeps what it held.
void InstallSkinPackIn(const std::wstring& programDirectory, SkinPack& images);

// InstallSkinPackIn for the directory of the program's executable.
void InstallSkinPack(SkinPack& images);
