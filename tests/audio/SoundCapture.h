#pragma once
// Records what the default recording device hears (in the test session:
// the monitor of the sink the engine plays into), 16-bit stereo 44100 Hz.

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <vector>

namespace audio_test {

class SoundCapture {
public:
    // Starts recording at once, for at most maxSeconds.
    explicit SoundCapture(int maxSeconds = 10);
    SoundCapture(const SoundCapture&) = delete;
    SoundCapture& operator=(const SoundCapture&) = delete;
    ~SoundCapture();

    bool IsRecording() const { return device_ != nullptr; }
    // Stops and returns the interleaved samples recorded so far.
    std::vector<int16_t> Stop();

private:
    HWAVEIN device_ = nullptr;
    std::vector<std::vector<int16_t>> blocks_;
    std::vector<WAVEHDR> headers_;
};

} // namespace audio_test
