#pragma once
// libmpg123 in feeding mode: the caller hands in file bytes as they arrive
// and takes 16-bit stereo PCM out; seeking tells which file offset to feed
// from next.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

struct mpg123_handle_struct;

namespace audio {

class Mp3Decoder {
public:
    enum class Status { Frames, NeedData, End, Failed };
    struct Output {
        size_t frames = 0; // stereo sample frames written
        Status status = Status::NeedData;
    };
    struct SeekPlan {
        uint64_t frame = 0;       // PCM frame the output continues from
        uint64_t inputOffset = 0; // offset, from the first fed byte, to feed from next
    };

    Mp3Decoder();
    Mp3Decoder(const Mp3Decoder&) = delete;
    Mp3Decoder& operator=(const Mp3Decoder&) = delete;
    ~Mp3Decoder();

    bool IsValid() const { return handle_ != nullptr; }
    bool Feed(std::span<const uint8_t> bytes);
    Output Read(std::span<int16_t> out);
    // 0 until the first frame header has been decoded.
    int SampleRate() const { return sampleRate_; }
    std::optional<SeekPlan> Seek(uint64_t frame);

private:
    mpg123_handle_struct* handle_ = nullptr;
    int sampleRate_ = 0;
};

} // namespace audio
