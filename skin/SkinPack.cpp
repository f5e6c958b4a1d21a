#include "skin/SkinPack.h"

#include "skin/Md5.h"

namespace {

constexpr std::size_t kSeparatorSize = 7;
constexpr std::string_view kHeader{"Skin_res\x60\xC9\x34\x05", 12};

// Pieces end at each separator, scanning on right after it; bytes after the
// last separator form a final piece only when there are some.
std::vector<std::string_view> SplitPieces(std::string_view data, std::string_view separator) {
    std::vector<std::string_view> pieces;
    if (separator.empty()) {
        return pieces;
    }
    std::size_t start = 0;
    for (std::size_t at = data.find(separator); at != std::string_view::npos;
         at = data.find(separator, start)) {
        pieces.push_back(data.substr(start, at - start));
        start = at + separator.size();
    }
    if (start < data.size()) {
        pieces.push_back(data.substr(start));
    }
    return pieces;
}

} // namespace

bool UnpackSkinPackData(std::string_view data, SkinPack& images, std::string& message) {
    const std::string_view separator =
        data.substr(data.size() < kSeparatorSize ? 0 : data.size() - kSeparatorSize);
    const std::vector<std::string_view> pieces = SplitPieces(data, separator);
    if (pieces.empty()) {
        message = kSkinPackMalformed;
        return false;
    }
    if (pieces.front() != kHeader) {
        message = kSkinPackBadHeader;
        return false;
    }
    // Without a digest piece there is nothing to compare with; an empty
    // digest text never matches.
    const std::string_view digestPiece = pieces.size() > 1 ? pieces[1] : std::string_view{};
    const std::string_view digestText = digestPiece.substr(0, digestPiece.find('\0'));
    std::string items;
    for (std::size_t i = 2; i < pieces.size(); ++i) {
        items += pieces[i];
    }
    if (Md5Hex(items) != digestText) {
        message = kSkinPackBadDigest;
        return false;
    }
    if (pieces.size() != 2 + kSkinPackItemCount) {
        message = kSkinPackMalformed;
        return false;
    }
    images.assign(pieces.begin() + 2, pieces.end());
    message = kSkinPackUnpacked;
    return true;
}
