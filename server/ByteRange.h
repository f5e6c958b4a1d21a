#pragma once

#include <cstdint>
#include <string_view>

namespace station_server {

struct ByteRange {
    enum class Kind {
        Whole,         // no usable Range header: send the whole file with 200
        Partial,       // send bytes first..last with 206
        Unsatisfiable, // 416 with "bytes */size"
    };
    Kind kind = Kind::Whole;
    std::uint64_t first = 0;
    std::uint64_t last = 0; // inclusive
};

// Reads a Range header for a file of the given size. Only one range is
// honoured; a list of ranges or a header that is not a byte range gives the
// whole file, which HTTP allows.
ByteRange ParseByteRange(std::string_view header, std::uint64_t size);

} // namespace station_server
