#include "server/Library.h"

#include <algorithm>
#include <array>
#include <fstream>

#include "server/Channels.h"
#include "server/SongTags.h"
#include "server/Utf8.h"

namespace station_server {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

ImageType SniffFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::array<char, 16> head{};
    in.read(head.data(), head.size());
    return SniffImageType(std::string_view(head.data(), static_cast<size_t>(in.gcount())));
}

struct Candidate {
    std::string relativePath;
    std::string channel;
    fs::path path;     // as found in the folder, for its neighbours
    fs::path resolved; // canonical
};

// "Artist - Title.mp3" gives both names; any other file name is the title.
void NamesFromFileName(const fs::path& file, Song& song) {
    std::string stem = file.stem().string();
    auto dash = stem.find(" - ");
    if (dash != std::string::npos && dash > 0 && dash + 3 < stem.size()) {
        if (song.artistName.empty()) {
            song.artistName = stem.substr(0, dash);
        }
        if (song.songName.empty()) {
            song.songName = stem.substr(dash + 3);
        }
    } else if (song.songName.empty()) {
        song.songName = stem;
    }
}

} // namespace

SongId Library::IdForPath(std::string_view relativePath) {
    std::uint32_t hash = 2166136261u; // FNV-1a: stable across runs and platforms
    for (unsigned char c : relativePath) {
        hash = (hash ^ c) * 16777619u;
    }
    hash &= 0x7FFFFFFFu;
    return hash == 0 ? 1 : hash;
}

bool Library::Contains(const fs::path& file) const {
    std::error_code ec;
    fs::path resolved = fs::canonical(file, ec);
    if (ec) {
        return false;
    }
    auto [rootEnd, fileIt] =
        std::mismatch(root_.begin(), root_.end(), resolved.begin(), resolved.end());
    return rootEnd == root_.end() && fileIt != resolved.end();
}

Library Library::Scan(const fs::path& root) {
    Library library;
    std::error_code ec;
    library.root_ = fs::canonical(root, ec);
    if (ec) {
        return library;
    }
    std::vector<Candidate> candidates;
    for (auto channel : kChannelIds) {
        library.channels_[std::string(channel)];
        fs::path folder = library.root_ / channel;
        if (!fs::is_directory(folder, ec)) {
            continue;
        }
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied,
                                            ec);
        for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            const fs::path& path = it->path();
            std::error_code fileEc;
            if (Lower(path.extension().string()) != ".mp3" || !it->is_regular_file(fileEc) ||
                !library.Contains(path)) {
                continue;
            }
            candidates.push_back({path.lexically_relative(library.root_).generic_string(),
                                  std::string(channel), path, fs::canonical(path, fileEc)});
        }
        ec.clear();
    }
    // Sorted first, so that colliding hashes are settled the same way on every scan.
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.relativePath < b.relativePath;
    });
    for (auto& candidate : candidates) {
        Song song;
        song.id = IdForPath(candidate.relativePath);
        while (library.songs_.contains(song.id)) {
            song.id = song.id % 0x7FFFFFFFu + 1;
        }
        song.channel = candidate.channel;
        song.relativePath = candidate.relativePath;
        song.audioFile = candidate.resolved;
        library.FindNeighbours(candidate.path, song);
        SongTags tags = ReadSongTags(song.audioFile);
        song.songName = tags.title;
        song.artistName = tags.artist;
        NamesFromFileName(candidate.path, song);
        song.songName = SanitizeUtf8(song.songName);
        song.artistName = SanitizeUtf8(song.artistName);
        if (!song.coverFile && tags.hasPicture) {
            song.coverType = SniffImageType(ReadEmbeddedPicture(song.audioFile).substr(0, 16));
        }
        library.channels_[song.channel].push_back(song.id);
        library.songs_.emplace(song.id, std::move(song));
    }
    return library;
}

void Library::FindNeighbours(const fs::path& audioFile, Song& song) const {
    fs::path folder = audioFile.parent_path();
    std::string stem = audioFile.stem().string();
    auto usable = [&](const fs::path& file) {
        std::error_code ec;
        return fs::is_regular_file(file, ec) && Contains(file);
    };
    for (const char* ext : {".lrc", ".LRC", ".Lrc"}) {
        fs::path lyric = folder / (stem + ext);
        if (usable(lyric)) {
            song.lyricFile = fs::canonical(lyric);
            break;
        }
    }
    std::vector<std::string> pictureNames;
    for (const std::string& base : {stem, std::string("cover"), std::string("Cover"),
                                    std::string("folder"), std::string("Folder")}) {
        for (const char* ext : {".jpg", ".jpeg", ".png", ".gif", ".JPG", ".JPEG", ".PNG", ".GIF"}) {
            pictureNames.push_back(base + ext);
        }
    }
    for (const auto& name : pictureNames) {
        fs::path picture = folder / name;
        if (!usable(picture)) {
            continue;
        }
        ImageType type = SniffFile(picture);
        if (type != ImageType::None) {
            song.coverFile = fs::canonical(picture);
            song.coverType = type;
            return;
        }
    }
}

const Song* Library::Find(SongId id) const {
    auto it = songs_.find(id);
    return it == songs_.end() ? nullptr : &it->second;
}

std::vector<SongId> Library::ChannelSongs(std::string_view channel) const {
    auto it = channels_.find(channel);
    return it == channels_.end() ? std::vector<SongId>{} : it->second;
}

} // namespace station_server
