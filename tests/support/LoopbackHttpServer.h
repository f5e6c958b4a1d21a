#pragma once
// A real HTTP/1.1 server on 127.0.0.1 for tests, running on threads of its
// own. Each request goes to the test's handler, which writes the response
// bytes itself — so a test can answer normally, redirect, send half a file
// and pause, drop the connection, or never answer at all.

#include <winsock2.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

namespace testing_support {

struct HttpRequest {
    std::string method;
    std::string target;
    std::string headerBlock; // the header lines as received, CR LF separated
    std::vector<std::pair<std::string, std::string>> headers; // names as sent, values trimmed
    std::string body;

    // The value of the first header with this name (any case), or empty.
    std::string Header(std::string_view name) const;
};

class HttpConnection {
public:
    HttpConnection(SOCKET socket, const std::atomic<bool>& stopping, std::mutex& mutex,
                   std::condition_variable& stopSignal);

    bool Send(std::string_view bytes);
    // A complete response with Content-Length.
    bool Respond(int status, std::string_view body, std::string_view extraHeaders = {});
    // Closes the connection at once, whatever was sent.
    void Close();
    bool IsClosed() const { return closed_; }
    // Waits until the server stops or the time runs out; true when stopping.
    bool WaitForStop(int milliseconds);

private:
    SOCKET socket_;
    bool closed_ = false;
    const std::atomic<bool>& stopping_;
    std::mutex& mutex_;
    std::condition_variable& stopSignal_;
};

class LoopbackHttpServer {
public:
    using Handler = std::function<void(const HttpRequest&, HttpConnection&)>;

    explicit LoopbackHttpServer(Handler handler);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    int Port() const { return port_; }
    std::string Url(std::string_view path) const;
    std::vector<HttpRequest> Requests() const;

    // A port on which nothing listens, for refused connections.
    static int UnusedPort();

private:
    void AcceptLoop();
    void Serve(SOCKET client);

    Handler handler_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::condition_variable stopSignal_;
    std::vector<HttpRequest> requests_;
    std::vector<SOCKET> clients_;
    std::vector<std::thread> threads_;
    std::thread acceptThread_;
};

} // namespace testing_support
