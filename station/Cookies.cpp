#include "station/Cookies.h"

#include "common/AnsiText.h"

namespace {

void TrimAndTerminate(std::string& text) {
    text = ansi::Trim(text);
    if (!text.empty() && !ansi::EndsWith(text, ";")) {
        text += ';';
    }
}

void MergePiece(std::string& cookies, const std::string& piece) {
    const std::size_t equals = ansi::Find(piece, "=");
    if (equals == std::string::npos) {
        return;
    }
    const std::string name = piece.substr(0, equals);
    // The name is looked for as a plain substring, as the cookie text always was.
    const std::size_t at = ansi::FindNoCase(cookies, name);
    if (at == std::string::npos) {
        cookies += piece;
        cookies += ';';
        return;
    }
    const std::size_t end = ansi::Find(cookies, ";", at + name.size());
    const std::string old =
        cookies.substr(at, end == std::string::npos ? std::string::npos : end - at);
    cookies = ansi::ReplaceNoCase(cookies, old, piece);
}

} // namespace

std::string MergeCookies(std::string& cookies, std::string& newCookies) {
    TrimAndTerminate(cookies);
    TrimAndTerminate(newCookies);
    for (const std::string& piece : ansi::Split(newCookies, ";")) {
        MergePiece(cookies, piece);
    }

    std::string rebuilt;
    for (const std::string& piece : ansi::Split(cookies, ";")) {
        if (ansi::EndsWith(piece, "=") || ansi::EndsWith(piece, "=deleted")) {
            continue;
        }
        rebuilt += ansi::Trim(piece);
        rebuilt += "; ";
    }
    cookies = ansi::Trim(rebuilt);
    return cookies;
}
