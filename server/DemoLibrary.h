#pragma once

#include <filesystem>
#include <string>

namespace station_server {

struct DemoResult {
    std::filesystem::path folder; // the library, empty on failure
    std::string error;
    bool generated = false; // false when a complete library was already there
};

// The demo library under cacheDir/demo: made once (all channels, three songs
// each, with tags, lyrics and covers) and reused while complete. It is built in
// a temporary folder and renamed into place, so an interrupted run never leaves
// a folder that passes for complete.
DemoResult EnsureDemoLibrary(const std::filesystem::path& cacheDir);

} // namespace station_server
