#include "tests/support/LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace testing_support {
namespace {

constexpr std::size_t kMaxHead = 64 * 1024;

struct WinsockStartup {
    WinsockStartup() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
};

void EnsureWinsock() {
    static WinsockStartup startup;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

std::string TrimSpaces(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

const char* ReasonPhrase(int status) {
    switch (status) {
    case 200:
        return "OK";
    case 206:
        return "Partial Content";
    case 302:
        return "Found";
    case 404:
        return "Not Found";
    case 416:
        return "Range Not Satisfiable";
    default:
        return "Status";
    }
}

// Waits in short slices so that stopping never depends on another thread
// waking a blocked socket call. True when the socket has data (or news).
bool WaitReadable(SOCKET socket, const std::atomic<bool>& stopping) {
    while (!stopping) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket, &readable);
        timeval slice{0, 50 * 1000};
        const int ready = select(0, &readable, nullptr, nullptr, &slice);
        if (ready != 0) {
            return ready > 0;
        }
    }
    return false;
}

int Receive(SOCKET socket, char* chunk, int size, const std::atomic<bool>& stopping) {
    return WaitReadable(socket, stopping) ? recv(socket, chunk, size, 0) : -1;
}

// Reads one request head and body from the socket; false when the peer is gone.
bool ReadRequest(SOCKET socket, std::string& buffer, HttpRequest& request,
                 const std::atomic<bool>& stopping) {
    std::size_t headEnd;
    while ((headEnd = buffer.find("\r\n\r\n")) == std::string::npos) {
        if (buffer.size() > kMaxHead) {
            return false;
        }
        char chunk[4096];
        const int got = Receive(socket, chunk, sizeof chunk, stopping);
        if (got <= 0) {
            return false;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    const std::string head = buffer.substr(0, headEnd);
    buffer.erase(0, headEnd + 4);

    const std::size_t lineEnd = head.find("\r\n");
    const std::string requestLine = head.substr(0, lineEnd);
    const std::size_t firstSpace = requestLine.find(' ');
    const std::size_t secondSpace = requestLine.find(' ', firstSpace + 1);
    request.method = requestLine.substr(0, firstSpace);
    request.target = requestLine.substr(firstSpace + 1, secondSpace - firstSpace - 1);
    request.headerBlock = lineEnd == std::string::npos ? "" : head.substr(lineEnd + 2);

    std::size_t start = 0;
    while (start < request.headerBlock.size()) {
        std::size_t end = request.headerBlock.find("\r\n", start);
        if (end == std::string::npos) {
            end = request.headerBlock.size();
        }
        const std::string line = request.headerBlock.substr(start, end - start);
        const std::size_t colon = line.find(':');
        if (colon != std::string::npos) {
            request.headers.emplace_back(line.substr(0, colon), TrimSpaces(line.substr(colon + 1)));
        }
        start = end + 2;
    }

    const std::size_t length = std::strtoul(request.Header("Content-Length").c_str(), nullptr, 10);
    while (buffer.size() < length) {
        char chunk[4096];
        const int got = Receive(socket, chunk, sizeof chunk, stopping);
        if (got <= 0) {
            return false;
        }
        buffer.append(chunk, static_cast<std::size_t>(got));
    }
    request.body = buffer.substr(0, length);
    buffer.erase(0, length);
    return true;
}

} // namespace

std::string HttpRequest::Header(std::string_view name) const {
    const std::string wanted = Lower(name);
    for (const auto& [key, value] : headers) {
        if (Lower(key) == wanted) {
            return value;
        }
    }
    return {};
}

HttpConnection::HttpConnection(SOCKET socket, const std::atomic<bool>& stopping, std::mutex& mutex,
                               std::condition_variable& stopSignal)
    : socket_(socket), stopping_(stopping), mutex_(mutex), stopSignal_(stopSignal) {}

bool HttpConnection::Send(std::string_view bytes) {
    while (!closed_ && !bytes.empty()) {
        const int sent = send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return !closed_;
}

bool HttpConnection::Respond(int status, std::string_view body, std::string_view extraHeaders) {
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) +
                       "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    head += extraHeaders;
    head += "\r\n";
    return Send(head) && Send(body);
}

void HttpConnection::Close() {
    if (!closed_) {
        closed_ = true;
        shutdown(socket_, SD_BOTH);
    }
}

bool HttpConnection::WaitForStop(int milliseconds) {
    std::unique_lock lock(mutex_);
    return stopSignal_.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [this] { return stopping_.load(); });
}

LoopbackHttpServer::LoopbackHttpServer(Handler handler) : handler_(std::move(handler)) {
    EnsureWinsock();
    listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, SOMAXCONN);
    int length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    acceptThread_ = std::thread([this] { AcceptLoop(); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (SOCKET client : clients_) {
            shutdown(client, SD_BOTH);
        }
    }
    stopSignal_.notify_all();
    acceptThread_.join();
    closesocket(listener_);
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

std::string LoopbackHttpServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<HttpRequest> LoopbackHttpServer::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

int LoopbackHttpServer::UnusedPort() {
    EnsureWinsock();
    SOCKET probe = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    int length = sizeof address;
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(probe);
    return ntohs(address.sin_port);
}

void LoopbackHttpServer::AcceptLoop() {
    while (WaitReadable(listener_, stopping_)) {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) {
            return; // the listener was closed
        }
        std::lock_guard lock(mutex_);
        if (stopping_) {
            closesocket(client);
            return;
        }
        clients_.push_back(client);
        threads_.emplace_back([this, client] { Serve(client); });
    }
}

void LoopbackHttpServer::Serve(SOCKET client) {
    std::string buffer;
    HttpConnection connection(client, stopping_, mutex_, stopSignal_);
    while (!stopping_ && !connection.IsClosed()) {
        HttpRequest request;
        if (!ReadRequest(client, buffer, request, stopping_)) {
            break;
        }
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        handler_(request, connection);
    }
    std::lock_guard lock(mutex_);
    clients_.erase(std::remove(clients_.begin(), clients_.end(), client), clients_.end());
    closesocket(client);
}

} // namespace testing_support
