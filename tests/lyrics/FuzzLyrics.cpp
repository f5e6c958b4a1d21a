#include "lyrics/LyricParser.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    const LyricSheet sheet = ParseLyrics(text);
    for (const LyricLine& line : sheet.lines) {
        (void)FindLyricLine(sheet, static_cast<int>(line.time.size()), static_cast<int>(size));
    }
    (void)FindLyricLine(sheet, 0, 0);
    return 0;
}
