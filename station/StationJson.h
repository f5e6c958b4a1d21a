#pragma once
// Reading the station's JSON answers, free of the platform. Values are read
// as the JSON text json-c writes for them, so a string keeps its quotes and
// json-c's escapes (every slash among them) until a removal rule drops them.

#include "station/SongIdList.h"

#include <string>
#include <string_view>

struct json_object;

// The JSON text of a value: a string in quotes and escaped, an integer in
// decimal digits, a fractional number with six decimals; "null" for JSON
// null or no value at all.
std::string MemberText(const json_object* value);

// Every double quote removed: the rule for names.
std::string WithoutQuotes(std::string_view text);

// Every double quote, then every backslash removed: the rule for links.
std::string WithoutQuotesAndBackslashes(std::string_view text);

// The "id" texts of the playlist answer's "list", unaltered.
SongIdList ReadPlaylist(std::string_view answer);

// The song-link answer's first song. Names keep the answer's UTF-8 bytes.
struct SongLinkAnswer {
    std::string songName;
    std::string artistName;
    std::string lyricLink;
    std::string streamUrl;
};
SongLinkAnswer ReadSongLink(std::string_view answer);

// The cover link of the song-info answer's first song: the small picture,
// and the next size only while the link read so far is the empty text.
std::string ReadPictureLink(std::string_view answer);
