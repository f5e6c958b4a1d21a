#include "lyrics/LyricParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct ParseCase {
    const char* name;
    std::string input;
    LyricSheet expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

LyricSheet Lines(std::vector<LyricLine> lines) {
    return LyricSheet{.lines = std::move(lines)};
}

// "闂" is 0xE9 0x5B in code page 936: its second byte is "[".
const std::string kBracketTrail = "\xE9\x5B";
// "咗" ends in 0x41 ("A"), which must not be lower-cased.
const std::string kUpperTrail = "\x86\x41";

const ParseCase kParseCases[] = {
    {"headers and lines, last line runs to the end",
     "[ti:Song]\r\n[ar:Someone]\r\n[00:01.00]Hello World\r\n[00:05.50]Bye",
     LyricSheet{.artist = "someone",
                .title = "song",
                .lines = {{"00:01.00", "hello world"}, {"00:05.50", "bye"}}}},
    {"a group of tags shares one text", "[00:10.00][01:20.00]Chorus",
     Lines({{"00:10.00", "chorus"}, {"01:20.00", "chorus"}})},
    {"offset is stored as written", "[offset:+500]", LyricSheet{.offset = "+500"}},
    {"header value is what follows the last colon", "[ti:A: B]", LyricSheet{.title = " b"}},
    {"album and author", "[al:Disc][by:Maker]", LyricSheet{.album = "disc", .author = "maker"}},
    {"a later header overwrites an earlier one", "[ti:one][ti:two]", LyricSheet{.title = "two"}},
    {"a header without a colon keeps the whole tag", "[title]", LyricSheet{.title = "title"}},
    {"lone line feeds stay in the text", "[00:01.00]a\n[00:02.00]b\n",
     Lines({{"00:01.00", "a\n"}, {"00:02.00", "b\n"}})},
    {"text before the first tag and after headers is ignored",
     "junk[ar:x]more junk[00:01.00] spaced ",
     LyricSheet{.artist = "x", .lines = {{"00:01.00", " spaced "}}}},
    {"an unknown tag becomes a line", "[la:zh]", Lines({{"la:zh", ""}})},
    {"no tags at all", "just words\r\n", LyricSheet{}},
    {"empty text", "", LyricSheet{}},
    {"an unclosed tag stops the parse, keeping what came before",
     "[00:01.00]one[00:02.00]two[00:03", Lines({{"00:01.00", "one"}, {"00:02.00", "two"}})},
    {"an unclosed tag inside a group ends it with an empty text", "[00:01.00][00:02",
     Lines({{"00:01.00", ""}})},
    {"a double-byte character whose second byte is [ is text, not a tag",
     "[00:01.00]" + kBracketTrail + "x]", Lines({{"00:01.00", kBracketTrail + "x]"}})},
    {"second bytes of double-byte characters are not lower-cased",
     "[00:01.00]" + kUpperTrail + "AB", Lines({{"00:01.00", kUpperTrail + "ab"}})},
};

class ParseLyricsTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseLyricsTest, GivesTheExpectedSheet) {
    std::string text = GetParam().input;
    const LyricSheet sheet = ParseLyrics(text);
    const LyricSheet& want = GetParam().expected;
    EXPECT_EQ(sheet.artist, want.artist);
    EXPECT_EQ(sheet.title, want.title);
    EXPECT_EQ(sheet.album, want.album);
    EXPECT_EQ(sheet.author, want.author);
    EXPECT_EQ(sheet.offset, want.offset);
    ASSERT_EQ(sheet.lines.size(), want.lines.size());
    for (std::size_t i = 0; i < want.lines.size(); ++i) {
        EXPECT_EQ(sheet.lines[i].time, want.lines[i].time) << "line " << i + 1;
        EXPECT_EQ(sheet.lines[i].text, want.lines[i].text) << "line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseLyricsTest, testing::ValuesIn(kParseCases));

TEST(ParseLyrics, ReplacesTheCallersTextByItsPreparedForm) {
    std::string text = "[Ti:ABC]\r\nX\nY";
    ParseLyrics(text);
    EXPECT_EQ(text, "[ti:abc]x\ny");
}

struct LookupCase {
    const char* name;
    int minutes;
    int seconds;
    int expected;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
    *os << c.name;
}

const LookupCase kLookupCases[] = {
    {"the first line of a second wins", 0, 12, 2},
    {"a second without a line", 0, 13, 0},
    {"minutes count", 1, 2, 4},
    {"the offset header does not shift times", 0, 1, 1},
    {"a malformed tag reads as 0:00", 0, 0, 5},
};

class FindLyricLineTest : public testing::TestWithParam<LookupCase> {};

TEST_P(FindLyricLineTest, FindsTheLineOfTheSecond) {
    std::string text = "[offset:+500][00:01.00]a[00:12.30]b[00:12.80]c[01:02.99]d[xx]e";
    const LyricSheet sheet = ParseLyrics(text);
    EXPECT_EQ(FindLyricLine(sheet, GetParam().minutes, GetParam().seconds), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, FindLyricLineTest, testing::ValuesIn(kLookupCases));

TEST(FindLyricLine, EmptySheetFindsNothing) {
    EXPECT_EQ(FindLyricLine(LyricSheet{}, 0, 0), 0);
}

TEST(FindLyricLine, InitialSheetAnswersOnlyTheFirstSecond) {
    const LyricSheet initial = LyricSheet::Initial();
    EXPECT_EQ(FindLyricLine(initial, 0, 0), 1);
    EXPECT_EQ(FindLyricLine(initial, 0, 1), 0);
}

TEST(FindLyricLine, ShortAndOddTimesDoNotReadOutOfBounds) {
    std::string text = "[1][1:2][-1:-2][99999999999:00]";
    const LyricSheet sheet = ParseLyrics(text);
    EXPECT_EQ(FindLyricLine(sheet, 1, 0), 1);
    EXPECT_EQ(FindLyricLine(sheet, -1, -2), 3);
}

} // namespace
