#include "tests/audio/SongServer.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>

namespace audio_test {
namespace {

std::optional<uint64_t> RangeStart(const std::string& range) {
    if (!range.starts_with("bytes=")) {
        return std::nullopt;
    }
    return std::stoull(range.substr(6));
}

} // namespace

SongServer::SongServer(std::vector<uint8_t> song, SongServerOptions options)
    : song_(std::move(song)), options_(options),
      server_([this](const auto& request, auto& connection) { Handle(request, connection); }) {}

std::vector<uint64_t> SongServer::RangeStarts() const {
    std::vector<uint64_t> starts;
    if (options_.ignoreRanges) {
        return starts;
    }
    for (const auto& request : server_.Requests()) {
        if (auto start = RangeStart(request.Header("Range"))) {
            starts.push_back(*start);
        }
    }
    return starts;
}

void SongServer::Handle(const testing_support::HttpRequest& request,
                        testing_support::HttpConnection& connection) {
    bool first = requests_++ == 0;
    auto start = options_.ignoreRanges ? std::nullopt : RangeStart(request.Header("Range"));
    if (start && options_.refuseRanges) {
        connection.Close();
        return;
    }
    uint64_t from = start ? std::min<uint64_t>(*start, song_.size()) : 0;
    std::string head;
    if (start) {
        head = "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(from) +
               "-" + std::to_string(song_.size() - 1) + "/" + std::to_string(song_.size()) + "\r\n";
    } else {
        head = "HTTP/1.1 200 OK\r\n";
    }
    // One request a connection: a pooled idle connection would hold the
    // server's thread when the test ends.
    head += "Content-Type: audio/mpeg\r\nAccept-Ranges: bytes\r\nConnection: close\r\n"
            "Content-Length: " +
            std::to_string(song_.size() - from) + "\r\n\r\n";
    if (!connection.Send(head)) {
        return;
    }
    constexpr size_t kChunk = 4096;
    for (size_t at = from; at < song_.size();) {
        size_t sent = at - from;
        if (first && options_.dropAfterBytes > 0 && sent >= options_.dropAfterBytes) {
            connection.Close();
            return;
        }
        if (first && options_.pauseAfterBytes > 0 && sent == options_.pauseAfterBytes &&
            connection.WaitForStop(options_.pauseMilliseconds)) {
            return;
        }
        size_t count = std::min(kChunk, song_.size() - at);
        for (size_t limit : {options_.dropAfterBytes, options_.pauseAfterBytes}) {
            if (first && limit > sent) {
                count = std::min(count, limit - sent);
            }
        }
        std::string_view bytes(reinterpret_cast<const char*>(song_.data() + at), count);
        if (!connection.Send(bytes)) {
            return;
        }
        at += count;
        if (first && options_.bytesPerSecond > 0 &&
            connection.WaitForStop(static_cast<int>(count * 1000 / options_.bytesPerSecond))) {
            return;
        }
    }
    connection.Close();
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> ReadFixture(const std::string& name) {
    return ReadFile("audio-fixtures/" + name);
}

} // namespace audio_test
