#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace station_server {

// MPEG-1 Layer III at a constant bit rate, from interleaved 16-bit stereo.
// Empty on failure.
std::string EncodeMp3(const std::vector<std::int16_t>& interleavedStereo, int sampleRate,
                      int kilobitsPerSecond = 128);

} // namespace station_server
