#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "server/ImageType.h"

namespace station_server {

using SongId = std::uint32_t; // 1 .. 2^31-1

struct Song {
    SongId id = 0;
    std::string channel;
    std::string relativePath; // to the library root, generic form, for the id
    std::filesystem::path audioFile;
    std::optional<std::filesystem::path> lyricFile;
    std::optional<std::filesystem::path> coverFile; // a picture file beside the song
    ImageType coverType = ImageType::None;          // of coverFile or else the tag picture
    std::string songName;                           // UTF-8
    std::string artistName;                         // UTF-8
};

// The songs of a music folder, scanned once: one subfolder per channel id,
// holding MP3 files at any depth. Files are only ever reached through this
// index, by id, so nothing outside the folder can be served.
class Library {
public:
    // Scans root; an unreadable or missing channel folder gives an empty channel.
    static Library Scan(const std::filesystem::path& root);

    const std::filesystem::path& Root() const { return root_; }
    const Song* Find(SongId id) const;
    // The ids of a channel in path order; empty for an unknown channel.
    std::vector<SongId> ChannelSongs(std::string_view channel) const;
    size_t Size() const { return songs_.size(); }

    // A positive id below 2^31 from the path relative to the library root.
    static SongId IdForPath(std::string_view relativePath);

    // True when file, with every link resolved, lies inside the library root.
    bool Contains(const std::filesystem::path& file) const;

private:
    // The lyric file and cover picture that belong to a song beside its file.
    void FindNeighbours(const std::filesystem::path& audioFile, Song& song) const;

    std::filesystem::path root_; // canonical
    std::map<SongId, Song> songs_;
    std::map<std::string, std::vector<SongId>, std::less<>> channels_;
};

} // namespace station_server
