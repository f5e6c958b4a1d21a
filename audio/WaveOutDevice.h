#pragma once
// One waveOut output for 16-bit stereo PCM with a ring of buffers; a
// completed buffer signals an event so the feeder thread wakes to refill it.

#include "audio/UniqueHandle.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace audio {

class WaveOutDevice {
public:
    // deviceId: WAVE_MAPPER for the default device.
    static std::unique_ptr<WaveOutDevice> Open(UINT deviceId, int sampleRate);
    // Whether the device accepts the format, without opening it.
    static bool CanOpen(UINT deviceId, int sampleRate);

    WaveOutDevice(const WaveOutDevice&) = delete;
    WaveOutDevice& operator=(const WaveOutDevice&) = delete;
    ~WaveOutDevice();

    HANDLE DoneEvent() const { return doneEvent_.get(); }
    std::optional<size_t> FreeBuffer() const;
    std::span<int16_t> Samples(size_t buffer);
    bool Submit(size_t buffer, size_t frames);
    // Frees the buffers that have played and returns their frame count.
    uint64_t CollectPlayed();
    size_t QueuedCount() const;
    void Pause();
    void Resume();
    // Drops every queued buffer; none of them counts as played.
    void Reset();

private:
    struct Buffer {
        WAVEHDR header{};
        std::vector<int16_t> samples;
        size_t frames = 0;
        bool queued = false;
    };

    WaveOutDevice(HWAVEOUT device, UniqueHandle doneEvent);
    void Release(Buffer& buffer);

    HWAVEOUT device_;
    UniqueHandle doneEvent_;
    std::vector<Buffer> buffers_;
};

} // namespace audio
