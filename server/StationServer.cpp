#include "server/StationServer.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "server/FileServer.h"
#include "server/SongTags.h"
#include "server/StationApi.h"

namespace station_server {

namespace {

constexpr const char* kJsonType = "application/json; charset=utf-8";
// Enough workers that slow downloads and idle keep-alive connections do not
// starve the API requests of the player.
constexpr size_t kWorkerThreads = 64;

std::mt19937& ThreadRandom() {
    thread_local std::mt19937 random{std::random_device{}()};
    return random;
}

std::string FallbackHost(const httplib::Request& request) {
    const std::string& address = request.local_addr;
    std::string host = address.find(':') != std::string::npos ? "[" + address + "]" : address;
    return host + ":" + std::to_string(request.local_port);
}

std::string BaseUrlOf(const httplib::Request& request) {
    return BaseUrl(request.get_header_value("Host"), FallbackHost(request));
}

// httplib reports a failed bind without its cause; a second attempt tells it.
std::string BindFailure(const std::string& address, int port) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    std::string where = address + ":" + std::to_string(port);
    int status = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found);
    if (status != 0) {
        return "cannot listen on " + where + ": " + gai_strerror(status);
    }
    std::string reason = "unknown error";
    for (addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
        int fd = socket(entry->ai_family, entry->ai_socktype, entry->ai_protocol);
        if (fd < 0) {
            reason = std::strerror(errno);
            continue;
        }
        int yes = 1;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof(yes));
        if (bind(fd, entry->ai_addr, entry->ai_addrlen) != 0) {
            reason = errno == EADDRINUSE ? "the port is already in use" : std::strerror(errno);
        }
        close(fd);
    }
    freeaddrinfo(found);
    return "cannot listen on " + where + ": " + reason;
}

} // namespace

StationServer::StationServer(Library library, ConnectionLimits limits)
    : library_(std::move(library)), http_(limits) {
    http_.new_task_queue = [] {
        return new httplib::ThreadPool(kWorkerThreads);
    };
    AddRoutes();
}

StationServer::~StationServer() {
    Stop();
}

void StationServer::AddRoutes() {
    // Byte ranges are answered by FileServer itself: the library's own slicing
    // trusts the client's numbers. The request object is the library's mutable
    // one, handed to handlers as const.
    http_.set_pre_routing_handler([](const httplib::Request& request, httplib::Response&) {
        const_cast<httplib::Request&>(request).ranges.clear();
        return httplib::Server::HandlerResponse::Unhandled;
    });

    http_.Get("/dev/api/?", [this](const httplib::Request& request, httplib::Response& response) {
        if (request.get_param_value("tn") != "playlist") {
            response.status = 404;
            response.set_content(R"({"list":[]})", kJsonType);
            return;
        }
        response.set_content(PlaylistJson(library_, request.get_param_value("id"), ThreadRandom()),
                             kJsonType);
    });

    http_.Post("/data/music/songlink", [this](const httplib::Request& request,
                                              httplib::Response& response) {
        response.set_content(SongLinkJson(library_, request.body, BaseUrlOf(request)), kJsonType);
    });

    http_.Post("/data/music/songinfo", [this](const httplib::Request& request,
                                              httplib::Response& response) {
        response.set_content(SongInfoJson(library_, request.body, BaseUrlOf(request)), kJsonType);
    });

    http_.Get(R"(/file/(\d{1,10})\.(mp3|lrc|jpg|png|gif))",
              [this](const httplib::Request& request, httplib::Response& response) {
                  ServeSongFile(request, response);
              });
}

void StationServer::ServeSongFile(const httplib::Request& request,
                                  httplib::Response& response) const {
    response.status = 404;
    std::uint64_t number = std::stoull(request.matches[1].str());
    const Song* song = number <= 0x7FFFFFFFu ? library_.Find(static_cast<SongId>(number)) : nullptr;
    if (song == nullptr) {
        return;
    }
    std::string kind = request.matches[2].str();
    // Files can change after the scan; a link swapped to point outside the
    // library is refused here too.
    auto serveInside = [&](const std::filesystem::path& file, std::string_view type) {
        if (library_.Contains(file)) {
            ServeFile(request, response, file, type);
        }
    };
    if (kind == "mp3") {
        serveInside(song->audioFile, "audio/mpeg");
    } else if (kind == "lrc") {
        if (song->lyricFile) {
            serveInside(*song->lyricFile, "text/plain; charset=utf-8");
        }
    } else if (song->coverType != ImageType::None && kind == ImageExtension(song->coverType)) {
        std::string_view type = ImageMimeType(song->coverType);
        if (song->coverFile) {
            serveInside(*song->coverFile, type);
        } else if (library_.Contains(song->audioFile)) {
            std::string picture = ReadEmbeddedPicture(song->audioFile);
            if (SniffImageType(picture.substr(0, 16)) == song->coverType) {
                ServeBytes(request, response, std::move(picture), type);
            }
        }
    }
}

std::string StationServer::Start(const std::string& bindAddress, int port) {
    if (port == 0) {
        port_ = http_.bind_to_any_port(bindAddress);
        if (port_ <= 0) {
            return BindFailure(bindAddress, 0);
        }
    } else {
        if (!http_.bind_to_port(bindAddress, port)) {
            return BindFailure(bindAddress, port);
        }
        port_ = port;
    }
    listener_ = std::thread([this] { http_.listen_after_bind(); });
    return {};
}

void StationServer::Stop() {
    if (listener_.joinable()) {
        http_.stop();
        listener_.join();
    }
}

} // namespace station_server
