// The player over the real bass.dll, bound by name from the test's folder.

#include "playback/AudioPlayer.h"
#include "tests/audio/SongServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using playback::AudioPlayer;

void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

double PositionSeconds(const AudioPlayer& player, uint32_t stream) {
    return player.BytesToSeconds(stream, player.GetPosition(stream));
}

// Declared first: in a run of the whole program it must see the library
// still unloaded.
TEST(AudioPlayerBinding, NoStreamAndNoSourceMakeNoLibraryCall) {
    AudioPlayer player;
    EXPECT_FALSE(player.Play(0));
    EXPECT_FALSE(player.Play(0, false));
    EXPECT_EQ(player.CreateStream("", {}, ""), 0u);
    EXPECT_EQ(GetModuleHandleW(L"bass.dll"), nullptr) << "bass.dll was loaded";
}

class AudioPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(player.Init()); }

    AudioPlayer player;
};

TEST_F(AudioPlayerTest, UrlStreamPlaysAtOnce) {
    audio_test::SongServer server(audio_test::ReadFixture("tone1k.mp3"));
    uint32_t stream = player.CreateStream("", {}, server.Url());
    ASSERT_NE(stream, 0u);
    EXPECT_TRUE(player.Play(stream));
    EXPECT_EQ(player.IsActive(stream), 1u);
    Wait(0.8);
    EXPECT_GT(PositionSeconds(player, stream), 0.3);
    EXPECT_NEAR(player.BytesToSeconds(stream, player.GetLength(stream)), 4.0, 0.05);
    EXPECT_EQ(player.SecondsToText(
                  static_cast<int32_t>(player.BytesToSeconds(stream, player.GetLength(stream)))),
              "00:04");
    EXPECT_TRUE(player.Stop(stream));
    EXPECT_TRUE(player.StreamFree(stream));
    EXPECT_FALSE(player.StreamFree(stream));
}

TEST_F(AudioPlayerTest, PlayRestartsUnlessToldToResume) {
    uint32_t stream = player.CreateStream("audio-fixtures/steps.mp3", {}, "");
    ASSERT_NE(stream, 0u);
    player.Play(stream);
    Wait(1.0);
    ASSERT_TRUE(player.Pause(stream));
    EXPECT_EQ(player.IsActive(stream), 3u);
    double pausedAt = PositionSeconds(player, stream);
    ASSERT_GT(pausedAt, 0.5);
    ASSERT_TRUE(player.Play(stream, false));
    EXPECT_GE(PositionSeconds(player, stream), pausedAt);
    Wait(0.3);
    ASSERT_TRUE(player.Pause(stream));
    ASSERT_TRUE(player.Play(stream));
    EXPECT_LT(PositionSeconds(player, stream), 0.1);
    player.StreamFree(stream);
}

TEST_F(AudioPlayerTest, SourcesAreTriedFileThenBytesThenUrl) {
    auto steps = audio_test::ReadFixture("steps.mp3");
    auto tone = audio_test::ReadFixture("tone1k.mp3");
    audio_test::SongServer server(tone);
    const std::string nowhere = "http://127.0.0.1:9/none.mp3";
    struct Case {
        std::string fileName;
        std::span<const uint8_t> data;
        std::string url;
        double seconds;
    };
    const Case cases[] = {
        {"audio-fixtures/short.mp3", tone, nowhere, 2.5},   // an existing file wins
        {"audio-fixtures/none.mp3", steps, nowhere, 5.0},   // then the bytes
        {"audio-fixtures/none.mp3", {}, server.Url(), 4.0}, // then the URL
    };
    for (const auto& c : cases) {
        uint32_t stream = player.CreateStream(c.fileName, c.data, c.url);
        ASSERT_NE(stream, 0u) << c.fileName;
        EXPECT_NEAR(player.BytesToSeconds(stream, player.GetLength(stream)), c.seconds, 0.1)
            << c.fileName;
        player.StreamFree(stream);
    }
    EXPECT_EQ(player.CreateStream("audio-fixtures/none.mp3", {}, ""), 0u);
}

TEST_F(AudioPlayerTest, VolumeAndConversionsRoundTrip) {
    uint32_t stream = player.CreateStream("audio-fixtures/short.mp3", {}, "");
    ASSERT_NE(stream, 0u);
    float volume = 0.0f;
    EXPECT_TRUE(player.GetVolume(stream, volume));
    EXPECT_FLOAT_EQ(volume, 1.0f);
    EXPECT_TRUE(player.SetVolume(stream, 0.42f));
    EXPECT_TRUE(player.GetVolume(stream, volume));
    EXPECT_FLOAT_EQ(volume, 0.42f);
    uint64_t bytes = player.SecondsToBytes(stream, 1.5);
    EXPECT_EQ(bytes, 66150u * 4);
    EXPECT_DOUBLE_EQ(player.BytesToSeconds(stream, bytes), 1.5);
    EXPECT_TRUE(player.SetPosition(stream, bytes));
    EXPECT_EQ(player.GetPosition(stream), bytes);
    player.StreamFree(stream);
}

} // namespace
