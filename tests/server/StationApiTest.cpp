#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

#include "server/Channels.h"
#include "server/DemoCatalog.h"
#include "server/MelodySynth.h"
#include "server/Mp3Encoder.h"
#include "server/Utf8.h"
#include "tests/server/ServerTestSupport.h"

namespace station_server::test {
namespace {

namespace fs = std::filesystem;

const std::string kSongLinkTail = "&hq=0&type=m4a%2Cmp3&rate=&pt=0&flag=1&s2p=29&prerate=128&bwt="
                                  "15&dur=328000&bat=15&bp=45&pos=14743&auto=0";

std::vector<long long> PlaylistIds(const RunningServer& server, const std::string& channel) {
    auto answer = server.Client().Get("/dev/api/?tn=playlist&id=public_" + channel +
                                      "&hashcode=&_=1700000000000");
    EXPECT_TRUE(answer && answer->status == 200) << channel;
    std::vector<long long> ids;
    if (!answer) {
        return ids;
    }
    Json root = ParseJson(answer->body);
    json_object* list = Member(root.get(), {"list"});
    EXPECT_TRUE(list != nullptr && json_object_is_type(list, json_type_array)) << answer->body;
    for (size_t i = 0; list != nullptr && i < json_object_array_length(list); ++i) {
        json_object* id = Member(json_object_array_get_idx(list, i), {"id"});
        EXPECT_TRUE(id != nullptr && json_object_is_type(id, json_type_int))
            << "ids must be JSON integers: " << answer->body;
        ids.push_back(json_object_get_int64(id));
    }
    return ids;
}

json_object* FirstSong(json_object* root) {
    json_object* list = Member(root, {"data", "songList"});
    if (list == nullptr || json_object_array_length(list) == 0) {
        return nullptr;
    }
    return json_object_array_get_idx(list, 0);
}

Json PostSongs(const RunningServer& server, const std::string& path, const std::string& body) {
    auto answer = server.Client().Post(path.c_str(), body, "application/x-www-form-urlencoded");
    EXPECT_TRUE(answer && answer->status == 200) << path << " " << body;
    return ParseJson(answer ? answer->body : "");
}

// A short untagged MP3 for libraries built by a test.
std::string PlainMp3() {
    std::vector<std::int16_t> silence(44100 * 2, 0);
    return EncodeMp3(silence, 44100);
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

TEST(StationApi, EveryChannelListsItsThreeDemoSongsAsIntegerIds) {
    RunningServer server(SharedDemoLibrary());
    for (auto channel : kChannelIds) {
        std::vector<long long> ids = PlaylistIds(server, std::string(channel));
        std::vector<SongId> expected = server.Songs().ChannelSongs(channel);
        ASSERT_EQ(ids.size(), 3u) << channel;
        std::sort(ids.begin(), ids.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_TRUE(std::equal(ids.begin(), ids.end(), expected.begin())) << channel;
        for (long long id : ids) {
            EXPECT_GT(id, 0);
            EXPECT_LT(id, 1LL << 31);
        }
    }
}

TEST(StationApi, IdsStayTheSameAcrossScansAndCopiesOfTheLibrary) {
    TempDir copy;
    fs::copy(SharedDemoLibrary(), copy.Path() / "music", fs::copy_options::recursive);
    Library first = Library::Scan(SharedDemoLibrary());
    Library again = Library::Scan(SharedDemoLibrary());
    Library copied = Library::Scan(copy.Path() / "music");
    ASSERT_EQ(first.Size(), 30u);
    for (auto channel : kChannelIds) {
        EXPECT_EQ(first.ChannelSongs(channel), again.ChannelSongs(channel)) << channel;
        EXPECT_EQ(first.ChannelSongs(channel), copied.ChannelSongs(channel)) << channel;
    }
}

TEST(StationApi, CollidingIdsAreSettledTheSameWayOnEveryScan) {
    // Distinct paths, one hash: the later path in sorted order moves on by one.
    std::set<SongId> seen;
    EXPECT_NE(Library::IdForPath("a"), Library::IdForPath("b"));
    for (std::string_view path : {"", "x", "fengge_dj/01.mp3"}) {
        SongId id = Library::IdForPath(path);
        EXPECT_GE(id, 1u);
        EXPECT_LE(id, 0x7FFFFFFFu);
        seen.insert(id);
    }
    EXPECT_EQ(seen.size(), 3u);
}

TEST(StationApi, PlaylistOrderIsShuffledPerRequest) {
    RunningServer server(SharedDemoLibrary());
    std::set<std::vector<long long>> orders;
    for (int i = 0; i < 30; ++i) {
        orders.insert(PlaylistIds(server, "fengge_dj"));
    }
    EXPECT_GT(orders.size(), 1u) << "thirty requests gave the same order every time";
}

TEST(StationApi, MissingChannelFolderOrUnknownChannelGivesEmptyList) {
    TempDir library;
    WriteBytes(library.Path() / "fengge_minyao" / "song.mp3", PlainMp3());
    RunningServer server(library.Path());
    EXPECT_EQ(PlaylistIds(server, "fengge_minyao").size(), 1u);
    for (auto channel : kChannelIds) {
        if (channel != "fengge_minyao") {
            EXPECT_TRUE(PlaylistIds(server, std::string(channel)).empty()) << channel;
        }
    }
    for (const char* query : {"/dev/api/?tn=playlist&id=public_nope", "/dev/api/?tn=playlist&id=",
                              "/dev/api/?tn=playlist", "/dev/api/?tn=playlist&id=fengge_minyao"}) {
        auto answer = server.Client().Get(query);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->body, R"({"list":[]})") << query;
    }
}

TEST(StationApi, SongLinkGivesTagNamesLyricLinkAndStreamLinkOnTheAddressedHost) {
    RunningServer server(SharedDemoLibrary());
    std::vector<DemoSong> catalog = DemoCatalog();
    for (SongId id : server.Songs().ChannelSongs("tuijian_kaiche")) {
        const Song* song = server.Songs().Find(id);
        ASSERT_NE(song, nullptr);
        auto demo = std::find_if(catalog.begin(), catalog.end(), [&](const DemoSong& entry) {
            return song->audioFile.stem() == entry.FileStem();
        });
        ASSERT_NE(demo, catalog.end());

        Json answer = PostSongs(server, "/data/music/songlink",
                                "songIds=" + std::to_string(id) + kSongLinkTail);
        json_object* entry = FirstSong(answer.get());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(StringMember(entry, "songName"), demo->title);
        EXPECT_EQ(StringMember(entry, "artistName"), demo->artist);
        std::string lrcLink = StringMember(entry, "lrcLink");
        EXPECT_EQ(lrcLink, "/file/" + std::to_string(id) + ".lrc");
        std::string songLink = StringMember(Member(entry, {"format_arr", "mp3"}), "songLink");
        EXPECT_EQ(songLink, server.BaseUrl() + "/file/" + std::to_string(id) + ".mp3");

        auto audio = server.Client().Get(songLink.substr(server.BaseUrl().size()));
        ASSERT_TRUE(audio);
        EXPECT_EQ(audio->get_header_value("Content-Type"), "audio/mpeg");
        EXPECT_TRUE(audio->body == ReadBytes(song->audioFile)) << "stream bytes differ";
        auto lyric = server.Client().Get(lrcLink);
        ASSERT_TRUE(lyric);
        EXPECT_EQ(lyric->get_header_value("Content-Type"), "text/plain; charset=utf-8");
        EXPECT_EQ(lyric->body, ReadBytes(*song->lyricFile));
        EXPECT_NE(lyric->body.find(demo->lyricLines[0]), std::string::npos);
    }
    // The link follows the name the client used for the station.
    SongId id = server.Songs().ChannelSongs("fengge_dj").front();
    auto answer =
        server.Client().Post("/data/music/songlink", httplib::Headers{{"Host", "localhost:8123"}},
                             "songIds=" + std::to_string(id), "application/x-www-form-urlencoded");
    ASSERT_TRUE(answer);
    Json root = ParseJson(answer->body);
    EXPECT_EQ(StringMember(Member(FirstSong(root.get()), {"format_arr", "mp3"}), "songLink"),
              "http://localhost:8123/file/" + std::to_string(id) + ".mp3");
}

TEST(StationApi, SongInfoGivesCoverLinksServedWithTheirPictureType) {
    RunningServer server(SharedDemoLibrary());
    std::set<std::string> types;
    for (SongId id : server.Songs().ChannelSongs("fengge_qingyinyue")) {
        Json answer = PostSongs(server, "/data/music/songinfo", "songIds=" + std::to_string(id));
        json_object* entry = FirstSong(answer.get());
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(StringMember(entry, "songName"), server.Songs().Find(id)->songName);
        std::string small = StringMember(entry, "songPicSmall");
        EXPECT_EQ(StringMember(entry, "songPicRadio"), small);
        EXPECT_EQ(StringMember(entry, "songPicBig"), small);
        ASSERT_TRUE(small.starts_with(server.BaseUrl() + "/file/")) << small;
        auto picture = server.Client().Get(small.substr(server.BaseUrl().size()));
        ASSERT_TRUE(picture && picture->status == 200) << small;
        std::string type = picture->get_header_value("Content-Type");
        EXPECT_EQ(type, ImageMimeType(SniffImageType(picture->body.substr(0, 16))));
        EXPECT_EQ(picture->body, ReadBytes(*server.Songs().Find(id)->coverFile));
        types.insert(type);
    }
    EXPECT_EQ(types, (std::set<std::string>{"image/jpeg", "image/png", "image/gif"}));
}

TEST(StationApi, UnknownOrMalformedIdsGiveAnEmptySongList) {
    RunningServer server(SharedDemoLibrary());
    const char* bodies[] = {"",
                            "songIds=",
                            "songIds=abc",
                            "songIds=0",
                            "songIds=-5",
                            "songIds=2147483648",
                            "songIds=99999999999999999999999",
                            "songIds=1%00",
                            "songIds=12.5",
                            "songIds=%",
                            "songIds=%zz",
                            "=&&==&songIds",
                            "songIds=1",
                            "songid=123"};
    for (const char* path : {"/data/music/songlink", "/data/music/songinfo"}) {
        for (const char* body : bodies) {
            auto answer = server.Client().Post(path, body, "application/x-www-form-urlencoded");
            ASSERT_TRUE(answer) << path << " " << body;
            EXPECT_EQ(answer->status, 200);
            EXPECT_EQ(answer->body, R"({"data":{"songList":[]}})") << path << " " << body;
        }
    }
}

TEST(StationApi, NamesComeFromTheFileNameAndLinksAreEmptyWithoutLyricsOrCover) {
    TempDir library;
    WriteBytes(library.Path() / "fengge_liuxing" / "歌手甲 - 第一支歌.mp3", PlainMp3());
    WriteBytes(library.Path() / "fengge_liuxing" / "only title.mp3", PlainMp3());
    // Not UTF-8: a file name in code page 936 must still give valid JSON.
    WriteBytes(library.Path() / "fengge_liuxing" / "\xC4\xE3\xBA\xC3.mp3", PlainMp3());
    RunningServer server(library.Path());
    std::map<std::string, std::string> artists;
    for (SongId id : server.Songs().ChannelSongs("fengge_liuxing")) {
        auto link = server.Client().Post("/data/music/songlink", "songIds=" + std::to_string(id),
                                         "application/x-www-form-urlencoded");
        ASSERT_TRUE(link);
        Json root = ParseJson(link->body);
        json_object* entry = FirstSong(root.get());
        ASSERT_NE(entry, nullptr) << link->body;
        EXPECT_EQ(StringMember(entry, "lrcLink"), "");
        std::string name = StringMember(entry, "songName");
        EXPECT_EQ(SanitizeUtf8(name), name) << "not UTF-8";
        artists[name] = StringMember(entry, "artistName");
        Json info = PostSongs(server, "/data/music/songinfo", "songIds=" + std::to_string(id));
        EXPECT_EQ(StringMember(FirstSong(info.get()), "songPicSmall"), "");
    }
    EXPECT_EQ(artists["第一支歌"], "歌手甲");
    EXPECT_EQ(artists["only title"], "");
    EXPECT_EQ(artists.size(), 3u);
}

TEST(StationApi, CoverComesFromTheFolderPictureOrElseFromTheTags) {
    const fs::path demo = SharedDemoLibrary() / "fengge_liuxing";
    TempDir library;
    fs::path channel = library.Path() / "fengge_dj";
    fs::create_directories(channel / "tagged");
    fs::copy_file(demo / "02 城市微光.mp3", channel / "tagged" / "song.mp3");
    WriteBytes(channel / "folder" / "song.mp3", PlainMp3());
    fs::copy_file(demo / "03 夏日来信.gif", channel / "folder" / "folder.gif");
    WriteBytes(channel / "fake" / "song.mp3", PlainMp3());
    WriteBytes(channel / "fake" / "song.jpg", "not a picture");
    RunningServer server(library.Path());

    std::map<std::string, std::string> covers; // folder -> served picture
    for (SongId id : server.Songs().ChannelSongs("fengge_dj")) {
        std::string folder = server.Songs().Find(id)->audioFile.parent_path().filename().string();
        Json info = PostSongs(server, "/data/music/songinfo", "songIds=" + std::to_string(id));
        std::string link = StringMember(FirstSong(info.get()), "songPicSmall");
        if (link.empty()) {
            covers[folder] = "";
            continue;
        }
        auto picture = server.Client().Get(link.substr(server.BaseUrl().size()));
        ASSERT_TRUE(picture && picture->status == 200) << link;
        covers[folder] = picture->body;
    }
    EXPECT_TRUE(covers["tagged"] == ReadBytes(demo / "02 城市微光.png")) << "tag picture";
    EXPECT_TRUE(covers["folder"] == ReadBytes(demo / "03 夏日来信.gif")) << "folder picture";
    EXPECT_EQ(covers["fake"], "");
}

} // namespace
} // namespace station_server::test
