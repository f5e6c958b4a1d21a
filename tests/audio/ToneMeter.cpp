#include "tests/audio/ToneMeter.h"

#include <algorithm>
#include <cmath>

namespace audio_test {

ToneReading MeasureTone(std::span<const int16_t> samples, double fromSeconds, double toSeconds) {
    constexpr double kRate = 44100.0;
    size_t frames = samples.size() / 2;
    size_t first = std::min(frames, static_cast<size_t>(fromSeconds * kRate));
    size_t last = std::min(frames, static_cast<size_t>(toSeconds * kRate));
    ToneReading reading;
    if (last <= first + 1) {
        return reading;
    }
    double sum = 0.0;
    size_t crossings = 0;
    size_t firstCrossing = 0;
    size_t lastCrossing = 0;
    for (size_t i = first; i < last; ++i) {
        double value = samples[i * 2] / 32768.0;
        sum += value * value;
        if (i > first && samples[(i - 1) * 2] < 0 && samples[i * 2] >= 0) {
            if (crossings == 0) {
                firstCrossing = i;
            }
            lastCrossing = i;
            ++crossings;
        }
    }
    reading.rms = std::sqrt(sum / static_cast<double>(last - first));
    if (crossings > 1) {
        reading.frequency = static_cast<double>(crossings - 1) * kRate /
                            static_cast<double>(lastCrossing - firstCrossing);
    }
    return reading;
}

std::vector<ToneReading> SoundingBlocks(std::span<const int16_t> samples) {
    std::vector<ToneReading> blocks;
    double seconds = static_cast<double>(samples.size() / 2) / 44100.0;
    for (double at = 0.0; at + 0.1 <= seconds; at += 0.1) {
        ToneReading reading = MeasureTone(samples, at, at + 0.1);
        if (reading.rms > 0.01) {
            blocks.push_back(reading);
        }
    }
    return blocks;
}

ToneReading LastSounding(std::span<const int16_t> samples, size_t count) {
    auto blocks = SoundingBlocks(samples);
    if (count == 0 || blocks.size() < count + 1) {
        return {};
    }
    std::vector<double> levels;
    std::vector<double> pitches;
    for (size_t i = blocks.size() - 1 - count; i < blocks.size() - 1; ++i) {
        levels.push_back(blocks[i].rms);
        pitches.push_back(blocks[i].frequency);
    }
    auto median = [](std::vector<double>& values) {
        std::sort(values.begin(), values.end());
        size_t middle = values.size() / 2;
        return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    };
    return {median(levels), median(pitches)};
}

} // namespace audio_test
