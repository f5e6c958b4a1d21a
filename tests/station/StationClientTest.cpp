#include "station/StationClient.h"
#include "station/StationRoot.h"

#include "tests/support/LoopbackHttpServer.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

namespace {

using testing_support::HttpConnection;
using testing_support::HttpRequest;
using testing_support::LoopbackHttpServer;

// A station whose answers are fixed per path (the query is not part of it).
// "{root}" in an answer stands for the station's own address, its slashes
// escaped as the real station's JSON writer does.
class FixtureStation {
public:
    explicit FixtureStation(
        std::initializer_list<std::pair<const std::string, std::string>> answers)
        : answers_(answers), server_([this](const HttpRequest& request, HttpConnection& c) {
              const std::string path = request.target.substr(0, request.target.find('?'));
              const auto answer = answers_.find(path);
              if (answer == answers_.end()) {
                  c.Respond(404, "");
                  return;
              }
              const std::string root = std::regex_replace(server_.Url(""), std::regex("/"), "\\/");
              c.Respond(200, std::regex_replace(answer->second, std::regex("\\{root\\}"), root));
          }) {
        SetStationRoot(server_.Url(""));
    }
    FixtureStation(const FixtureStation&) = delete;
    FixtureStation& operator=(const FixtureStation&) = delete;
    ~FixtureStation() { SetStationRoot(std::string(kDefaultStationRoot)); }

    std::vector<HttpRequest> Requests() const { return server_.Requests(); }

private:
    const std::map<std::string, std::string> answers_;
    LoopbackHttpServer server_;
};

// "林小溪" and "晴空之下" in UTF-8, as the station sends them, and in code page 936.
const std::string kArtistUtf8 = "\xe6\x9e\x97\xe5\xb0\x8f\xe6\xba\xaa";
const std::string kArtist936 = "\xc1\xd6\xd0\xa1\xcf\xaa";
const std::string kTitleUtf8 = "\xe6\x99\xb4\xe7\xa9\xba\xe4\xb9\x8b\xe4\xb8\x8b";
const std::string kTitle936 = "\xc7\xe7\xbf\xd5\xd6\xae\xcf\xc2";

TEST(FetchPlaylist, WithoutAChannelFetchesTheDefaultOneAndWritesItBack) {
    FixtureStation station({{"/dev/api/", R"({"list":[{"id":123},{"id":456}]})"}});
    std::optional<std::string> channel;
    SongIdList list = {"stale"};
    EXPECT_EQ(FetchPlaylist(channel, list), 2);
    EXPECT_EQ(channel, "fengge_liuxing");
    EXPECT_EQ(list, (SongIdList{"123", "456"}));

    const std::vector<HttpRequest> seen = station.Requests();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].method, "GET");
    EXPECT_TRUE(std::regex_match(
        seen[0].target,
        std::regex(R"(/dev/api/\?tn=playlist&id=public_fengge_liuxing&hashcode=&_=\d{13})")))
        << seen[0].target;
    EXPECT_EQ(seen[0].body, "");
}

TEST(FetchPlaylist, AGivenChannelIsFetchedAndKept) {
    FixtureStation station({{"/dev/api/", R"({"list":[{"id":"77"},{"name":"no id"}]})"}});
    std::optional<std::string> channel = "tuijian_rege";
    SongIdList list;
    EXPECT_EQ(FetchPlaylist(channel, list), 2);
    EXPECT_EQ(channel, "tuijian_rege");
    EXPECT_EQ(list, (SongIdList{"\"77\"", "null"})) << "a string id keeps its quotes";
    ASSERT_EQ(station.Requests().size(), 1u);
    EXPECT_TRUE(station.Requests()[0].target.starts_with(
        "/dev/api/?tn=playlist&id=public_tuijian_rege&hashcode=&_="));
}

TEST(FetchPlaylist, EmptiesTheListWhenTheAnswerHasNoIds) {
    for (const char* answer : {R"({"list":[]})", R"({"songs":[{"id":1}]})", "", "<html>"}) {
        FixtureStation station({{"/dev/api/", answer}});
        std::optional<std::string> channel = "fengge_dj";
        SongIdList list = {"1", "2"};
        EXPECT_EQ(FetchPlaylist(channel, list), 0) << answer;
        EXPECT_TRUE(list.empty()) << answer;
    }
}

TEST(FetchPlaylist, AnUnreachableStationGivesAnEmptyList) {
    SetStationRoot("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::UnusedPort()));
    std::optional<std::string> channel;
    SongIdList list = {"1"};
    EXPECT_EQ(FetchPlaylist(channel, list), 0);
    EXPECT_TRUE(list.empty());
    SetStationRoot(std::string(kDefaultStationRoot));
}

constexpr const char* kSongLinkTail = "&hq=0&type=m4a%2Cmp3&rate=&pt=0&flag=1&s2p=29&prerate=128"
                                      "&bwt=15&dur=328000&bat=15&bp=45&pos=14743&auto=0";

const std::string kPicture("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16);

std::string SongLinkAnswer(const std::string& lrcLink) {
    return R"({"data":{"songList":[{"songName":"A/B )" + kTitleUtf8 + R"(","artistName":")" +
           kArtistUtf8 + R"(","lrcLink":")" + lrcLink +
           R"(","format_arr":{"mp3":{"songLink":"http:\/\/media.test\/file\/1.mp3"},)"
           R"("m4a":{"songLink":"http:\/\/media.test\/file\/1.m4a"}}}]}})";
}

TEST(FetchSongDetails, ResolvesASongThroughItsRequests) {
    FixtureStation station({
        {"/data/music/songlink", SongLinkAnswer("\\/lrc\\/1.lrc")},
        {"/lrc/1.lrc", "[ti:" + kTitleUtf8 + "]\r\n[00:01.50]" + kArtistUtf8 + "\r\n"},
        {"/data/music/songinfo",
         R"({"data":{"songList":[{"songPicSmall":"",)"
         R"("songPicRadio":"{root}\/pic\/r.png","songPicBig":"{root}\/pic\/b.png"}]}})"},
        {"/pic/r.png", kPicture},
        {"/pic/b.png", "big"},
    });
    SongDetails details{.songName = "old", .pictureBytes = "old"};
    LyricSheet sheet = LyricSheet::Initial();
    FetchSongDetails("123", details, sheet);

    EXPECT_EQ(details.songName, "A\\/B " + kTitle936) << "only the quotes leave a name";
    EXPECT_EQ(details.artistName, kArtist936);
    EXPECT_EQ(details.streamUrl, "http://media.test/file/1.mp3");
    EXPECT_EQ(details.pictureBytes, kPicture) << "the radio picture after an empty small one";
    EXPECT_EQ(sheet.title, kTitle936);
    ASSERT_EQ(sheet.lines.size(), 1u);
    EXPECT_EQ(sheet.lines[0].time, "00:01.50");
    EXPECT_EQ(sheet.lines[0].text, kArtist936);

    const std::vector<HttpRequest> seen = station.Requests();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].method, "POST");
    EXPECT_EQ(seen[0].target, "/data/music/songlink");
    EXPECT_EQ(seen[0].body, std::string("songIds=123") + kSongLinkTail);
    EXPECT_EQ(seen[1].method, "GET");
    EXPECT_EQ(seen[1].target, "/lrc/1.lrc") << "the lyric link is a path on the station";
    EXPECT_EQ(seen[2].method, "POST");
    EXPECT_EQ(seen[2].target, "/data/music/songinfo");
    EXPECT_EQ(seen[2].body, "songIds=123");
    EXPECT_EQ(seen[3].method, "GET");
    EXPECT_EQ(seen[3].target, "/pic/r.png");
}

TEST(FetchSongDetails, AMissingSmallPictureIsNullAndNoOtherSizeIsTried) {
    FixtureStation station({
        {"/data/music/songlink", SongLinkAnswer("")},
        {"/data/music/songinfo",
         R"({"data":{"songList":[{"songPicRadio":"{root}\/pic\/r.png"}]}})"},
        {"/pic/r.png", kPicture},
    });
    SongDetails details{.pictureBytes = "old"};
    LyricSheet sheet = LyricSheet::Initial();
    FetchSongDetails("9", details, sheet);
    EXPECT_EQ(details.pictureBytes, "");
    EXPECT_TRUE(sheet.lines.empty()) << "an empty lyric link gives a sheet without lines";
    const std::vector<HttpRequest> seen = station.Requests();
    ASSERT_EQ(seen.size(), 2u) << "neither the empty lyric link nor \"null\" reach the station";
    EXPECT_EQ(seen[0].target, "/data/music/songlink");
    EXPECT_EQ(seen[1].target, "/data/music/songinfo");
}

// What every failed details fetch leaves: "null" texts, no picture, no lyrics.
void ExpectNoSongFound(const SongDetails& details, const LyricSheet& sheet) {
    EXPECT_EQ(details.songName, "null");
    EXPECT_EQ(details.artistName, "null");
    EXPECT_EQ(details.streamUrl, "null");
    EXPECT_EQ(details.pictureBytes, "");
    EXPECT_TRUE(sheet.lines.empty());
}

TEST(FetchSongDetails, AnswersThatAreNotJsonGiveNullTexts) {
    FixtureStation station({{"/data/music/songlink", "busy"}, {"/data/music/songinfo", "busy"}});
    SongDetails details{.songName = "a", .artistName = "b", .streamUrl = "c", .pictureBytes = "d"};
    LyricSheet sheet = LyricSheet::Initial();
    FetchSongDetails("1", details, sheet);
    ExpectNoSongFound(details, sheet);
}

TEST(FetchSongDetails, AnUnreachableStationGivesNullTextsAndNoPicture) {
    SetStationRoot("http://127.0.0.1:" + std::to_string(LoopbackHttpServer::UnusedPort()));
    SongDetails details{.songName = "a", .artistName = "b", .streamUrl = "c", .pictureBytes = "d"};
    LyricSheet sheet = LyricSheet::Initial();
    FetchSongDetails("1", details, sheet);
    ExpectNoSongFound(details, sheet);
    SetStationRoot(std::string(kDefaultStationRoot));
}

} // namespace
