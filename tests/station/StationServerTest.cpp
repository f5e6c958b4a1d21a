// The station client against the real station server (lanxi-station with its
// demo library), started by the test fixture on a free port of 127.0.0.1.
#include "station/StationClient.h"
#include "station/StationRoot.h"
#include "station/WebRequest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <fstream>
#include <set>

namespace {

struct ChannelSongs {
    const char* channel;
    std::array<const char*, 3> titles; // code page 936
};

// The demo library's songs per channel.
const ChannelSongs kDemoChannels[] = {
    {"fengge_liuxing",
     {"\xc7\xe7\xbf\xd5\xd6\xae\xcf\xc2", "\xb3\xc7\xca\xd0\xce\xa2\xb9\xe2",
      "\xcf\xc4\xc8\xd5\xc0\xb4\xd0\xc5"}}, // 晴空之下 城市微光 夏日来信
    {"tuijian_chengmingqu",
     {"\xb5\xda\xd2\xbb\xca\xd7\xb8\xe8", "\xc0\xcf\xb3\xaa\xc6\xac",
      "\xc4\xc7\xc4\xea\xd5\xc6\xc9\xf9"}}, // 第一首歌 老唱片 那年掌声
    {"tuijian_rege",
     {"\xd0\xc4\xcc\xf8\xbd\xda\xc5\xc4", "\xbd\xf1\xd2\xb9\xc8\xc8\xc0\xcb",
      "\xd2\xbb\xc2\xb7\xbf\xf1\xbb\xb6"}}, // 心跳节拍 今夜热浪 一路狂欢
    {"tuijian_wangluo",
     {"\xc6\xc1\xc4\xbb\xc4\xc7\xb6\xcb", "\xd4\xc6\xb6\xcb\xc7\xe9\xca\xe9",
      "\xc9\xee\xd2\xb9\xb5\xaf\xc4\xbb"}}, // 屏幕那端 云端情书 深夜弹幕
    {"fengge_dj",
     {"\xc4\xde\xba\xe7\xce\xe8\xb2\xbd", "\xce\xe7\xd2\xb9\xb5\xe7\xd2\xf4",
      "\xd0\xfd\xd7\xaa\xd0\xc7\xc7\xf2"}}, // 霓虹舞步 午夜电音 旋转星球
    {"tuijian_kaiche",
     {"\xb8\xdf\xcb\xd9\xb9\xab\xc2\xb7", "\xb7\xe7\xb4\xb5\xb9\xfd\xb4\xb0",
      "\xcf\xf2\xce\xf7\xb3\xf6\xb7\xa2"}}, // 高速公路 风吹过窗 向西出发
    {"fengge_dianyingyuansheng",
     {"\xd0\xf2\xc4\xbb", "\xb3\xa4\xbe\xb5\xcd\xb7",
      "\xc6\xac\xce\xb2\xd7\xd6\xc4\xbb"}}, // 序幕 长镜头 片尾字幕
    {"xinqing_shanggan",
     {"\xd3\xea\xd6\xd0\xb8\xe6\xb1\xf0", "\xbe\xc9\xd0\xc5\xb7\xe2",
      "\xb2\xbb\xcb\xb5\xd4\xd9\xbc\xfb"}}, // 雨中告别 旧信封 不说再见
    {"fengge_minyao",
     {"\xd0\xa1\xba\xd3\xb1\xdf", "\xc4\xcf\xb7\xbd\xb5\xc4\xb7\xe7",
      "\xc4\xbe\xbc\xaa\xcb\xfb"}}, // 小河边 南方的风 木吉他
    {"fengge_qingyinyue",
     {"\xd6\xf1\xc1\xd6\xc7\xe5\xb3\xbf", "\xba\xfe\xc3\xe6\xd4\xc2\xc9\xab",
      "\xb2\xe8\xcf\xe3\xce\xe7\xba\xf3"}}, // 竹林清晨 湖面月色 茶香午后
};

// The server's address, which the fixture wrote once the server was ready.
std::string StationAddress() {
    const char* file = std::getenv("LANXI_TEST_STATION_FILE");
    if (!file) {
        return {};
    }
    std::string address;
    std::ifstream(file) >> address;
    return address;
}

class RealStation : public testing::Test {
protected:
    void SetUp() override {
        address_ = StationAddress();
        ASSERT_TRUE(address_.starts_with("http://127.0.0.1:"))
            << "no station server address (LANXI_TEST_STATION_FILE: "
            << (std::getenv("LANXI_TEST_STATION_FILE") ? std::getenv("LANXI_TEST_STATION_FILE")
                                                       : "unset")
            << "); the station.ServerStart fixture starts it";
        SetStationRoot(address_);
    }
    void TearDown() override { SetStationRoot(std::string(kDefaultStationRoot)); }

    std::string address_;
};

bool IsPicture(const std::string& bytes) {
    return bytes.starts_with("\xff\xd8\xff") || bytes.starts_with("\x89PNG\r\n\x1a\n") ||
           bytes.starts_with("GIF8");
}

TEST_F(RealStation, EveryChannelsSongsResolveWithIntactChineseNames) {
    for (const ChannelSongs& demo : kDemoChannels) {
        SCOPED_TRACE(demo.channel);
        std::optional<std::string> channel = demo.channel;
        SongIdList playlist;
        ASSERT_EQ(FetchPlaylist(channel, playlist), 3);
        std::set<std::string> titles;
        for (const std::string& id : playlist) {
            SCOPED_TRACE("song " + id);
            EXPECT_TRUE(!id.empty() && std::all_of(id.begin(), id.end(),
                                                   [](char c) { return c >= '0' && c <= '9'; }));
            SongDetails details;
            LyricSheet sheet = LyricSheet::Initial();
            FetchSongDetails(id, details, sheet);

            EXPECT_NE(std::find(demo.titles.begin(), demo.titles.end(), details.songName),
                      demo.titles.end())
                << "not one of the channel's titles in code page 936: " << details.songName;
            titles.insert(details.songName);
            EXPECT_FALSE(details.artistName.empty());
            EXPECT_NE(details.artistName, "null");
            EXPECT_EQ(sheet.title, details.songName) << "the lyric file names the same song";
            EXPECT_EQ(sheet.artist, details.artistName);
            EXPECT_GE(sheet.lines.size(), 2u);
            EXPECT_TRUE(details.streamUrl.starts_with(address_ + "/file/")) << details.streamUrl;
            EXPECT_TRUE(IsPicture(details.pictureBytes))
                << "cover of " << details.pictureBytes.size() << " bytes";
        }
        EXPECT_EQ(titles.size(), 3u) << "each song once";
    }
}

TEST_F(RealStation, TheStreamLinkServesMp3Audio) {
    std::optional<std::string> channel;
    SongIdList playlist;
    ASSERT_GT(FetchPlaylist(channel, playlist), 0);
    EXPECT_EQ(channel, "fengge_liuxing");
    SongDetails details;
    LyricSheet sheet = LyricSheet::Initial();
    FetchSongDetails(playlist.front(), details, sheet);
    WebExchange stream{.url = details.streamUrl};
    const std::string audio = WebRequest(stream);
    ASSERT_GT(audio.size(), 10000u);
    EXPECT_TRUE(audio.starts_with("ID3") || static_cast<unsigned char>(audio[0]) == 0xff)
        << "neither an ID3 tag nor an MPEG frame";
}

} // namespace
