// Playback of local songs through the engine, checked by what the sound
// server really played (captured from the null sink's monitor).

#include "tests/audio/EngineHelpers.h"
#include "tests/audio/SongServer.h"
#include "tests/audio/SoundCapture.h"
#include "tests/audio/ToneMeter.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace audio_test {
namespace {

// The fixtures are sines at half scale.
constexpr double kFullRms = 0.5 / 1.41421356;

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override { InitEngine(); }

    static DWORD CreateFromFile(const char* name) {
        std::string path = std::string("audio-fixtures/") + name;
        return BASS_StreamCreateFile(FALSE, path.c_str(), 0, 0, 0);
    }
};

TEST_F(EngineTest, UrlStreamOfToneIsHeardAtItsPitchAndLevel) {
    SongServer server(ReadFixture("tone1k.mp3"));
    StreamGuard stream(BASS_StreamCreateURL(server.Url().c_str(), 0, 0, nullptr, nullptr));
    ASSERT_NE(stream.get(), 0u);
    ASSERT_TRUE(BASS_ChannelPlay(stream.get(), TRUE));
    EXPECT_EQ(BASS_ChannelIsActive(stream.get()), audio::api::kPlaying);
    SoundCapture capture;
    ASSERT_TRUE(capture.IsRecording());
    Wait(2.6);
    auto sound = capture.Stop();
    ToneReading tone = LastSounding(sound, 6);
    EXPECT_NEAR(tone.frequency, 1000.0, 15.0);
    EXPECT_NEAR(tone.rms, kFullRms, kFullRms * 0.25);
    EXPECT_NEAR(PositionSeconds(stream.get()), 2.6, 0.5);
}

TEST_F(EngineTest, VolumeScalesTheLevelHeard) {
    StreamGuard stream(CreateFromFile("tone1k.mp3"));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    SoundCapture capture;
    Wait(1.8);
    ASSERT_TRUE(BASS_ChannelSetAttribute(stream.get(), audio::api::kVolumeAttribute, 0.3f));
    float volume = 0.0f;
    EXPECT_TRUE(BASS_ChannelGetAttribute(stream.get(), audio::api::kVolumeAttribute, &volume));
    EXPECT_FLOAT_EQ(volume, 0.3f);
    Wait(1.4);
    auto blocks = SoundingBlocks(capture.Stop());
    ASSERT_GE(blocks.size(), 8u);
    double full = std::max_element(blocks.begin(), blocks.end(), [](auto a, auto b) {
                      return a.rms < b.rms;
                  })->rms;
    double quiet = (blocks[blocks.size() - 2].rms + blocks[blocks.size() - 3].rms) / 2;
    EXPECT_GT(full, kFullRms * 0.75);
    EXPECT_NEAR(quiet / full, 0.3, 0.05) << "full " << full << ", quiet " << quiet;
}

TEST_F(EngineTest, SeekLandsWhereAsked) {
    // 440 Hz for two seconds, then 1320 Hz.
    StreamGuard stream(CreateFromFile("steps.mp3"));
    ASSERT_NE(stream.get(), 0u);
    SoundCapture capture;
    BASS_ChannelPlay(stream.get(), TRUE);
    Wait(0.5);
    uint64_t target = BASS_ChannelSeconds2Bytes(stream.get(), 2.5);
    EXPECT_NEAR(BASS_ChannelBytes2Seconds(stream.get(), target), 2.5, 0.001);
    ASSERT_TRUE(BASS_ChannelSetPosition(stream.get(), target, 0));
    EXPECT_NEAR(PositionSeconds(stream.get()), 2.5, 0.05);
    Wait(1.5);
    auto sound = capture.Stop();
    EXPECT_NEAR(PositionSeconds(stream.get()), 4.0, 0.4);
    auto blocks = SoundingBlocks(sound);
    ASSERT_GE(blocks.size(), 10u);
    EXPECT_NEAR(blocks[1].frequency, 440.0, 10.0);
    EXPECT_NEAR(LastSounding(sound, 5).frequency, 1320.0, 20.0);
}

// Last of the recording tests: recording the monitor of an idle sink, as
// this test does while paused, can leave Wine's next recordings empty for
// several seconds.
TEST_F(EngineTest, PauseSilencesAndPlayWithoutRestartContinuesThere) {
    StreamGuard stream(CreateFromFile("tone1k.mp3"));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    Wait(1.5);
    ASSERT_TRUE(BASS_ChannelPause(stream.get()));
    EXPECT_EQ(BASS_ChannelIsActive(stream.get()), audio::api::kPaused);
    double pausedAt = PositionSeconds(stream.get());
    SoundCapture pausedCapture;
    Wait(0.9);
    auto silence = pausedCapture.Stop();
    EXPECT_LT(MeasureTone(silence, 0.3, 0.9).rms, 0.01);
    EXPECT_DOUBLE_EQ(PositionSeconds(stream.get()), pausedAt);

    SoundCapture resumedCapture;
    ASSERT_TRUE(BASS_ChannelPlay(stream.get(), FALSE));
    EXPECT_EQ(BASS_ChannelIsActive(stream.get()), audio::api::kPlaying);
    Wait(1.2);
    auto resumed = resumedCapture.Stop();
    double now = PositionSeconds(stream.get());
    EXPECT_GT(now, pausedAt + 0.8);
    EXPECT_LT(now, pausedAt + 1.6);
    EXPECT_GT(LastSounding(resumed, 3).rms, kFullRms * 0.75);
}

TEST_F(EngineTest, SongPlayedToItsEndReportsStoppedAtFullLength) {
    StreamGuard stream(CreateFromFile("short.mp3"));
    ASSERT_NE(stream.get(), 0u);
    EXPECT_NEAR(LengthSeconds(stream.get()), 2.5, 0.1);
    BASS_ChannelPlay(stream.get(), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(stream.get()) == 0; }, 10.0));
    EXPECT_GT(ProgressPercent(stream.get()), 99.7);
    EXPECT_NEAR(PositionSeconds(stream.get()), 2.5, 0.06);
}

TEST_F(EngineTest, StopThenRestartPlaysFromTheBeginning) {
    StreamGuard stream(CreateFromFile("steps.mp3"));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    Wait(0.6);
    ASSERT_TRUE(BASS_ChannelStop(stream.get()));
    EXPECT_EQ(BASS_ChannelIsActive(stream.get()), audio::api::kStopped);
    ASSERT_TRUE(BASS_ChannelPlay(stream.get(), TRUE));
    EXPECT_LT(PositionSeconds(stream.get()), 0.05);
}

TEST_F(EngineTest, MemoryStreamMatchesFileStream) {
    auto bytes = ReadFixture("vbr.mp3");
    ASSERT_FALSE(bytes.empty());
    StreamGuard memory(BASS_StreamCreateFile(TRUE, bytes.data(), 0, bytes.size(), 0));
    StreamGuard file(CreateFromFile("vbr.mp3"));
    ASSERT_NE(memory.get(), 0u);
    ASSERT_NE(file.get(), 0u);
    EXPECT_NEAR(LengthSeconds(memory.get()), 5.0, 0.03);
    EXPECT_EQ(BASS_ChannelGetLength(memory.get(), 0), BASS_ChannelGetLength(file.get(), 0));
    EXPECT_EQ(BASS_StreamGetFilePosition(file.get(), audio::api::kFilePositionSize), bytes.size());
    EXPECT_EQ(BASS_StreamGetFilePosition(file.get(), audio::api::kFilePositionDownloaded),
              bytes.size());
    BASS_ChannelPlay(memory.get(), TRUE);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(memory.get()) > 0.3; }, 5.0));
}

TEST_F(EngineTest, StaleAndZeroHandlesAreRefusedSafely) {
    EXPECT_FALSE(BASS_StreamFree(0));
    EXPECT_FALSE(BASS_ChannelPlay(0, TRUE));
    EXPECT_EQ(BASS_ChannelIsActive(0), 0u);
    DWORD first = CreateFromFile("short.mp3");
    ASSERT_NE(first, 0u);
    BASS_ChannelPlay(first, TRUE);
    std::atomic<bool> stop = false;
    std::thread reader([&] {
        while (!stop) {
            BASS_ChannelIsActive(first);
            BASS_ChannelGetPosition(first, 0);
            BASS_ChannelSetAttribute(first, audio::api::kVolumeAttribute, 0.5f);
        }
    });
    Wait(0.2);
    EXPECT_TRUE(BASS_StreamFree(first));
    Wait(0.1);
    stop = true;
    reader.join();
    EXPECT_FALSE(BASS_StreamFree(first));
    EXPECT_FALSE(BASS_ChannelPlay(first, TRUE));
    EXPECT_EQ(BASS_ChannelGetPosition(first, 0), ~uint64_t{0});
    DWORD second = CreateFromFile("short.mp3");
    EXPECT_NE(second, first) << "a freed handle came back";
    EXPECT_TRUE(BASS_StreamFree(second));
}

} // namespace
} // namespace audio_test
