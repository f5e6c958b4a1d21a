#include "server/Mp3Encoder.h"

#include <lame.h>

#include <algorithm>
#include <memory>

namespace station_server {

namespace {

struct LameRelease {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

} // namespace

std::string EncodeMp3(const std::vector<std::int16_t>& interleavedStereo, int sampleRate,
                      int kilobitsPerSecond) {
    std::unique_ptr<lame_global_flags, LameRelease> lame(lame_init());
    if (!lame) {
        return {};
    }
    lame_set_in_samplerate(lame.get(), sampleRate);
    lame_set_out_samplerate(lame.get(), sampleRate);
    lame_set_num_channels(lame.get(), 2);
    lame_set_mode(lame.get(), JOINT_STEREO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kilobitsPerSecond);
    lame_set_quality(lame.get(), 9); // fastest; the tunes are simple
    // No Xing/Info frame: a constant bit rate tells players the length already.
    lame_set_bWriteVbrTag(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) {
        return {};
    }
    std::string mp3;
    constexpr int kFramesPerCall = 8192;
    // LAME's own bound for its output buffer: 1.25 * samples + 7200.
    std::vector<unsigned char> buffer(kFramesPerCall * 5 / 4 + 7200);
    const size_t frames = interleavedStereo.size() / 2;
    for (size_t done = 0; done < frames; done += kFramesPerCall) {
        int count = static_cast<int>(std::min<size_t>(kFramesPerCall, frames - done));
        // LAME's interface takes non-const samples but does not write them.
        auto* samples = const_cast<short*>(interleavedStereo.data() + done * 2);
        int written = lame_encode_buffer_interleaved(lame.get(), samples, count, buffer.data(),
                                                     static_cast<int>(buffer.size()));
        if (written < 0) {
            return {};
        }
        mp3.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(written));
    }
    int written = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
    if (written < 0) {
        return {};
    }
    mp3.append(reinterpret_cast<const char*>(buffer.data()), static_cast<size_t>(written));
    return mp3;
}

} // namespace station_server
