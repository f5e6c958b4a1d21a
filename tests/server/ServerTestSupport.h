#pragma once

#include <httplib.h>
#include <json.h>

#include <filesystem>
#include <memory>
#include <string>

#include "server/StationServer.h"

namespace station_server::test {

// The demo library in the build tree, made on first use.
const std::filesystem::path& SharedDemoLibrary();

// A fresh folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();
    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// A station server on a free port of 127.0.0.1, serving a library.
class RunningServer {
public:
    explicit RunningServer(const std::filesystem::path& library);
    int Port() const { return server_->Port(); }
    const Library& Songs() const { return server_->Songs(); }
    httplib::Client Client() const;
    std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(Port()); }

private:
    std::unique_ptr<StationServer> server_;
};

struct JsonRelease {
    void operator()(json_object* object) const { json_object_put(object); }
};
using Json = std::unique_ptr<json_object, JsonRelease>;

Json ParseJson(const std::string& text);
// A member path such as {"data", "songList"}; nullptr where it is missing.
json_object* Member(json_object* object, std::initializer_list<const char*> path);
std::string StringMember(json_object* object, const char* name);

std::string ReadBytes(const std::filesystem::path& file);

// Sends raw bytes on a new connection and returns everything the server
// answers until it closes the connection (or a few seconds pass).
std::string RawExchange(int port, const std::string& request);

// The status code of a raw HTTP answer, 0 when there is none.
int StatusOf(const std::string& rawAnswer);

} // namespace station_server::test
