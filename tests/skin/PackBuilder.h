#pragma once
// Builds skin packs byte by byte for the tests, independently of the build's
// packer, so that each test can bend one rule of the layout.

#include "skin/Md5.h"

#include <string>
#include <vector>

namespace skin_test {

inline const std::string kSeparator("\x00\x22\x37\xD7\xFE\x0C\x00", 7);
inline const std::string kHeader("Skin_res\x60\xC9\x34\x05", 12);

// Pieces in order, each followed by the separator.
inline std::string JoinPieces(const std::vector<std::string>& pieces,
                              const std::string& separator = kSeparator) {
    std::string pack;
    for (const std::string& piece : pieces) {
        pack += piece + separator;
    }
    return pack;
}

inline std::string DigestOf(const std::vector<std::string>& items) {
    std::string all;
    for (const std::string& item : items) {
        all += item;
    }
    return Md5Hex(all);
}

// A well-formed pack of the given items.
inline std::string BuildPack(const std::vector<std::string>& items,
                             const std::string& separator = kSeparator) {
    std::vector<std::string> pieces = {kHeader, DigestOf(items)};
    pieces.insert(pieces.end(), items.begin(), items.end());
    return JoinPieces(pieces, separator);
}

// Thirty distinct small items that look like the start of PNG files.
inline std::vector<std::string> SampleItems(std::size_t count = 30) {
    std::vector<std::string> items;
    for (std::size_t i = 1; i <= count; ++i) {
        items.push_back("\x89PNG\r\n\x1A\n item " + std::to_string(i));
    }
    return items;
}

} // namespace skin_test
