#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "server/Library.h"

namespace station_server {

// The JSON answers of the station web API. Every answer is well-formed JSON in
// UTF-8, also for unknown channels and ids.

// {"list":[{"id":123},...]} for a playlist id "public_<channel>", in a fresh
// random order, as a radio would play it.
std::string PlaylistJson(const Library& library, std::string_view playlistId, std::mt19937& random);

// {"data":{"songList":[{songName, artistName, lrcLink, format_arr.mp3.songLink},...]}}
// for the ids of a "songIds=..." form body. baseUrl is "http://host:port".
std::string SongLinkJson(const Library& library, std::string_view formBody,
                         std::string_view baseUrl);

// {"data":{"songList":[{songName, artistName, songPicSmall, songPicRadio, songPicBig},...]}}
std::string SongInfoJson(const Library& library, std::string_view formBody,
                         std::string_view baseUrl);

// The song ids of the form field "songIds" (comma-separated); anything that is
// not a valid id is left out.
std::vector<SongId> SongIdsFromForm(std::string_view formBody);

// "http://" + the Host header when it is a plain host[:port], else fallbackHost.
std::string BaseUrl(std::string_view hostHeader, std::string_view fallbackHost);

// The paths under which the files of a song are served.
std::string AudioPath(SongId id);
std::string LyricPath(SongId id);
std::string CoverPath(const Song& song);

} // namespace station_server
