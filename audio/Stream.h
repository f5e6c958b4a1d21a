#pragma once
// One playing stream: a decoder fed from a DownloadBuffer and a waveOut
// device, driven by a feeder thread of its own. The public operations only
// record what is wanted and wake the feeder; every decoder and device call
// happens on the feeder thread.

#include "audio/DownloadBuffer.h"
#include "audio/HttpDownloader.h"
#include "audio/Mp3Decoder.h"
#include "audio/UniqueHandle.h"
#include "audio/WaveOutDevice.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace audio {

enum class ChannelState : uint32_t { Stopped = 0, Playing = 1, Stalled = 2, Paused = 3 };

class Stream {
public:
    struct Source {
        std::shared_ptr<DownloadBuffer> buffer;
        std::unique_ptr<HttpDownloader> downloader; // none for files and memory
        uint64_t startOffset = 0;                   // file offset of the first byte to decode
    };

    // Decodes the first frames before returning; null when no audio arrives
    // before the deadline or the device cannot be opened.
    static std::unique_ptr<Stream> Create(Source source, UINT deviceId,
                                          std::chrono::steady_clock::time_point deadline);
    Stream(const Stream&) = delete;
    Stream& operator=(const Stream&) = delete;
    ~Stream();

    void Play(bool restart);
    void Pause();
    void Stop();
    ChannelState State() const;
    uint64_t PositionBytes() const;
    bool SetPositionBytes(uint64_t bytes);
    uint64_t LengthBytes() const;
    int SampleRate() const { return sampleRate_; }
    void SetVolume(float volume);
    float Volume() const;
    uint64_t DecodeFilePosition() const { return feedOffset_; }
    uint64_t DownloadedEnd() const { return source_.buffer->DownloadedEnd(); }
    uint64_t FileSize() const;

private:
    enum class Mode { Stopped, Playing, Paused };

    Stream(Source source, std::unique_ptr<Mp3Decoder> decoder);
    bool DecodeFirstFrames(std::chrono::steady_clock::time_point deadline);
    void EstimateLength();
    void Run();
    // False when the decoder already stood there and nothing was dropped.
    bool ApplySeek(uint64_t frame);
    bool FillDevice(float targetGain);
    size_t FillBuffer(std::span<int16_t> out, bool& waiting);
    // Decodes more PCM into pending_; false when nothing more comes for now.
    bool DecodeMore(bool& waiting);
    void ApplyGain(std::span<int16_t> samples, float target);

    Source source_;
    std::unique_ptr<Mp3Decoder> decoder_;
    std::unique_ptr<WaveOutDevice> device_;
    int sampleRate_ = 0;
    UniqueHandle wake_;
    std::thread feeder_;

    // Shared with the API threads, under mutex_.
    mutable std::mutex mutex_;
    Mode mode_ = Mode::Stopped;
    std::optional<uint64_t> seekRequest_;
    bool quit_ = false;
    bool finished_ = false;
    bool starving_ = false;
    uint64_t positionFrames_ = 0;
    uint64_t lengthFrames_ = 0;
    float volume_ = 1.0f;
    // Pause returns once the device has stopped and what it played before is
    // counted, so the position read after it stays put while paused.
    uint64_t pauseRequests_ = 0;
    uint64_t pausesSettled_ = 0;
    std::condition_variable pauseSettled_;

    // Feeder thread only (and the creating thread before it starts).
    std::vector<int16_t> pending_;
    size_t pendingUsed_ = 0; // samples of pending_ already handed out
    uint64_t nextFrame_ = 0; // song frame of the next PCM frame handed out
    bool decoderAtEnd_ = false;
    float gain_ = 1.0f;
    std::atomic<uint64_t> feedOffset_ = 0;
};

} // namespace audio
