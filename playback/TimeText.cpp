#include "playback/TimeText.h"

namespace playback {
namespace {

std::string TwoDigits(int32_t value) {
    return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

} // namespace

std::string SecondsToText(int32_t seconds) {
    if (seconds < 0) {
        seconds = 0;
    }
    return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

} // namespace playback
