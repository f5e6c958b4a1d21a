#pragma once
// Level and pitch of a stretch of captured 16-bit stereo sound.

#include <cstdint>
#include <span>

namespace audio_test {

struct ToneReading {
    double rms = 0.0;       // of the left channel, full scale = 1.0
    double frequency = 0.0; // Hz, from upward zero crossings
};

// samples: interleaved stereo at 44100 Hz; the stretch from fromSeconds to
// toSeconds (clipped to what was recorded).
ToneReading MeasureTone(std::span<const int16_t> samples, double fromSeconds, double toSeconds);

// The same for the stretch that ended beforeEnd seconds before the capture
// ended. The sink's monitor is silent while nothing plays, so the capture's
// start is not a reliable clock; its end is.
ToneReading MeasureToneBeforeEnd(std::span<const int16_t> samples, double beforeEnd,
                                 double seconds);

} // namespace audio_test
