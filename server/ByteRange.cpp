#include "server/ByteRange.h"

#include <charconv>
#include <optional>

namespace station_server {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

// Decimal digits only; nullopt for anything else, including overflow.
std::optional<std::uint64_t> Number(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ByteRange ParseByteRange(std::string_view header, std::uint64_t size) {
    ByteRange whole;
    header = Trim(header);
    constexpr std::string_view unit = "bytes=";
    if (header.size() < unit.size()) {
        return whole;
    }
    for (size_t i = 0; i < unit.size(); ++i) {
        char c = header[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != unit[i]) {
            return whole;
        }
    }
    std::string_view spec = Trim(header.substr(unit.size()));
    if (spec.find(',') != std::string_view::npos) {
        return whole;
    }
    auto dash = spec.find('-');
    if (dash == std::string_view::npos) {
        return whole;
    }
    std::string_view firstText = Trim(spec.substr(0, dash));
    std::string_view lastText = Trim(spec.substr(dash + 1));
    ByteRange range;
    range.kind = ByteRange::Kind::Partial;
    if (firstText.empty()) {
        auto suffix = Number(lastText);
        if (!suffix) {
            return whole;
        }
        if (*suffix == 0 || size == 0) {
            range.kind = ByteRange::Kind::Unsatisfiable;
            return range;
        }
        range.first = *suffix >= size ? 0 : size - *suffix;
        range.last = size - 1;
        return range;
    }
    auto first = Number(firstText);
    if (!first) {
        return whole;
    }
    std::optional<std::uint64_t> last;
    if (!lastText.empty()) {
        last = Number(lastText);
        if (!last || *last < *first) {
            return whole;
        }
    }
    if (*first >= size) {
        range.kind = ByteRange::Kind::Unsatisfiable;
        return range;
    }
    range.first = *first;
    range.last = last && *last < size ? *last : size - 1;
    return range;
}

} // namespace station_server
