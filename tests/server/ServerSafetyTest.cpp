#include <gtest/gtest.h>

#include <fstream>

#include "server/Mp3Encoder.h"
#include "tests/server/ServerTestSupport.h"

namespace station_server::test {
namespace {

namespace fs = std::filesystem;

std::string Get(const std::string& target) {
    return "GET " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
}

TEST(ServerSafety, PathsFromTheClientNeverReachFilesOutsideTheIndex) {
    TempDir outside;
    std::ofstream(outside.Path() / "secret.txt") << "top secret";
    RunningServer server(SharedDemoLibrary());
    SongId id = server.Songs().ChannelSongs("fengge_liuxing").front();
    const std::string secret = (outside.Path() / "secret.txt").string();
    const std::string targets[] = {
        "/../../../../etc/passwd",
        "/file/../../../../etc/passwd",
        "/file/%2e%2e/%2e%2e/%2e%2e/etc/passwd",
        "/file/..%2f..%2f..%2fetc%2fpasswd",
        "/file/%2E%2E%2F%2E%2E%2Fetc%2Fpasswd.mp3",
        "/file/" + std::to_string(id) + ".mp3/../../../etc/passwd",
        "/file/" + std::to_string(id) + "/../../etc/passwd.mp3",
        "/etc/passwd",
        "//etc/passwd",
        secret,
        "/file/" + secret,
        "http://127.0.0.1" + secret,
        "/fengge_liuxing/01%20%E6%99%B4%E7%A9%BA%E4%B9%8B%E4%B8%8B.mp3",
        "/file/" + std::to_string(id) + ".txt",
        "/file/" + std::to_string(id) + ".MP3",
    };
    for (const auto& target : targets) {
        std::string answer = RawExchange(server.Port(), Get(target));
        int status = StatusOf(answer);
        EXPECT_TRUE(status >= 400 && status < 500) << target << " gave " << status;
        EXPECT_EQ(answer.find("root:"), std::string::npos) << target;
        EXPECT_EQ(answer.find("top secret"), std::string::npos) << target;
    }
}

TEST(ServerSafety, SymlinksPointingOutOfTheLibraryAreNeitherListedNorServed) {
    TempDir outside;
    TempDir library;
    std::vector<std::int16_t> silence(44100 * 2, 0);
    std::string mp3 = EncodeMp3(silence, 44100);
    std::ofstream(outside.Path() / "outside.mp3", std::ios::binary) << mp3;
    fs::create_directories(library.Path() / "fengge_dj");
    fs::create_directories(library.Path() / "fengge_minyao");
    std::ofstream(library.Path() / "fengge_dj" / "inside.mp3", std::ios::binary) << mp3;
    fs::create_symlink(outside.Path() / "outside.mp3", library.Path() / "fengge_dj" / "link.mp3");
    fs::create_directory_symlink(outside.Path(), library.Path() / "fengge_dj" / "linked folder");
    fs::create_directory_symlink(outside.Path(), library.Path() / "tuijian_rege");
    RunningServer server(library.Path());
    ASSERT_EQ(server.Songs().Size(), 1u);
    EXPECT_EQ(server.Songs().ChannelSongs("tuijian_rege").size(), 0u);

    // A file swapped for a link after the scan is refused when asked for.
    SongId id = server.Songs().ChannelSongs("fengge_dj").front();
    auto before = server.Client().Get("/file/" + std::to_string(id) + ".mp3");
    ASSERT_TRUE(before);
    EXPECT_EQ(before->status, 200);
    fs::remove(library.Path() / "fengge_dj" / "inside.mp3");
    fs::create_symlink(outside.Path() / "outside.mp3", library.Path() / "fengge_dj" / "inside.mp3");
    auto after = server.Client().Get("/file/" + std::to_string(id) + ".mp3");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->status, 404);
}

TEST(ServerSafety, OversizedRequestsAreRefusedAndTheServerGoesOn) {
    RunningServer server(SharedDemoLibrary());
    const std::string requests[] = {
        // One endless header line.
        "GET /dev/api/?tn=playlist HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Long: " +
            std::string(4 * 1024 * 1024, 'a') + "\r\n\r\n",
        // Very many small header lines.
        [] {
            std::string request = "GET /dev/api/?tn=playlist HTTP/1.1\r\nHost: 127.0.0.1\r\n";
            for (int i = 0; i < 20000; ++i) {
                request += "X-H" + std::to_string(i) + ": v\r\n";
            }
            return request + "\r\n";
        }(),
        // A request line far beyond any real URL.
        "GET /" + std::string(1024 * 1024, 'b') + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n",
    };
    for (const auto& request : requests) {
        std::string answer = RawExchange(server.Port(), request);
        EXPECT_TRUE(answer.empty() || StatusOf(answer) >= 400) << answer.substr(0, 100);
        EXPECT_EQ(answer.find("\"list\""), std::string::npos) << "oversized request was served";
    }
    std::string body(1024 * 1024, '1');
    std::string big = "POST /data/music/songinfo HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: " +
                      std::to_string(body.size()) + "\r\n\r\n" + body;
    EXPECT_EQ(StatusOf(RawExchange(server.Port(), big)), 413);

    auto answer = server.Client().Get("/dev/api/?tn=playlist&id=public_fengge_dj");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
}

} // namespace
} // namespace station_server::test
