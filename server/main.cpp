// lanxi-station: the station web API of LanxiFM over HTTP, for a music folder
// or a generated demo library.

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include <pthread.h>

#include "server/DemoLibrary.h"
#include "server/Library.h"
#include "server/Options.h"
#include "server/StationServer.h"

namespace fs = std::filesystem;
using namespace station_server;

namespace {

int Fail(const std::string& message) {
    std::cerr << "lanxi-station: " << message << std::endl;
    return 1;
}

std::string HostText(const std::string& address) {
    return address.find(':') != std::string::npos ? "[" + address + "]" : address;
}

} // namespace

int main(int argc, char** argv) {
    ParsedOptions parsed = ParseOptions(argc, argv);
    if (!parsed.error.empty()) {
        std::cerr << "lanxi-station: " << parsed.error << "\n\n" << UsageText();
        return 2;
    }
    const StationOptions& options = parsed.options;
    if (options.help) {
        std::cout << UsageText();
        return 0;
    }

    fs::path folder = options.musicFolder;
    if (options.demo) {
        std::cerr << "lanxi-station: preparing the demo library in " << (options.cacheDir / "demo")
                  << std::endl;
        DemoResult demo = EnsureDemoLibrary(options.cacheDir);
        if (!demo.error.empty()) {
            return Fail(demo.error);
        }
        folder = demo.folder;
    }
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        return Fail("not a music folder: " + folder.string());
    }

    // Signals are taken by the main thread alone; workers inherit this mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    StationServer server(Library::Scan(folder));
    std::cerr << "lanxi-station: " << server.Songs().Size() << " songs found" << std::endl;
    std::string error = server.Start(options.bindAddress, options.port);
    if (!error.empty()) {
        return Fail(error);
    }
    std::cout << "lanxi-station: serving " << server.Songs().Root().string() << " on http://"
              << HostText(options.bindAddress) << ":" << server.Port() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    server.Stop();
    return 0;
}
