#pragma once

#include <cstdint>
#include <vector>

namespace station_server {

struct MelodyTraits {
    int rootNote = 60; // MIDI
    int beatsPerMinute = 100;
    bool triangleLead = false;
    unsigned seed = 1;
};

struct RenderedSong {
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 2;
    std::vector<std::int16_t> samples; // interleaved left/right
    std::vector<double> phraseStarts;  // seconds, one per sung phrase
    double seconds = 0;
};

// A short pentatonic tune: a lead melody over a bass line, phrase by phrase,
// 20 to 40 seconds long, with note envelopes so that every note is heard.
RenderedSong RenderMelody(const MelodyTraits& traits);

} // namespace station_server
