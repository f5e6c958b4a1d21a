#include "server/StationApi.h"

#include <json.h>

#include <algorithm>
#include <charconv>
#include <memory>

namespace station_server {

namespace {

struct JsonRelease {
    void operator()(json_object* object) const { json_object_put(object); }
};
using JsonPtr = std::unique_ptr<json_object, JsonRelease>;

std::string ToText(json_object* root) {
    return json_object_to_json_string_ext(root,
                                          JSON_C_TO_STRING_PLAIN | JSON_C_TO_STRING_NOSLASHESCAPE);
}

void Add(json_object* object, const char* key, std::string_view text) {
    json_object_object_add(object, key,
                           json_object_new_string_len(text.data(), static_cast<int>(text.size())));
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string DecodeFormText(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
                   HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool ParseId(std::string_view text, SongId& id) {
    if (text.empty() || text.size() > 10 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return false;
    }
    std::uint64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    if (value == 0 || value > 0x7FFFFFFFu) {
        return false;
    }
    id = static_cast<SongId>(value);
    return true;
}

template <typename Fill>
std::string SongListJson(const Library& library, std::string_view formBody, Fill fill) {
    JsonPtr root(json_object_new_object());
    json_object* data = json_object_new_object();
    json_object* songList = json_object_new_array();
    for (SongId id : SongIdsFromForm(formBody)) {
        if (const Song* song = library.Find(id)) {
            json_object* entry = json_object_new_object();
            json_object_object_add(entry, "songId", json_object_new_int64(song->id));
            Add(entry, "songName", song->songName);
            Add(entry, "artistName", song->artistName);
            fill(*song, entry);
            json_object_array_add(songList, entry);
        }
    }
    json_object_object_add(data, "songList", songList);
    json_object_object_add(root.get(), "data", data);
    return ToText(root.get());
}

bool IsHostText(std::string_view host) {
    if (host.empty() || host.size() > 255) {
        return false;
    }
    return std::all_of(host.begin(), host.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == ':' || c == '[' || c == ']';
    });
}

} // namespace

std::vector<SongId> SongIdsFromForm(std::string_view formBody) {
    std::vector<SongId> ids;
    while (!formBody.empty()) {
        auto amp = formBody.find('&');
        std::string_view field = formBody.substr(0, amp);
        formBody = amp == std::string_view::npos ? std::string_view() : formBody.substr(amp + 1);
        auto equals = field.find('=');
        if (equals == std::string_view::npos ||
            DecodeFormText(field.substr(0, equals)) != "songIds") {
            continue;
        }
        std::string value = DecodeFormText(field.substr(equals + 1));
        std::string_view rest = value;
        while (!rest.empty() && ids.size() < 100) {
            auto comma = rest.find(',');
            SongId id = 0;
            if (ParseId(rest.substr(0, comma), id)) {
                ids.push_back(id);
            }
            rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        }
    }
    return ids;
}

std::string BaseUrl(std::string_view hostHeader, std::string_view fallbackHost) {
    return "http://" + std::string(IsHostText(hostHeader) ? hostHeader : fallbackHost);
}

std::string AudioPath(SongId id) {
    return "/file/" + std::to_string(id) + ".mp3";
}

std::string LyricPath(SongId id) {
    return "/file/" + std::to_string(id) + ".lrc";
}

std::string CoverPath(const Song& song) {
    return "/file/" + std::to_string(song.id) + "." + std::string(ImageExtension(song.coverType));
}

std::string PlaylistJson(const Library& library, std::string_view playlistId,
                         std::mt19937& random) {
    std::vector<SongId> ids;
    constexpr std::string_view prefix = "public_";
    if (playlistId.starts_with(prefix)) {
        ids = library.ChannelSongs(playlistId.substr(prefix.size()));
    }
    std::shuffle(ids.begin(), ids.end(), random);
    JsonPtr root(json_object_new_object());
    json_object* list = json_object_new_array();
    for (SongId id : ids) {
        json_object* entry = json_object_new_object();
        json_object_object_add(entry, "id", json_object_new_int64(id));
        json_object_array_add(list, entry);
    }
    json_object_object_add(root.get(), "list", list);
    return ToText(root.get());
}

std::string SongLinkJson(const Library& library, std::string_view formBody,
                         std::string_view baseUrl) {
    return SongListJson(library, formBody, [&](const Song& song, json_object* entry) {
        Add(entry, "lrcLink", song.lyricFile ? LyricPath(song.id) : std::string());
        json_object* mp3 = json_object_new_object();
        Add(mp3, "songLink", std::string(baseUrl) + AudioPath(song.id));
        json_object* formats = json_object_new_object();
        json_object_object_add(formats, "mp3", mp3);
        json_object_object_add(entry, "format_arr", formats);
    });
}

std::string SongInfoJson(const Library& library, std::string_view formBody,
                         std::string_view baseUrl) {
    return SongListJson(library, formBody, [&](const Song& song, json_object* entry) {
        std::string picture = song.coverType == ImageType::None
                                  ? std::string()
                                  : std::string(baseUrl) + CoverPath(song);
        Add(entry, "songPicSmall", picture);
        Add(entry, "songPicRadio", picture);
        Add(entry, "songPicBig", picture);
    });
}

} // namespace station_server
