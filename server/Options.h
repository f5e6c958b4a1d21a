#pragma once

#include <filesystem>
#include <string>

namespace station_server {

struct StationOptions {
    std::string bindAddress = "127.0.0.1";
    int port = 17878;
    std::filesystem::path musicFolder;
    bool demo = false;
    // Parent of the generated demo library; empty means the user's cache folder.
    std::filesystem::path cacheDir;
    bool help = false;
};

struct ParsedOptions {
    StationOptions options;
    std::string error; // empty when the command line was understood
};

ParsedOptions ParseOptions(int argc, const char* const* argv);

// The folder --demo uses when --cache is not given: $XDG_CACHE_HOME/lanxi-station,
// else ~/.cache/lanxi-station.
std::filesystem::path DefaultCacheDir();

std::string UsageText();

} // namespace station_server
