#include "audio/Mp3Decoder.h"

#include <mpg123.h>

#include <cstdio>
#include <mutex>

namespace audio {

Mp3Decoder::Mp3Decoder() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { mpg123_init(); });
    int error = MPG123_OK;
    mpg123_handle* handle = mpg123_new(nullptr, &error);
    if (handle == nullptr) {
        return;
    }
    // Seeks inside the decoded part use the growing frame index and are
    // exact; beyond it (not downloaded yet) the offset is estimated from the
    // VBR table of contents or the bit rate, so the download can start there.
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_FORCE_STEREO | MPG123_QUIET | MPG123_FUZZY, 0.0);
    mpg123_param(handle, MPG123_INDEX_SIZE, -1000, 0.0);
    mpg123_format_none(handle);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) {
        mpg123_format(handle, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_open_feed(handle) != MPG123_OK) {
        mpg123_delete(handle);
        return;
    }
    handle_ = handle;
}

Mp3Decoder::~Mp3Decoder() {
    if (handle_ != nullptr) {
        mpg123_delete(handle_);
    }
}

bool Mp3Decoder::Feed(std::span<const uint8_t> bytes) {
    return handle_ != nullptr && mpg123_feed(handle_, bytes.data(), bytes.size()) == MPG123_OK;
}

Mp3Decoder::Output Mp3Decoder::Read(std::span<int16_t> out) {
    if (handle_ == nullptr) {
        return {0, Status::Failed};
    }
    size_t done = 0;
    int result = mpg123_read(handle_, out.data(), out.size_bytes(), &done);
    if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(handle_, &rate, &channels, &encoding);
        sampleRate_ = static_cast<int>(rate);
    }
    Output output{done / (2 * sizeof(int16_t)), Status::Frames};
    switch (result) {
    case MPG123_OK:
    case MPG123_NEW_FORMAT:
        break;
    case MPG123_NEED_MORE:
        output.status = output.frames > 0 ? Status::Frames : Status::NeedData;
        break;
    case MPG123_DONE:
        output.status = output.frames > 0 ? Status::Frames : Status::End;
        break;
    default:
        output.status = output.frames > 0 ? Status::Frames : Status::Failed;
        break;
    }
    return output;
}

std::optional<Mp3Decoder::SeekPlan> Mp3Decoder::Seek(uint64_t frame) {
    if (handle_ == nullptr) {
        return std::nullopt;
    }
    off_t input = 0;
    off_t reached = mpg123_feedseek(handle_, static_cast<off_t>(frame), SEEK_SET, &input);
    if (reached < 0 || input < 0) {
        return std::nullopt;
    }
    return SeekPlan{static_cast<uint64_t>(reached), static_cast<uint64_t>(input)};
}

} // namespace audio
