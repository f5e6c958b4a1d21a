#pragma once

#include <httplib.h>

#include <cstddef>

namespace station_server {

struct ConnectionLimits {
    // Request line and headers of one request together.
    size_t maxHeaderBytes = 16 * 1024;
    size_t maxBodyBytes = 64 * 1024;
    time_t readTimeoutSeconds = 5;
    time_t writeTimeoutSeconds = 10;
    time_t keepAliveSeconds = 5;
    size_t keepAliveRequests = 100;
};

// An httplib server whose connections read through a stream with a byte budget
// per request, so a client cannot make it buffer an endless header line, and
// that writes with MSG_NOSIGNAL, so a client that hangs up mid-download costs
// nothing but its own connection.
class BoundedServer : public httplib::Server {
public:
    explicit BoundedServer(ConnectionLimits limits);

private:
    bool process_and_close_socket(socket_t sock) override;

    ConnectionLimits limits_;
};

} // namespace station_server
