// URL streams over a real HTTP server on 127.0.0.1 that pauses, drops the
// connection, trickles or answers wrongly.

#include "tests/audio/EngineHelpers.h"
#include "tests/audio/SongServer.h"
#include "tests/audio/SoundCapture.h"
#include "tests/audio/ToneMeter.h"

#include <algorithm>
#include <set>

namespace audio_test {
namespace {

class NetworkTest : public ::testing::Test {
protected:
    void SetUp() override { InitEngine(); }

    static DWORD Open(const SongServer& server) {
        return BASS_StreamCreateURL(server.Url().c_str(), 0, 0, nullptr, nullptr);
    }
};

TEST_F(NetworkTest, LengthIsKnownBeforeTheDownloadEnds) {
    struct Case {
        const char* song;
        double seconds;
    };
    for (Case c : {Case{"tone1k.mp3", 4.0}, Case{"vbr.mp3", 5.0}, Case{"short.mp3", 2.5}}) {
        auto bytes = ReadFixture(c.song);
        SongServer server(bytes, {.pauseAfterBytes = 16 * 1024, .pauseMilliseconds = 3000});
        StreamGuard stream(Open(server));
        ASSERT_NE(stream.get(), 0u) << c.song;
        EXPECT_NEAR(LengthSeconds(stream.get()), c.seconds, 0.1) << c.song;
        EXPECT_EQ(BASS_StreamGetFilePosition(stream.get(), audio::api::kFilePositionSize),
                  bytes.size());
        EXPECT_LT(BASS_StreamGetFilePosition(stream.get(), audio::api::kFilePositionDownloaded),
                  bytes.size());
    }
}

TEST_F(NetworkTest, LeadingTagOfMegabytesIsNotTakenForJunk) {
    // An ID3v2 tag of 1.5 MB (as a cover picture makes it) before the audio.
    constexpr uint32_t kTagBytes = 1536 * 1024;
    std::vector<uint8_t> song = {'I', 'D', '3', 3, 0, 0};
    for (int shift : {21, 14, 7, 0}) {
        song.push_back(static_cast<uint8_t>((kTagBytes >> shift) & 0x7F));
    }
    song.resize(10 + kTagBytes, 0);
    auto tone = ReadFixture("tone1k.mp3");
    song.insert(song.end(), tone.begin(), tone.end());
    SongServer server(song);
    StreamGuard fromUrl(Open(server));
    StreamGuard fromMemory(BASS_StreamCreateFile(TRUE, song.data(), 0, song.size(), 0));
    for (DWORD stream : {fromUrl.get(), fromMemory.get()}) {
        ASSERT_NE(stream, 0u);
        EXPECT_NEAR(LengthSeconds(stream), 4.0, 0.05);
    }
}

TEST_F(NetworkTest, StallsWhileDataIsMissingAndContinuesWhenItArrives) {
    auto bytes = ReadFixture("tone1k.mp3");
    SongServer server(bytes, {.pauseAfterBytes = bytes.size() / 2, .pauseMilliseconds = 2500});
    StreamGuard stream(Open(server));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    std::vector<DWORD> states;
    bool ended = WaitUntil(
        [&] {
            DWORD state = BASS_ChannelIsActive(stream.get());
            if (states.empty() || states.back() != state) {
                states.push_back(state);
            }
            return state == 0;
        },
        15.0);
    ASSERT_TRUE(ended);
    auto stalled = std::find(states.begin(), states.end(), audio::api::kStalled);
    ASSERT_NE(stalled, states.end()) << "never stalled";
    EXPECT_NE(std::find(stalled, states.end(), audio::api::kPlaying), states.end())
        << "did not play on after the stall";
    EXPECT_GT(ProgressPercent(stream.get()), 99.7);
}

TEST_F(NetworkTest, DroppedConnectionIsResumedWithARangeRequest) {
    auto bytes = ReadFixture("tone1k.mp3");
    SongServer server(bytes, {.dropAfterBytes = bytes.size() * 2 / 5});
    StreamGuard stream(Open(server));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(stream.get()) == 0; }, 15.0));
    EXPECT_GT(ProgressPercent(stream.get()), 99.7);
    auto starts = server.RangeStarts();
    ASSERT_FALSE(starts.empty());
    EXPECT_EQ(starts.front(), bytes.size() * 2 / 5);
}

TEST_F(NetworkTest, ResumeFromAServerWithoutRangesSkipsWhatIsHeld) {
    auto bytes = ReadFixture("tone1k.mp3");
    SongServer server(bytes, {.dropAfterBytes = bytes.size() / 2, .ignoreRanges = true});
    StreamGuard stream(Open(server));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(stream.get()) == 0; }, 15.0));
    EXPECT_GT(ProgressPercent(stream.get()), 99.7);
    EXPECT_NEAR(LengthSeconds(stream.get()), 4.0, 0.05);
}

TEST_F(NetworkTest, FailedResumePlaysWhatArrivedAndEnds) {
    auto bytes = ReadFixture("tone1k.mp3");
    SongServer server(bytes, {.dropAfterBytes = bytes.size() * 2 / 5, .refuseRanges = true});
    StreamGuard stream(Open(server));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return BASS_ChannelIsActive(stream.get()) == 0; }, 15.0));
    EXPECT_NEAR(ProgressPercent(stream.get()), 40.0, 8.0);
}

TEST_F(NetworkTest, SeekBeyondTheDownloadRefetchesFromThere) {
    // 440 Hz for two seconds, then 1320 Hz; the first answer trickles.
    auto bytes = ReadFixture("steps.mp3");
    SongServer server(bytes, {.bytesPerSecond = 8 * 1024});
    StreamGuard stream(Open(server));
    ASSERT_NE(stream.get(), 0u);
    BASS_ChannelPlay(stream.get(), TRUE);
    Wait(0.3);
    SoundCapture capture;
    ASSERT_TRUE(
        BASS_ChannelSetPosition(stream.get(), BASS_ChannelSeconds2Bytes(stream.get(), 3.0), 0));
    Wait(1.6);
    auto sound = capture.Stop();
    auto starts = server.RangeStarts();
    ASSERT_FALSE(starts.empty()) << "no Range request";
    EXPECT_GT(starts.back(), bytes.size() / 2);
    EXPECT_NEAR(LastSounding(sound, 3).frequency, 1320.0, 20.0);
    EXPECT_GT(PositionSeconds(stream.get()), 4.0);
    EXPECT_GT(BASS_StreamGetFilePosition(stream.get(), audio::api::kFilePositionDownloaded),
              bytes.size() * 3 / 4);

    // Back before the restarted download: fetched again from there.
    SoundCapture backCapture;
    ASSERT_TRUE(
        BASS_ChannelSetPosition(stream.get(), BASS_ChannelSeconds2Bytes(stream.get(), 0.5), 0));
    Wait(1.2);
    auto back = backCapture.Stop();
    EXPECT_LT(server.RangeStarts().back(), bytes.size() / 4);
    EXPECT_NEAR(LastSounding(back, 3).frequency, 440.0, 10.0);
}

TEST_F(NetworkTest, FreeingAStreamWhoseDownloadHangsReturnsPromptly) {
    auto bytes = ReadFixture("tone1k.mp3");
    SongServer server(bytes, {.pauseAfterBytes = 16 * 1024, .pauseMilliseconds = 20000});
    DWORD stream = Open(server);
    ASSERT_NE(stream, 0u);
    BASS_ChannelPlay(stream, TRUE);
    Wait(0.5);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(BASS_StreamFree(stream));
    // Generous: the bound is what matters, not the figure.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_EQ(BASS_ChannelIsActive(stream), 0u);
}

TEST_F(NetworkTest, BadSourcesGiveNoStream) {
    testing_support::LoopbackHttpServer server([](const auto& request, auto& connection) {
        if (request.target == "/missing.mp3") {
            connection.Respond(404, "not here",
                               "Content-Type: text/plain\r\nConnection: close\r\n");
        } else if (request.target == "/page.mp3") {
            connection.Respond(200, "<html><body>sorry</body></html>",
                               "Content-Type: text/html\r\nConnection: close\r\n");
        } else {
            std::string noise(200000, '\x55');
            connection.Respond(200, noise, "Content-Type: audio/mpeg\r\nConnection: close\r\n");
        }
        connection.Close();
    });
    std::string refused =
        "http://127.0.0.1:" + std::to_string(testing_support::LoopbackHttpServer::UnusedPort()) +
        "/a.mp3";
    for (std::string url : {server.Url("/missing.mp3"), server.Url("/page.mp3"),
                            server.Url("/noise.mp3"), refused, std::string("not a url")}) {
        DWORD stream = BASS_StreamCreateURL(url.c_str(), 0, 0, nullptr, nullptr);
        EXPECT_EQ(stream, 0u) << url;
        BASS_StreamFree(stream);
    }
}

} // namespace
} // namespace audio_test
