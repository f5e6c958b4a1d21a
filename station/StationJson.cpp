#include "station/StationJson.h"

#include <json-c/json.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct JsonRelease {
    void operator()(json_object* value) const { json_object_put(value); }
};
using JsonDocument = std::unique_ptr<json_object, JsonRelease>;

JsonDocument Parse(std::string_view text) {
    // json-c reads a zero-terminated text.
    const std::string terminated(text);
    return JsonDocument(json_tokener_parse(terminated.c_str()));
}

const json_object* Member(const json_object* parent, const char* name) {
    json_object* value = nullptr;
    if (!parent || json_object_get_type(parent) != json_type_object ||
        !json_object_object_get_ex(parent, name, &value)) {
        return nullptr;
    }
    return value;
}

std::size_t Length(const json_object* array) {
    if (!array || json_object_get_type(array) != json_type_array) {
        return 0;
    }
    return json_object_array_length(array);
}

const json_object* Element(const json_object* array, std::size_t index) {
    return index < Length(array) ? json_object_array_get_idx(array, index) : nullptr;
}

const json_object* FirstSong(const json_object* answer) {
    return Element(Member(Member(answer, "data"), "songList"), 0);
}

std::string Without(std::string_view text, std::string_view removed) {
    std::string kept;
    kept.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(kept),
                 [removed](char c) { return removed.find(c) == std::string_view::npos; });
    return kept;
}

} // namespace

std::string MemberText(const json_object* value) {
    if (!value) {
        return "null";
    }
    if (json_object_get_type(value) == json_type_double) {
        // json-c keeps a parsed number's own spelling; the fixed form is wanted.
        const double number = json_object_get_double(value);
        const int length = std::snprintf(nullptr, 0, "%f", number);
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        std::snprintf(text.data(), text.size(), "%f", number);
        text.resize(static_cast<std::size_t>(length));
        return text;
    }
    return json_object_to_json_string(const_cast<json_object*>(value));
}

std::string WithoutQuotes(std::string_view text) {
    return Without(text, "\"");
}

std::string WithoutQuotesAndBackslashes(std::string_view text) {
    return Without(text, "\"\\");
}

SongIdList ReadPlaylist(std::string_view answer) {
    const JsonDocument document = Parse(answer);
    const json_object* list = Member(document.get(), "list");
    SongIdList ids;
    for (std::size_t i = 0; i < Length(list); ++i) {
        ids.push_back(MemberText(Member(Element(list, i), "id")));
    }
    return ids;
}

SongLinkAnswer ReadSongLink(std::string_view answer) {
    const JsonDocument document = Parse(answer);
    const json_object* song = FirstSong(document.get());
    const json_object* mp3 = Member(Member(song, "format_arr"), "mp3");
    return SongLinkAnswer{
        .songName = WithoutQuotes(MemberText(Member(song, "songName"))),
        .artistName = WithoutQuotes(MemberText(Member(song, "artistName"))),
        .lyricLink = WithoutQuotesAndBackslashes(MemberText(Member(song, "lrcLink"))),
        .streamUrl = WithoutQuotesAndBackslashes(MemberText(Member(mp3, "songLink"))),
    };
}

std::string ReadPictureLink(std::string_view answer) {
    const JsonDocument document = Parse(answer);
    const json_object* song = FirstSong(document.get());
    std::string link;
    for (const char* member : {"songPicSmall", "songPicRadio", "songPicBig"}) {
        link = WithoutQuotesAndBackslashes(MemberText(Member(song, member)));
        if (!link.empty()) {
            break;
        }
    }
    return link;
}
