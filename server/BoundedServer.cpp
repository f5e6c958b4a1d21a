#include "server/BoundedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

namespace station_server {

namespace {

bool WaitFor(int fd, short events, time_t seconds) {
    pollfd entry{fd, events, 0};
    for (;;) {
        int ready = poll(&entry, 1, static_cast<int>(seconds * 1000));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        return ready > 0 && (entry.revents & (events | POLLHUP | POLLERR)) != 0;
    }
}

void AddressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    std::array<char, INET6_ADDRSTRLEN> text{};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text.data(), text.size());
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text.data(), text.size());
        port = ntohs(v6.sin6_port);
    }
    ip = text.data();
}

// One connection's stream over all its requests: buffered reads under a budget
// that each request renews.
class BudgetStream : public httplib::Stream {
public:
    BudgetStream(int fd, const ConnectionLimits& limits) : fd_(fd), limits_(limits) {}

    void RenewBudget() { budget_ = limits_.maxHeaderBytes + limits_.maxBodyBytes; }
    bool HasBufferedBytes() const { return begin_ < end_; }

    bool is_readable() const override {
        return HasBufferedBytes() || WaitFor(fd_, POLLIN, limits_.readTimeoutSeconds);
    }
    bool is_writable() const override { return WaitFor(fd_, POLLOUT, limits_.writeTimeoutSeconds); }

    ssize_t read(char* ptr, size_t size) override {
        if (budget_ == 0) {
            return -1;
        }
        if (!HasBufferedBytes()) {
            if (!is_readable()) {
                return -1;
            }
            ssize_t got;
            do {
                got = recv(fd_, buffer_.data(), buffer_.size(), 0);
            } while (got < 0 && errno == EINTR);
            if (got <= 0) {
                return got;
            }
            begin_ = 0;
            end_ = static_cast<size_t>(got);
        }
        size_t count = std::min({size, end_ - begin_, budget_});
        std::memcpy(ptr, buffer_.data() + begin_, count);
        begin_ += count;
        budget_ -= count;
        return static_cast<ssize_t>(count);
    }

    ssize_t write(const char* ptr, size_t size) override {
        size_t sent = 0;
        while (sent < size) {
            if (!is_writable()) {
                return -1;
            }
            ssize_t n = send(fd_, ptr + sent, size - sent, MSG_NOSIGNAL);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                return -1;
            }
            sent += static_cast<size_t>(n);
        }
        return static_cast<ssize_t>(sent);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof(address);
        if (getpeername(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            AddressOf(address, ip, port);
        }
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t length = sizeof(address);
        if (getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            AddressOf(address, ip, port);
        }
    }
    socket_t socket() const override { return fd_; }

private:
    int fd_;
    const ConnectionLimits& limits_;
    std::array<char, 16 * 1024> buffer_{};
    size_t begin_ = 0;
    size_t end_ = 0;
    size_t budget_ = 0;
};

} // namespace

BoundedServer::BoundedServer(ConnectionLimits limits) : limits_(limits) {
    set_payload_max_length(limits_.maxBodyBytes);
    set_read_timeout(limits_.readTimeoutSeconds);
    set_write_timeout(limits_.writeTimeoutSeconds);
    set_keep_alive_timeout(limits_.keepAliveSeconds);
    set_keep_alive_max_count(limits_.keepAliveRequests);
}

bool BoundedServer::process_and_close_socket(socket_t sock) {
    BudgetStream stream(sock, limits_);
    bool ok = false;
    for (size_t left = limits_.keepAliveRequests; left > 0 && svr_sock_ != INVALID_SOCKET; --left) {
        if (!stream.HasBufferedBytes() && !WaitFor(sock, POLLIN, limits_.keepAliveSeconds)) {
            break;
        }
        stream.RenewBudget();
        bool closed = false;
        ok = process_request(stream, left == 1, closed, nullptr);
        if (!ok || closed) {
            break;
        }
    }
    shutdown(sock, SHUT_RDWR);
    close(sock);
    return ok;
}

} // namespace station_server
