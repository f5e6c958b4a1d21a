#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "server/ByteRange.h"
#include "tests/server/ServerTestSupport.h"

namespace station_server::test {
namespace {

struct RangeCase {
    std::string header;
    int status;
    std::uint64_t first; // expected bytes for 206
    std::uint64_t last;
};

class FileServing : public ::testing::Test {
protected:
    void SetUp() override {
        id_ = server_.Songs().ChannelSongs("fengge_liuxing").front();
        path_ = "/file/" + std::to_string(id_) + ".mp3";
        bytes_ = ReadBytes(server_.Songs().Find(id_)->audioFile);
        ASSERT_GT(bytes_.size(), 100000u);
    }

    RunningServer server_{SharedDemoLibrary()};
    SongId id_ = 0;
    std::string path_;
    std::string bytes_;
};

TEST_F(FileServing, WholeFileComesWithLengthAndRangeSupport) {
    auto answer = server_.Client().Get(path_);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_EQ(answer->get_header_value("Accept-Ranges"), "bytes");
    EXPECT_EQ(answer->get_header_value("Content-Length"), std::to_string(bytes_.size()));
    EXPECT_TRUE(answer->body == bytes_);
}

TEST_F(FileServing, RangesGiveTheRightBytesOr416) {
    const std::uint64_t size = bytes_.size();
    const RangeCase cases[] = {
        {"bytes=0-99", 206, 0, 99},
        {"bytes=1000-", 206, 1000, size - 1},
        {"bytes=-500", 206, size - 500, size - 1},
        {"bytes=-99999999", 206, 0, size - 1},
        {"bytes=100-99999999", 206, 100, size - 1},
        {"bytes=" + std::to_string(size - 1) + "-", 206, size - 1, size - 1},
        {"bytes=" + std::to_string(size) + "-", 416, 0, 0},
        {"bytes=99999999-", 416, 0, 0},
        {"bytes=-0", 416, 0, 0},
    };
    for (const auto& c : cases) {
        auto answer = server_.Client().Get(path_, httplib::Headers{{"Range", c.header}});
        ASSERT_TRUE(answer) << c.header;
        EXPECT_EQ(answer->status, c.status) << c.header;
        if (c.status == 206) {
            EXPECT_EQ(answer->get_header_value("Content-Range"),
                      "bytes " + std::to_string(c.first) + "-" + std::to_string(c.last) + "/" +
                          std::to_string(size))
                << c.header;
            EXPECT_TRUE(answer->body == bytes_.substr(c.first, c.last - c.first + 1)) << c.header;
        } else {
            EXPECT_EQ(answer->get_header_value("Content-Range"), "bytes */" + std::to_string(size));
            EXPECT_EQ(answer->body, "");
        }
    }
}

TEST(ByteRangeParsing, ListsAndForeignUnitsFallBackToTheWholeFile) {
    for (const char* header : {"bytes=0-1,5-6", "items=0-5", "bytes=", "bytes=x-5", "bytes 0-5"}) {
        EXPECT_EQ(ParseByteRange(header, 100).kind, ByteRange::Kind::Whole) << header;
    }
    EXPECT_EQ(ParseByteRange("bytes=0-0", 0).kind, ByteRange::Kind::Unsatisfiable);
    EXPECT_EQ(ParseByteRange("Bytes=5-9", 100).kind, ByteRange::Kind::Partial);
}

TEST_F(FileServing, ClientsThatHangUpMidDownloadDoNotDisturbTheServer) {
    for (int i = 0; i < 20; ++i) {
        int fd = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(server_.Port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
        std::string request = "GET " + path_ + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
        ASSERT_EQ(send(fd, request.data(), request.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(request.size()));
        char buffer[4096];
        ASSERT_GT(recv(fd, buffer, sizeof(buffer), 0), 0);
        if (i % 2 == 0) {
            linger reset{1, 0}; // hang up with a reset instead of a close
            setsockopt(fd, SOL_SOCKET, SO_LINGER, &reset, sizeof(reset));
        }
        close(fd);
    }
    auto answer = server_.Client().Get(path_);
    ASSERT_TRUE(answer);
    EXPECT_TRUE(answer->body == bytes_);
}

TEST_F(FileServing, FiftyConcurrentDownloadsAllGetTheRightBytes) {
    std::atomic<int> good = 0;
    std::vector<std::thread> clients;
    for (int i = 0; i < 50; ++i) {
        clients.emplace_back([&] {
            auto answer = server_.Client().Get(path_);
            if (answer && answer->status == 200 && answer->body == bytes_) {
                ++good;
            }
        });
    }
    for (auto& client : clients) {
        client.join();
    }
    EXPECT_EQ(good, 50);
}

} // namespace
} // namespace station_server::test
