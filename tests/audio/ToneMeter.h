#pragma once
// Level and pitch of a stretch of captured 16-bit stereo sound.

#include <cstdint>
#include <span>
#include <vector>

namespace audio_test {

struct ToneReading {
    double rms = 0.0;       // of the left channel, full scale = 1.0
    double frequency = 0.0; // Hz, from upward zero crossings
};

// samples: interleaved stereo at 44100 Hz; the stretch from fromSeconds to
// toSeconds (clipped to what was recorded).
ToneReading MeasureTone(std::span<const int16_t> samples, double fromSeconds, double toSeconds);

// Readings of the 100 ms blocks that carry sound, in order. Wine's capture
// and output both lose stretches while a stream starts, and the sink's
// monitor is silent while nothing plays, so neither end of a capture is a
// reliable clock; the sounding blocks are.
std::vector<ToneReading> SoundingBlocks(std::span<const int16_t> samples);

// The median reading (level and pitch each) of the last count sounding
// blocks, the very last block left out as it may be cut short; zeros when
// there are too few. The median ignores a block cut by a seek or a gap.
ToneReading LastSounding(std::span<const int16_t> samples, size_t count);

} // namespace audio_test
