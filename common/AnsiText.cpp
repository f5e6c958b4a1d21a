#include "common/AnsiText.h"

#include <climits>

namespace ansi {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::size_t NextBoundary(std::string_view text, std::size_t pos) {
    return pos + ((IsLeadByte(text[pos]) && pos + 1 < text.size()) ? 2 : 1);
}

template <typename Equal>
std::size_t FindWith(std::string_view text, std::string_view needle, std::size_t from,
                     Equal equal) {
    if (needle.empty()) {
        return from <= text.size() ? from : std::string_view::npos;
    }
    for (std::size_t pos = from; pos < text.size(); pos = NextBoundary(text, pos)) {
        if (text.size() - pos < needle.size()) {
            break;
        }
        bool match = true;
        for (std::size_t i = 0; i < needle.size() && match; ++i) {
            match = equal(text[pos + i], needle[i]);
        }
        if (match) {
            return pos;
        }
    }
    return std::string_view::npos;
}

} // namespace

std::size_t Find(std::string_view text, std::string_view needle, std::size_t from) {
    return FindWith(text, needle, from, [](char a, char b) { return a == b; });
}

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
    return FindWith(text, needle, from,
                    [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

std::vector<std::string> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    if (separator.empty()) {
        pieces.emplace_back(text);
        return pieces;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t hit = Find(text, separator, start);
        if (hit == std::string_view::npos) {
            pieces.emplace_back(text.substr(start));
            break;
        }
        pieces.emplace_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
    return pieces;
}

std::string ReplaceNoCase(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) {
        return std::string(text);
    }
    std::string result;
    std::size_t start = 0;
    for (;;) {
        const std::size_t hit = FindNoCase(text, what, start);
        if (hit == std::string_view::npos) {
            break;
        }
        result.append(text.substr(start, hit - start));
        result.append(with);
        start = hit + what.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string ToUpperAscii(std::string_view text) {
    std::string result(text);
    for (std::size_t pos = 0; pos < result.size(); pos = NextBoundary(result, pos)) {
        result[pos] = UpperAscii(result[pos]);
    }
    return result;
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    for (std::size_t pos = 0; pos < result.size(); pos = NextBoundary(result, pos)) {
        result[pos] = LowerAscii(result[pos]);
    }
    return result;
}

std::string Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

int LeadingInt(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT_MAX) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace ansi
