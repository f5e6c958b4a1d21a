#pragma once

#include <httplib.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace station_server {

// Answers a GET or HEAD with the bytes of a file: Content-Length, Accept-Ranges,
// and one byte range (206 with Content-Range, or 416) when asked. The file is
// read in chunks while the answer is sent. A file that cannot be opened gives 404.
void ServeFile(const httplib::Request& request, httplib::Response& response,
               const std::filesystem::path& file, std::string_view contentType);

// The same for bytes held in memory, such as a picture taken from a tag.
void ServeBytes(const httplib::Request& request, httplib::Response& response, std::string bytes,
                std::string_view contentType);

} // namespace station_server
