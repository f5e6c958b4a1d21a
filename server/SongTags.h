#pragma once

#include <filesystem>
#include <string>

namespace station_server {

// What the ID3 tags of an MP3 file say; empty texts where a tag is missing.
struct SongTags {
    std::string title;  // UTF-8
    std::string artist; // UTF-8
    bool hasPicture = false;
};

SongTags ReadSongTags(const std::filesystem::path& file);

// The bytes of the first attached picture of the file's ID3v2 tag (front cover
// preferred), or empty.
std::string ReadEmbeddedPicture(const std::filesystem::path& file);

struct TagsToWrite {
    std::string title;  // UTF-8
    std::string artist; // UTF-8
    std::string album;  // UTF-8
    std::string picture;
    std::string pictureMimeType;
};

// Replaces the file's tags by an ID3v2.4 tag; false when the file could not be
// written.
bool WriteSongTags(const std::filesystem::path& file, const TagsToWrite& tags);

} // namespace station_server
