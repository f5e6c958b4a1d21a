#pragma once

#include "lyrics/LyricSheet.h"

#include <string>

// Parses an LRC text. The caller's text is replaced by its prepared form:
// carriage-return-line-feed pairs removed and ASCII letters lower-cased.
LyricSheet ParseLyrics(std::string& text);

// The 1-based index of the first line tagged with this minute and second
// (the fraction of the tag is ignored), or 0 when there is none.
int FindLyricLine(const LyricSheet& sheet, int minutes, int seconds);
