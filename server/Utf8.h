#pragma once

#include <string>
#include <string_view>

namespace station_server {

// Valid UTF-8 made from any bytes: every malformed sequence becomes U+FFFD, so
// that file names in odd encodings still give well-formed JSON.
std::string SanitizeUtf8(std::string_view bytes);

} // namespace station_server
