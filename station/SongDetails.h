#pragma once

#include <string>

// What the station tells about one song; texts in the program's code page.
struct SongDetails {
    std::string songName;
    std::string artistName;
    std::string streamUrl;
    std::string pictureBytes; // the cover file as downloaded, possibly empty
};
