#include "tests/server/ServerTestSupport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "server/DemoLibrary.h"

namespace station_server::test {

namespace fs = std::filesystem;

const fs::path& SharedDemoLibrary() {
    static const fs::path folder = [] {
        DemoResult demo = EnsureDemoLibrary(SHARED_DEMO_CACHE);
        if (!demo.error.empty()) {
            ADD_FAILURE() << "demo library: " << demo.error;
        }
        return demo.folder;
    }();
    return folder;
}

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "lanxi-station-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        ADD_FAILURE() << "mkdtemp failed";
    }
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

RunningServer::RunningServer(const fs::path& library)
    : server_(std::make_unique<StationServer>(Library::Scan(library))) {
    std::string error = server_->Start("127.0.0.1", 0);
    EXPECT_EQ(error, "");
}

httplib::Client RunningServer::Client() const {
    httplib::Client client("127.0.0.1", Port());
    client.set_connection_timeout(5);
    client.set_read_timeout(10);
    return client;
}

Json ParseJson(const std::string& text) {
    return Json(json_tokener_parse(text.c_str()));
}

json_object* Member(json_object* object, std::initializer_list<const char*> path) {
    for (const char* name : path) {
        json_object* next = nullptr;
        if (object == nullptr || !json_object_object_get_ex(object, name, &next)) {
            return nullptr;
        }
        object = next;
    }
    return object;
}

std::string StringMember(json_object* object, const char* name) {
    json_object* value = Member(object, {name});
    if (value == nullptr || !json_object_is_type(value, json_type_string)) {
        return "<missing " + std::string(name) + ">";
    }
    return json_object_get_string(value);
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string RawExchange(int port, const std::string& request) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
        size_t sent = 0;
        while (sent < request.size()) {
            ssize_t n = send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) {
                break; // the server may refuse to read all of an oversized request
            }
            sent += static_cast<size_t>(n);
        }
        shutdown(fd, SHUT_WR);
        char buffer[8192];
        for (int rounds = 0; rounds < 1000; ++rounds) {
            pollfd entry{fd, POLLIN, 0};
            if (poll(&entry, 1, 5000) <= 0) {
                break;
            }
            ssize_t n = recv(fd, buffer, sizeof(buffer), 0);
            if (n <= 0) {
                break;
            }
            answer.append(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return answer;
}

int StatusOf(const std::string& rawAnswer) {
    if (!rawAnswer.starts_with("HTTP/1.1 ") || rawAnswer.size() < 12) {
        return 0;
    }
    return std::atoi(rawAnswer.substr(9, 3).c_str());
}

} // namespace station_server::test
