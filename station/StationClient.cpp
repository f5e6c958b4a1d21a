#include "station/StationClient.h"

#include "common/CodePage.h"
#include "lyrics/LyricParser.h"
#include "station/StationJson.h"
#include "station/StationRoot.h"
#include "station/Timestamp.h"
#include "station/WebRequest.h"

namespace {

// The player's fixed song-link query after the id.
constexpr const char* kSongLinkTail = "&hq=0&type=m4a%2Cmp3&rate=&pt=0&flag=1&s2p=29&prerate=128"
                                      "&bwt=15&dur=328000&bat=15&bp=45&pos=14743&auto=0";

} // namespace

int FetchPlaylist(std::optional<std::string>& channel, SongIdList& list) {
    list.clear();
    if (!channel) {
        channel = kDefaultChannel;
    }
    WebExchange playlist{.url = StationRoot() + "/dev/api/?tn=playlist&id=public_" + *channel +
                                "&hashcode=&_=" + GetTimestamp()};
    list = ReadPlaylist(WebRequestText(playlist));
    return static_cast<int>(list.size());
}

void FetchSongDetails(const std::string& songId, SongDetails& details, LyricSheet& sheet) {
    WebExchange songLink{.url = StationRoot() + "/data/music/songlink",
                         .method = "POST",
                         .body = "songIds=" + songId + kSongLinkTail};
    SongLinkAnswer song = ReadSongLink(WebRequestText(songLink));
    // The answer is UTF-8; the program's texts are code page 936.
    details.songName = Utf8ToProgramText(song.songName);
    details.artistName = Utf8ToProgramText(song.artistName);
    details.streamUrl = std::move(song.streamUrl);

    WebExchange lyrics{.url =
                           song.lyricLink.empty() ? std::string() : StationRoot() + song.lyricLink};
    std::string lyricText = WebRequestUtf8Text(lyrics);
    sheet = ParseLyrics(lyricText);

    WebExchange songInfo{.url = StationRoot() + "/data/music/songinfo",
                         .method = "POST",
                         .body = "songIds=" + songId};
    WebExchange picture{.url = ReadPictureLink(WebRequestText(songInfo))};
    details.pictureBytes = WebRequest(picture);
}
