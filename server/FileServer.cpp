#include "server/FileServer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <functional>
#include <memory>

#include "server/ByteRange.h"

namespace station_server {

namespace {

// Reads up to length bytes at offset into buffer; the count read, 0 at the end
// or on failure.
using ChunkReader = std::function<size_t(std::uint64_t offset, char* buffer, size_t length)>;

constexpr size_t kChunkSize = 64 * 1024;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            close(fd_);
        }
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

void Respond(const httplib::Request& request, httplib::Response& response, std::uint64_t size,
             std::string_view contentType, ChunkReader reader) {
    std::string type(contentType);
    response.set_header("Accept-Ranges", "bytes");
    ByteRange range;
    if (request.has_header("Range")) {
        range = ParseByteRange(request.get_header_value("Range"), size);
    }
    if (range.kind == ByteRange::Kind::Unsatisfiable) {
        response.status = 416;
        response.set_header("Content-Range", "bytes */" + std::to_string(size));
        return;
    }
    std::uint64_t first = 0;
    std::uint64_t length = size;
    if (range.kind == ByteRange::Kind::Partial) {
        first = range.first;
        length = range.last - range.first + 1;
        response.status = 206;
        response.set_header("Content-Range", "bytes " + std::to_string(range.first) + "-" +
                                                 std::to_string(range.last) + "/" +
                                                 std::to_string(size));
    } else {
        response.status = 200;
    }
    if (length == 0) {
        response.set_content("", type);
        return;
    }
    response.set_content_provider(
        static_cast<size_t>(length), type,
        [first, reader = std::move(reader)](size_t offset, size_t count, httplib::DataSink& sink) {
            std::array<char, kChunkSize> chunk;
            size_t wanted = std::min(count, chunk.size());
            size_t got = reader(first + offset, chunk.data(), wanted);
            // A file that shrank under us ends the connection rather than the
            // length we promised.
            return got > 0 && sink.write(chunk.data(), got);
        });
}

} // namespace

void ServeFile(const httplib::Request& request, httplib::Response& response,
               const std::filesystem::path& file, std::string_view contentType) {
    auto fd = std::make_shared<FileDescriptor>(open(file.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd->Get() < 0 || fstat(fd->Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        response.status = 404;
        return;
    }
    Respond(request, response, static_cast<std::uint64_t>(info.st_size), contentType,
            [fd](std::uint64_t offset, char* buffer, size_t length) -> size_t {
                ssize_t got;
                do {
                    got = pread(fd->Get(), buffer, length, static_cast<off_t>(offset));
                } while (got < 0 && errno == EINTR);
                return got > 0 ? static_cast<size_t>(got) : 0;
            });
}

void ServeBytes(const httplib::Request& request, httplib::Response& response, std::string bytes,
                std::string_view contentType) {
    auto data = std::make_shared<const std::string>(std::move(bytes));
    Respond(request, response, data->size(), contentType,
            [data](std::uint64_t offset, char* buffer, size_t length) -> size_t {
                if (offset >= data->size()) {
                    return 0;
                }
                size_t count = std::min<size_t>(length, data->size() - offset);
                std::copy_n(data->data() + offset, count, buffer);
                return count;
            });
}

} // namespace station_server
