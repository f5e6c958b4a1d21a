#include "server/MelodySynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace station_server {

namespace {

constexpr int kBeatsPerPhrase = 8;
constexpr double kLeadIn = 0.5;  // seconds of silence before the first phrase
constexpr double kTail = 1.5;    // seconds for the last note to ring out
constexpr double kTarget = 28.0; // seconds of music aimed at

// Major pentatonic degrees over two octaves.
constexpr int kScale[] = {0, 2, 4, 7, 9, 12, 14, 16, 19, 21};
constexpr int kScaleSize = static_cast<int>(std::size(kScale));
// Bass roots of the four bars of a phrase: I, vi, IV, V.
constexpr int kBassRoots[] = {0, -3, -7, -5};

double Frequency(double midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0);
}

double Triangle(double phase) {
    double x = phase - std::floor(phase);
    return 4.0 * std::abs(x - 0.5) - 1.0;
}

// Attack, decay to a sustain level, release at the note's end.
double Envelope(double t, double length) {
    constexpr double attack = 0.01, decay = 0.12, sustain = 0.55, release = 0.08;
    if (t < 0 || t >= length) {
        return 0;
    }
    double level = t < attack           ? t / attack
                   : t < attack + decay ? 1.0 - (1.0 - sustain) * (t - attack) / decay
                                        : sustain;
    double untilEnd = length - t;
    return untilEnd < release ? level * untilEnd / release : level;
}

struct Note {
    double start;  // seconds
    double length; // seconds
    double midi;
};

// Adds a note to the stereo mix with the given gains per channel.
void Mix(std::vector<float>& mix, const Note& note, bool triangle, float left, float right) {
    const double rate = RenderedSong::kSampleRate;
    auto first = static_cast<size_t>(note.start * rate);
    auto count = static_cast<size_t>(note.length * rate);
    double step = Frequency(note.midi) / rate;
    for (size_t i = 0; i < count && (first + i) * 2 + 1 < mix.size(); ++i) {
        double phase = step * static_cast<double>(i);
        double wave = triangle ? Triangle(phase)
                               : std::sin(2.0 * std::numbers::pi * phase) +
                                     0.25 * std::sin(4.0 * std::numbers::pi * phase);
        auto value =
            static_cast<float>(wave * Envelope(static_cast<double>(i) / rate, note.length));
        mix[(first + i) * 2] += value * left;
        mix[(first + i) * 2 + 1] += value * right;
    }
}

} // namespace

RenderedSong RenderMelody(const MelodyTraits& traits) {
    RenderedSong song;
    std::mt19937 random(traits.seed);
    const double beat = 60.0 / std::clamp(traits.beatsPerMinute, 60, 180);
    const double phraseLength = beat * kBeatsPerPhrase;
    int phrases = std::max(2, static_cast<int>(std::lround(kTarget / phraseLength)));
    song.seconds = kLeadIn + phrases * phraseLength + kTail;
    std::vector<float> mix(static_cast<size_t>(song.seconds * RenderedSong::kSampleRate) * 2);

    // Lead pans a little off centre, a different side for each song.
    const float leadLeft = traits.seed % 2 ? 0.30f : 0.20f;
    const float leadRight = traits.seed % 2 ? 0.20f : 0.30f;
    int degree = 2 + static_cast<int>(random() % 3);
    for (int phrase = 0; phrase < phrases; ++phrase) {
        double start = kLeadIn + phrase * phraseLength;
        song.phraseStarts.push_back(start);
        double beats = 0;
        while (beats < kBeatsPerPhrase) {
            // Eighths, quarters and dotted quarters; each phrase ends on a long note.
            double length =
                kBeatsPerPhrase - beats <= 2 ? kBeatsPerPhrase - beats : 0.5 * (1 + random() % 3);
            degree = std::clamp(degree + static_cast<int>(random() % 5) - 2, 0, kScaleSize - 1);
            int pitch = kScale[kBeatsPerPhrase - beats <= 2 ? (degree / 5) * 5 : degree];
            Mix(mix, {start + beats * beat, length * beat * 0.95, double(traits.rootNote + pitch)},
                traits.triangleLead, leadLeft, leadRight);
            beats += length;
        }
        for (int bar = 0; bar < kBeatsPerPhrase / 2; ++bar) {
            for (int half = 0; half < 2; ++half) {
                int bassNote = traits.rootNote - 12 + kBassRoots[bar] + (half == 1 ? 7 : 0);
                Mix(mix, {start + (bar * 2 + half) * beat, beat * 0.9, double(bassNote)}, false,
                    0.22f, 0.22f);
            }
        }
    }
    song.samples.resize(mix.size());
    std::transform(mix.begin(), mix.end(), song.samples.begin(), [](float value) {
        return static_cast<std::int16_t>(std::clamp(value, -1.0f, 1.0f) * 32000.0f);
    });
    return song;
}

} // namespace station_server
