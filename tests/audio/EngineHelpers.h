#pragma once
// Small helpers shared by the engine's Windows tests.

#include "audio/EngineApi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

namespace audio_test {

inline void InitEngine() {
    ASSERT_TRUE(BASS_Init(-1, 44100, 0, nullptr, nullptr));
}

inline void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Polls every 20 ms; false when the time ran out first.
inline bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds) {
    auto deadline =
        std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

inline double PositionSeconds(DWORD stream) {
    return BASS_ChannelBytes2Seconds(stream, BASS_ChannelGetPosition(stream, 0));
}

inline double LengthSeconds(DWORD stream) {
    return BASS_ChannelBytes2Seconds(stream, BASS_ChannelGetLength(stream, 0));
}

inline double ProgressPercent(DWORD stream) {
    return static_cast<double>(BASS_ChannelGetPosition(stream, 0)) * 100.0 /
           static_cast<double>(BASS_ChannelGetLength(stream, 0));
}

// Frees the stream when the test ends, whatever happened.
class StreamGuard {
public:
    explicit StreamGuard(DWORD stream) : stream_(stream) {}
    StreamGuard(const StreamGuard&) = delete;
    StreamGuard& operator=(const StreamGuard&) = delete;
    ~StreamGuard() { BASS_StreamFree(stream_); }
    DWORD get() const { return stream_; }

private:
    DWORD stream_;
};

} // namespace audio_test
