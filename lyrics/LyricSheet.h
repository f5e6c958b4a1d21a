#pragma once

#include <string>
#include <vector>

// One time tag of a lyric file and the text that follows it. `time` is the
// tag as written ("01:02.50"); lookups read minute and second out of it.
struct LyricLine {
    std::string time;
    std::string text;
};

// The parsed lyrics of one song: header tags and the time-tagged lines in
// the order of the file. All texts are code page 936.
struct LyricSheet {
    std::string artist;
    std::string title;
    std::string album;
    std::string author;
    std::string offset; // kept as written; never applied to the times
    std::vector<LyricLine> lines;

    // The sheet the program holds before any lyrics arrive: empty headers and
    // one line whose time and text are empty.
    static LyricSheet Initial() { return LyricSheet{.lines = {LyricLine{}}}; }
};
