#include "server/Utf8.h"

namespace station_server {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// Length of the well-formed sequence at the start of text, or 0.
size_t SequenceLength(std::string_view text) {
    auto byte = [&](size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    auto continuation = [&](size_t i) {
        return i < text.size() && (byte(i) & 0xC0) == 0x80;
    };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return lead == 0 ? 0 : 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continuation(1) ? 2 : 0;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!continuation(1) || !continuation(2)) {
            return 0;
        }
        unsigned char second = byte(1);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F)) {
            return 0; // overlong form or UTF-16 surrogate
        }
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!continuation(1) || !continuation(2) || !continuation(3)) {
            return 0;
        }
        unsigned char second = byte(1);
        if ((lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
            return 0; // overlong form or beyond U+10FFFF
        }
        return 4;
    }
    return 0;
}

} // namespace

std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    while (!bytes.empty()) {
        size_t length = SequenceLength(bytes);
        if (length == 0) {
            out += kReplacement;
            length = 1;
        } else {
            out.append(bytes.substr(0, length));
        }
        bytes.remove_prefix(length);
    }
    return out;
}

} // namespace station_server
