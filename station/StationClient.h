#pragma once
// The calls of the station's web API. Both block the calling thread until
// every request is answered or has timed out; failures show only as the
// documented "null", empty or zero values.

#include "lyrics/LyricSheet.h"
#include "station/SongDetails.h"
#include "station/SongIdList.h"

#include <optional>
#include <string>

inline constexpr const char* kDefaultChannel = "fengge_liuxing";

// Replaces the list by the channel's song ids and returns their number. Without
// a channel the default channel is fetched and written back.
int FetchPlaylist(std::optional<std::string>& channel, SongIdList& list);

// Replaces the details by the song's names, stream link and cover bytes, and
// the sheet by the song's parsed lyrics.
void FetchSongDetails(const std::string& songId, SongDetails& details, LyricSheet& sheet);
