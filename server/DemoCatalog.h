#pragma once

#include <array>
#include <string>
#include <vector>

#include "server/ImageType.h"

namespace station_server {

// One song of the generated demo library: its names, lyrics and the musical
// traits that make it sound unlike its neighbours.
struct DemoSong {
    int number = 0; // 1-based across the whole library
    std::string channel;
    std::string title;                     // UTF-8
    std::string artist;                    // UTF-8
    std::string album;                     // UTF-8
    std::array<std::string, 4> lyricLines; // sung in turn, one per phrase
    int rootNote = 60;                     // MIDI note of the key
    int beatsPerMinute = 100;
    bool triangleLead = false; // else a sine lead
    ImageType coverType = ImageType::Jpeg;
    unsigned seed = 1;

    // "07 标题" : the file name without extension, inside the channel folder.
    std::string FileStem() const;
};

// Three songs for each channel, the same on every run.
std::vector<DemoSong> DemoCatalog();

} // namespace station_server
