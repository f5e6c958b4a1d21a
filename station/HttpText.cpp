#include "station/HttpText.h"

#include "common/AnsiText.h"

std::string DefaultRequestHeaders(std::string_view url) {
    std::string headers = "Referer: ";
    headers.append(url);
    headers.append(DefaultHeaders);
    return headers;
}

std::string NormalizeMethod(std::string_view method) {
    std::string upper = ansi::ToUpperAscii(method);
    return upper.empty() ? "GET" : upper;
}

std::vector<HeaderField> SplitHeaderLines(std::string_view headers) {
    std::vector<HeaderField> fields;
    for (const std::string& line : ansi::Split(headers, "\r\n")) {
        if (ansi::Find(line, ":") == std::string::npos) {
            continue;
        }
        const std::vector<std::string> pieces = ansi::Split(line, ":");
        if (pieces.size() < 2) {
            continue; // "Name:" with nothing after the colon
        }
        HeaderField field{pieces[0], pieces[1]};
        for (std::size_t i = 2; i < pieces.size(); ++i) {
            field.value += ':';
            field.value += pieces[i];
        }
        fields.push_back(std::move(field));
    }
    return fields;
}

namespace {

// The text between "Set-Cookie:" and the next ";", or empty when either is missing.
std::string SetCookiePiece(std::string_view line) {
    constexpr std::string_view marker = "Set-Cookie:";
    const std::size_t start = ansi::FindNoCase(line, marker);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t valueStart = start + marker.size();
    const std::size_t end = ansi::FindNoCase(line, ";", valueStart);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(line.substr(valueStart, end - valueStart));
}

} // namespace

ResponseHeaderFacts ReadResponseHeaders(std::string_view responseHeaders) {
    ResponseHeaderFacts facts;
    for (const std::string& line : ansi::Split(responseHeaders, "\r\n")) {
        if (ansi::Find(line, "Location:") != std::string::npos) {
            constexpr std::string_view marker = "location:";
            const std::size_t at = ansi::FindNoCase(line, marker);
            facts.redirectUrl = ansi::Trim(line.substr(0, at) + line.substr(at + marker.size()));
        }
        if (ansi::Find(line, "Set-Cookie") != std::string::npos) {
            facts.responseCookies += ansi::Trim(SetCookiePiece(line));
            facts.responseCookies += "; ";
        }
    }
    return facts;
}
