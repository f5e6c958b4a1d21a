#include "station/StationJson.h"

#include <json-c/json.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TextCase {
    const char* json;
    const char* text;
};

TEST(MemberText, IsTheJsonTextJsonCWritesWithEverySlashEscaped) {
    const TextCase cases[] = {
        {"123", "123"},
        {"-7", "-7"},
        {"\"77\"", "\"77\""},
        {"\"A/B\"", "\"A\\/B\""},
        {"\"say \\\"hi\\\"\"", "\"say \\\"hi\\\"\""},
        {"\"\\u4e2d\"", "\"\xe4\xb8\xad\""},
        {"\"\"", "\"\""},
        {"1.5", "1.500000"},
        {"2e3", "2000.000000"},
        {"true", "true"},
        {"null", "null"},
    };
    for (const TextCase& c : cases) {
        std::unique_ptr<json_object, decltype(&json_object_put)> value(json_tokener_parse(c.json),
                                                                       json_object_put);
        EXPECT_EQ(MemberText(value.get()), c.text) << c.json;
    }
}

TEST(MemberText, NoValueReadsAsNull) {
    EXPECT_EQ(MemberText(nullptr), "null");
}

TEST(RemovalRules, NamesLoseQuotesAndLinksAlsoBackslashes) {
    EXPECT_EQ(WithoutQuotes("\"A\\/B \\\"x\\\"\""), "A\\/B \\x\\");
    EXPECT_EQ(WithoutQuotesAndBackslashes("\"http:\\/\\/h\\/a.mp3\""), "http://h/a.mp3");
    EXPECT_EQ(WithoutQuotesAndBackslashes("null"), "null");
}

struct PlaylistCase {
    const char* answer;
    SongIdList ids;
};

TEST(PlaylistAnswer, GivesTheIdTextsInOrder) {
    const PlaylistCase cases[] = {
        {R"({"list":[{"id":123},{"id":456}]})", {"123", "456"}},
        {R"({"list":[]})", {}},
        {R"({"other":1})", {}},
        {R"({"list":{"id":1}})", {}},
        {R"([1,2])", {}},
        {R"({"list":[{"id":1},{"name":"x"},7]})", {"1", "null", "null"}},
        {R"({"list":[{"id":"77"}]})", {"\"77\""}},
        {R"({"list":[{"id":null}]})", {"null"}},
        {"", {}},
        {"<html>busy</html>", {}},
        {R"({"list":[{"id":1})", {}},
    };
    for (const PlaylistCase& c : cases) {
        EXPECT_EQ(ReadPlaylist(c.answer), c.ids) << c.answer;
    }
}

TEST(SongLinkAnswer, NamesKeepEscapedSlashesAndLinksComeOutPlain) {
    const SongLinkAnswer song = ReadSongLink(R"({"data":{"songList":[{
        "songName":"A/B","artistName":"\u6797 \"Lin\"","lrcLink":"\/lrc\/1.lrc",
        "format_arr":{"mp3":{"songLink":"http:\/\/h:1\/file\/1.mp3"},
                      "m4a":{"songLink":"http://h:1/other.m4a"}}}]}})");
    EXPECT_EQ(song.songName, "A\\/B");
    EXPECT_EQ(song.artistName, "\xe6\x9e\x97 \\Lin\\");
    EXPECT_EQ(song.lyricLink, "/lrc/1.lrc");
    EXPECT_EQ(song.streamUrl, "http://h:1/file/1.mp3");
}

TEST(SongLinkAnswer, EveryTextIsNullWithoutAnAnswer) {
    for (const char* answer : {"", "not json", R"({"data":{"songList":[]}})",
                               R"({"data":{"songList":[{}]}})", R"({"data":[1]})"}) {
        const SongLinkAnswer song = ReadSongLink(answer);
        EXPECT_EQ(song.songName, "null") << answer;
        EXPECT_EQ(song.artistName, "null") << answer;
        EXPECT_EQ(song.lyricLink, "null") << answer;
        EXPECT_EQ(song.streamUrl, "null") << answer;
    }
}

TEST(SongLinkAnswer, OnlyTheFirstSongCounts) {
    const SongLinkAnswer song =
        ReadSongLink(R"({"data":{"songList":[{"songName":"one"},{"songName":"two"}]}})");
    EXPECT_EQ(song.songName, "one");
    EXPECT_EQ(song.streamUrl, "null");
}

struct PictureCase {
    const char* song;
    const char* link;
};

TEST(PictureLink, MovesOnOnlyFromTheEmptyText) {
    const PictureCase cases[] = {
        PictureCase{R"({"songPicSmall":"\/s.jpg","songPicRadio":"\/r.jpg","songPicBig":"\/b.jpg"})",
                    "/s.jpg"},
        PictureCase{R"({"songPicSmall":"","songPicRadio":"\/r.jpg","songPicBig":"\/b.jpg"})",
                    "/r.jpg"},
        PictureCase{R"({"songPicSmall":"","songPicRadio":"","songPicBig":"\/b.jpg"})", "/b.jpg"},
        PictureCase{R"({"songPicSmall":"","songPicRadio":"","songPicBig":""})", ""},
        PictureCase{R"({"songPicRadio":"\/r.jpg","songPicBig":"\/b.jpg"})", "null"},
        PictureCase{R"({"songPicSmall":null,"songPicRadio":"\/r.jpg"})", "null"},
        PictureCase{R"({"songPicSmall":"","songPicBig":"\/b.jpg"})", "null"},
    };
    for (const PictureCase& c : cases) {
        const std::string answer = std::string(R"({"data":{"songList":[)") + c.song + "]}}";
        EXPECT_EQ(ReadPictureLink(answer), c.link) << c.song;
    }
}

TEST(PictureLink, IsNullWithoutAnAnswer) {
    EXPECT_EQ(ReadPictureLink(""), "null");
}

} // namespace
