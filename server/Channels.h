#pragma once

#include <array>
#include <string_view>

namespace station_server {

// The station's themed channels; each is a subfolder of the music library.
inline constexpr std::array<std::string_view, 10> kChannelIds = {
    "fengge_liuxing",           "tuijian_chengmingqu", "tuijian_rege",
    "tuijian_wangluo",          "fengge_dj",           "tuijian_kaiche",
    "fengge_dianyingyuansheng", "xinqing_shanggan",    "fengge_minyao",
    "fengge_qingyinyue",
};

inline bool IsChannelId(std::string_view id) {
    for (auto channel : kChannelIds) {
        if (channel == id) {
            return true;
        }
    }
    return false;
}

} // namespace station_server
