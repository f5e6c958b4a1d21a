#include "server/Options.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace station_server {

namespace {

bool ParsePort(std::string_view text, int& port) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0 || value > 65535) {
        return false;
    }
    port = value;
    return true;
}

} // namespace

ParsedOptions ParseOptions(int argc, const char* const* argv) {
    ParsedOptions parsed;
    auto& options = parsed.options;
    auto fail = [&](std::string message) {
        parsed.error = std::move(message);
        return parsed;
    };
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        auto value = [&](std::string_view name) -> const char* {
            if (i + 1 >= argc) {
                parsed.error = std::string(name) + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--port") {
            const char* text = value(arg);
            if (text == nullptr) {
                return parsed;
            }
            if (!ParsePort(text, options.port)) {
                return fail(std::string("invalid port: ") + text);
            }
        } else if (arg == "--bind") {
            const char* text = value(arg);
            if (text == nullptr) {
                return parsed;
            }
            if (*text == '\0') {
                return fail("--bind needs an address");
            }
            options.bindAddress = text;
        } else if (arg == "--cache") {
            const char* text = value(arg);
            if (text == nullptr) {
                return parsed;
            }
            if (*text == '\0') {
                return fail("--cache needs a folder");
            }
            options.cacheDir = text;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return fail("unknown option: " + std::string(arg));
        } else if (!options.musicFolder.empty()) {
            return fail("only one music folder can be served");
        } else {
            options.musicFolder = std::string(arg);
        }
    }
    if (options.help) {
        return parsed;
    }
    if (options.demo && !options.musicFolder.empty()) {
        return fail("give either a music folder or --demo, not both");
    }
    if (!options.demo && options.musicFolder.empty()) {
        return fail("no music folder given (or use --demo)");
    }
    if (options.cacheDir.empty()) {
        options.cacheDir = DefaultCacheDir();
    }
    return parsed;
}

std::filesystem::path DefaultCacheDir() {
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    if (xdg != nullptr && *xdg == '/') {
        return std::filesystem::path(xdg) / "lanxi-station";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".cache" / "lanxi-station";
    }
    return std::filesystem::temp_directory_path() / "lanxi-station";
}

std::string UsageText() {
    return "Usage: lanxi-station [options] MUSIC_FOLDER\n"
           "       lanxi-station [options] --demo [--cache DIR]\n"
           "\n"
           "Serves the LanxiFM station web API over HTTP for a music folder.\n"
           "The folder holds one subfolder per channel, named by channel id:\n"
           "  fengge_liuxing tuijian_chengmingqu tuijian_rege tuijian_wangluo fengge_dj\n"
           "  tuijian_kaiche fengge_dianyingyuansheng xinqing_shanggan fengge_minyao\n"
           "  fengge_qingyinyue\n"
           "Each channel folder holds .mp3 files (subfolders allowed); a .lrc file and a\n"
           ".jpg/.png/.gif picture with the same name beside a song are its lyrics and\n"
           "cover (else cover.* or folder.* in its folder, else the picture in its tags).\n"
           "\n"
           "Options:\n"
           "  --port N       TCP port to listen on (default 17878; 0 picks a free one)\n"
           "  --bind ADDR    address to listen on (default 127.0.0.1, local only)\n"
           "  --demo         generate a demo library once and serve it\n"
           "  --cache DIR    where --demo keeps its library (default\n"
           "                 $XDG_CACHE_HOME/lanxi-station or ~/.cache/lanxi-station)\n"
           "  --help         show this text\n";
}

} // namespace station_server
