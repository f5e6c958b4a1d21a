#include "playback/TimeText.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeText, MinutesAndSecondsWithLeadingZeros) {
    struct Case {
        int32_t seconds;
        const char* text;
    };
    const Case cases[] = {{0, "00:00"},    {9, "00:09"},     {59, "00:59"},  {60, "01:00"},
                          {65, "01:05"},   {125, "02:05"},   {225, "03:45"}, {600, "10:00"},
                          {5999, "99:59"}, {6000, "100:00"}, {-1, "00:00"},  {-65, "00:00"}};
    for (const auto& c : cases) {
        EXPECT_EQ(playback::SecondsToText(c.seconds), c.text) << c.seconds;
    }
}

} // namespace
