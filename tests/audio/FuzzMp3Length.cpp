// libFuzzer target: the MP3 header reader must accept any bytes safely.

#include "audio/Mp3Length.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::span<const uint8_t> bytes(data, size);
    audio::ComputeMp3Length(bytes, size);
    audio::ComputeMp3Length(bytes, size * 1000);
    audio::ParseFrameHeader(bytes);
    return 0;
}
