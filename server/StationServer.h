#pragma once

#include <memory>
#include <string>
#include <thread>

#include "server/BoundedServer.h"
#include "server/Library.h"

namespace station_server {

// The station web API and the song files of one library, served over HTTP on
// a pool of worker threads.
class StationServer {
public:
    explicit StationServer(Library library, ConnectionLimits limits = {});
    StationServer(const StationServer&) = delete;
    StationServer& operator=(const StationServer&) = delete;
    ~StationServer();

    // Binds and starts serving in the background; port 0 picks a free port.
    // Returns an error text, empty on success.
    std::string Start(const std::string& bindAddress, int port);
    int Port() const { return port_; }
    void Stop();

    const Library& Songs() const { return library_; }

private:
    void AddRoutes();
    void ServeSongFile(const httplib::Request& request, httplib::Response& response) const;

    Library library_;
    BoundedServer http_;
    std::thread listener_;
    int port_ = 0;
};

} // namespace station_server
