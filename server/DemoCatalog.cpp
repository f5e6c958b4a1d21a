#include "server/DemoCatalog.h"

#include "server/Channels.h"

namespace station_server {

namespace {

struct ChannelSongs {
    const char* album;
    std::array<const char*, 3> titles;
};

// In the order of the channel ids.
constexpr std::array<ChannelSongs, 10> kSongs = {{
    {"流行精选", {"晴空之下", "城市微光", "夏日来信"}},
    {"成名金曲", {"第一首歌", "老唱片", "那年掌声"}},
    {"热歌榜", {"心跳节拍", "今夜热浪", "一路狂欢"}},
    {"网络流行", {"屏幕那端", "云端情书", "深夜弹幕"}},
    {"舞曲派对", {"霓虹舞步", "午夜电音", "旋转星球"}},
    {"开车路上", {"高速公路", "风吹过窗", "向西出发"}},
    {"光影原声", {"序幕", "长镜头", "片尾字幕"}},
    {"伤感情歌", {"雨中告别", "旧信封", "不说再见"}},
    {"民谣小站", {"小河边", "南方的风", "木吉他"}},
    {"轻音时光", {"竹林清晨", "湖面月色", "茶香午后"}},
}};

constexpr std::array<const char*, 10> kArtists = {
    "林小溪",   "陈澜",   "苏晚风",   "周清远", "许星河",
    "白鹭乐队", "叶知秋", "江南组合", "顾北",   "沈月",
};

constexpr std::array<const char*, 12> kLyrics = {
    "晨光落在窗台上",   "风把思念轻轻吹散", "我们走过长长的街", "歌声里藏着旧时光",
    "星星照亮回家的路", "心跳跟着节拍起舞", "雨滴敲响夜的门",   "远方有人在等待",
    "把梦想写进旋律",   "月光洒满小小的河", "让我们一起唱",     "这一刻不说再见",
};

} // namespace

std::string DemoSong::FileStem() const {
    std::string stem = number < 10 ? "0" : "";
    return stem + std::to_string(number) + " " + title;
}

std::vector<DemoSong> DemoCatalog() {
    std::vector<DemoSong> songs;
    for (size_t channel = 0; channel < kChannelIds.size(); ++channel) {
        for (size_t i = 0; i < 3; ++i) {
            DemoSong song;
            song.number = static_cast<int>(songs.size()) + 1;
            size_t n = songs.size();
            song.channel = std::string(kChannelIds[channel]);
            song.title = kSongs[channel].titles[i];
            song.album = kSongs[channel].album;
            song.artist = kArtists[(channel + i * 3) % kArtists.size()];
            for (size_t line = 0; line < song.lyricLines.size(); ++line) {
                song.lyricLines[line] = kLyrics[(n * 5 + line) % kLyrics.size()];
            }
            // Keys walk the circle of fifths and tempos spread over 84..140, so
            // no two songs share both.
            song.rootNote = 55 + static_cast<int>((n * 7) % 12);
            song.beatsPerMinute = 84 + static_cast<int>((n * 23) % 57);
            song.triangleLead = n % 2 == 1;
            song.coverType = i == 0 ? ImageType::Jpeg : i == 1 ? ImageType::Png : ImageType::Gif;
            song.seed = static_cast<unsigned>(1000 + n * 7919);
            songs.push_back(std::move(song));
        }
    }
    return songs;
}

} // namespace station_server
