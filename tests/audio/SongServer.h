#pragma once
// Serves one song over HTTP on 127.0.0.1 with byte ranges, and can misbehave
// on the first request the way real networks do: pause part-way, drop the
// connection, or trickle; resumed (Range) requests can be refused.

#include "tests/support/LoopbackHttpServer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace audio_test {

struct SongServerOptions {
    size_t pauseAfterBytes = 0; // first request: pause after these bytes...
    int pauseMilliseconds = 0;  // ...for this long, then send the rest
    size_t dropAfterBytes = 0;  // first request: close after these bytes
    size_t bytesPerSecond = 0;  // first request: trickle at this rate
    bool refuseRanges = false;  // requests with a Range header are closed at once
    bool ignoreRanges = false;  // Range headers get the whole song (200)
};

class SongServer {
public:
    SongServer(std::vector<uint8_t> song, SongServerOptions options = {});

    std::string Url() const { return server_.Url("/song.mp3"); }
    // Start offsets of the Range requests received so far.
    std::vector<uint64_t> RangeStarts() const;

private:
    void Handle(const testing_support::HttpRequest& request,
                testing_support::HttpConnection& connection);

    std::vector<uint8_t> song_;
    SongServerOptions options_;
    std::atomic<int> requests_ = 0;
    testing_support::LoopbackHttpServer server_;
};

// A file's bytes (empty when it cannot be read).
std::vector<uint8_t> ReadFile(const std::string& path);
// A test song made at build time, from the test folder.
std::vector<uint8_t> ReadFixture(const std::string& name);

} // namespace audio_test
