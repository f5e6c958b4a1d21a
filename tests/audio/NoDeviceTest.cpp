// Run with no sound server: there is no output device.

#include "audio/EngineApi.h"

#include <gtest/gtest.h>

#include <string>

TEST(NoOutputDevice, InitFailsAndStreamsAreRefused) {
    EXPECT_FALSE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
    std::string path = "audio-fixtures/short.mp3";
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateURL("http://127.0.0.1:9/song.mp3", 0, 0, nullptr, nullptr), 0u);
}
