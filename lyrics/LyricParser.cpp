#include "lyrics/LyricParser.h"

#include "common/AnsiText.h"

#include <string_view>

namespace {

constexpr auto npos = std::string::npos;

std::string PrepareText(std::string_view text) {
    std::string joined;
    joined.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit; (hit = ansi::Find(text, "\r\n", start)) != npos; start = hit + 2) {
        joined.append(text.substr(start, hit - start));
    }
    joined.append(text.substr(start));
    return ansi::ToLowerAscii(joined);
}

std::string AfterLastColon(const std::string& tag) {
    std::size_t last = npos;
    for (std::size_t hit = ansi::Find(tag, ":"); hit != npos; hit = ansi::Find(tag, ":", hit + 1)) {
        last = hit;
    }
    return last == npos ? tag : tag.substr(last + 1);
}

// The header field a tag names, or null for a time tag.
std::string* HeaderField(LyricSheet& sheet, std::string_view tag) {
    if (tag.starts_with("offset")) {
        return &sheet.offset;
    }
    if (tag.starts_with("ti")) {
        return &sheet.title;
    }
    if (tag.starts_with("ar")) {
        return &sheet.artist;
    }
    if (tag.starts_with("al")) {
        return &sheet.album;
    }
    if (tag.starts_with("by")) {
        return &sheet.author;
    }
    return nullptr;
}

} // namespace

LyricSheet ParseLyrics(std::string& text) {
    text = PrepareText(text);
    LyricSheet sheet;
    std::size_t scan = 0;
    std::size_t open;
    while ((open = ansi::Find(text, "[", scan)) != npos) {
        std::size_t close = ansi::Find(text, "]", open + 1);
        if (close == npos) {
            break; // an unclosed tag ends the lyrics; what came before stays
        }
        std::string tag = text.substr(open + 1, close - open - 1);
        scan = close;
        if (std::string* field = HeaderField(sheet, tag)) {
            *field = AfterLastColon(tag);
            continue;
        }

        // Tags standing right after each other share the text that follows them.
        std::vector<std::string> group{std::move(tag)};
        bool unclosed = false;
        while (close + 1 < text.size() && text[close + 1] == '[') {
            const std::size_t nextClose = ansi::Find(text, "]", close + 2);
            if (nextClose == npos) {
                unclosed = true;
                break;
            }
            group.push_back(text.substr(close + 2, nextClose - close - 2));
            close = nextClose;
        }
        scan = close;
        const std::size_t textEnd = ansi::Find(text, "[", close + 1);
        const std::string lyric =
            text.substr(close + 1, textEnd == npos ? npos : textEnd - close - 1);
        for (std::string& time : group) {
            sheet.lines.push_back(LyricLine{std::move(time), lyric});
        }
        if (unclosed) {
            break;
        }
    }
    return sheet;
}

int FindLyricLine(const LyricSheet& sheet, int minutes, int seconds) {
    for (std::size_t i = 0; i < sheet.lines.size(); ++i) {
        const std::string_view time = sheet.lines[i].time;
        const int minute = ansi::LeadingInt(time.substr(0, 2));
        const int second = time.size() > 3 ? ansi::LeadingInt(time.substr(3, 2)) : 0;
        if (minute == minutes && second == seconds) {
            return static_cast<int>(i + 1);
        }
    }
    return 0;
}
