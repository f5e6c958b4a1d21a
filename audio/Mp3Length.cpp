#include "audio/Mp3Length.h"

#include <array>
#include <cstring>

namespace audio {
namespace {

constexpr std::array<std::array<int, 15>, 5> kBitRates{{
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG-1 layer I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG-1 layer II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG-1 layer III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG-2/2.5 layer I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG-2/2.5 II, III
}};

constexpr std::array<int, 3> kMpeg1Rates{44100, 48000, 32000};

uint32_t BigEndian32(std::span<const uint8_t> bytes, size_t at) {
    return (uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
           (uint32_t{bytes[at + 2]} << 8) | uint32_t{bytes[at + 3]};
}

bool HasTag(std::span<const uint8_t> bytes, size_t at, const char* tag) {
    size_t length = std::strlen(tag);
    return at + length <= bytes.size() && std::memcmp(bytes.data() + at, tag, length) == 0;
}

bool SameStream(const Mp3FrameHeader& a, const Mp3FrameHeader& b) {
    return a.sampleRate == b.sampleRate && a.samplesPerFrame == b.samplesPerFrame &&
           a.mpeg1 == b.mpeg1;
}

// The first frame header that the next frame's header confirms, when the
// bytes reach that far; a lone 0xFFE sync pattern inside a tag or junk is
// not taken for audio.
std::optional<std::pair<size_t, Mp3FrameHeader>> FindFirstFrame(std::span<const uint8_t> bytes,
                                                                size_t from) {
    for (size_t at = from; at + 4 <= bytes.size(); ++at) {
        auto header = ParseFrameHeader(bytes.subspan(at));
        if (!header) {
            continue;
        }
        size_t next = at + static_cast<size_t>(header->frameBytes);
        if (next + 4 <= bytes.size()) {
            auto following = ParseFrameHeader(bytes.subspan(next));
            if (!following || !SameStream(*header, *following)) {
                continue;
            }
        }
        return std::pair{at, *header};
    }
    return std::nullopt;
}

// Frames and gapless trim from a Xing/Info header and its LAME extension.
std::optional<uint64_t> XingSampleFrames(std::span<const uint8_t> frame,
                                         const Mp3FrameHeader& header) {
    size_t sideInfo =
        header.mpeg1 ? (header.channels == 1 ? 17 : 32) : (header.channels == 1 ? 9 : 17);
    size_t at = 4 + sideInfo;
    if (!HasTag(frame, at, "Xing") && !HasTag(frame, at, "Info")) {
        return std::nullopt;
    }
    if (at + 8 > frame.size()) {
        return std::nullopt;
    }
    uint32_t flags = BigEndian32(frame, at + 4);
    if ((flags & 1) == 0 || at + 12 > frame.size()) {
        return std::nullopt;
    }
    uint64_t samples = uint64_t{BigEndian32(frame, at + 8)} * header.samplesPerFrame;
    size_t lame = at + 12 + ((flags & 2) ? 4 : 0) + ((flags & 4) ? 100 : 0) + ((flags & 8) ? 4 : 0);
    bool tagged =
        HasTag(frame, lame, "LAME") || HasTag(frame, lame, "Lavc") || HasTag(frame, lame, "Lavf");
    if (tagged && lame + 24 <= frame.size()) {
        // Encoder delay and padding: two 12-bit fields, which decoders drop.
        size_t trim = lame + 21;
        uint64_t delay = (uint64_t{frame[trim]} << 4) | (frame[trim + 1] >> 4);
        uint64_t padding = (uint64_t{frame[trim + 1] & 0x0Fu} << 8) | frame[trim + 2];
        if (delay + padding < samples) {
            samples -= delay + padding;
        }
    }
    return samples;
}

std::optional<uint64_t> VbriSampleFrames(std::span<const uint8_t> frame,
                                         const Mp3FrameHeader& header) {
    constexpr size_t at = 4 + 32;
    if (!HasTag(frame, at, "VBRI") || at + 18 > frame.size()) {
        return std::nullopt;
    }
    return uint64_t{BigEndian32(frame, at + 14)} * header.samplesPerFrame;
}

} // namespace

std::optional<Mp3FrameHeader> ParseFrameHeader(std::span<const uint8_t> bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    int version = (bytes[1] >> 3) & 3; // 0: MPEG-2.5, 2: MPEG-2, 3: MPEG-1
    int layer = 4 - ((bytes[1] >> 1) & 3);
    int bitRateIndex = bytes[2] >> 4;
    int rateIndex = (bytes[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitRateIndex == 0 || bitRateIndex == 15 || rateIndex == 3) {
        return std::nullopt;
    }
    Mp3FrameHeader header;
    header.mpeg1 = version == 3;
    header.sampleRate = kMpeg1Rates[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    size_t table = header.mpeg1 ? static_cast<size_t>(layer - 1) : (layer == 1 ? 3 : 4);
    header.bitRate = kBitRates[table][bitRateIndex] * 1000;
    header.channels = (bytes[3] >> 6) == 3 ? 1 : 2;
    int padding = (bytes[2] >> 1) & 1;
    if (layer == 1) {
        header.samplesPerFrame = 384;
        header.frameBytes = (12 * header.bitRate / header.sampleRate + padding) * 4;
    } else {
        header.samplesPerFrame = (layer == 3 && !header.mpeg1) ? 576 : 1152;
        header.frameBytes =
            header.samplesPerFrame / 8 * header.bitRate / header.sampleRate + padding;
    }
    return header;
}

uint64_t Id3v2Size(std::span<const uint8_t> bytes) {
    if (bytes.size() < 10 || !HasTag(bytes, 0, "ID3")) {
        return 0;
    }
    uint64_t size = 0;
    for (size_t i = 6; i < 10; ++i) {
        if (bytes[i] & 0x80) {
            return 0;
        }
        size = (size << 7) | bytes[i];
    }
    bool footer = (bytes[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

std::optional<Mp3Length> ComputeMp3Length(std::span<const uint8_t> head, uint64_t fileSize) {
    uint64_t tag = Id3v2Size(head);
    if (tag >= head.size()) {
        return std::nullopt;
    }
    auto found = FindFirstFrame(head, static_cast<size_t>(tag));
    if (!found) {
        return std::nullopt;
    }
    auto [at, header] = *found;
    Mp3Length length;
    length.sampleRate = header.sampleRate;
    length.audioStart = at;
    auto frame = head.subspan(at);
    if (auto samples = XingSampleFrames(frame, header)) {
        length.sampleFrames = *samples;
        length.exact = true;
    } else if (auto vbri = VbriSampleFrames(frame, header)) {
        length.sampleFrames = *vbri;
        length.exact = true;
    } else if (fileSize > at) {
        length.sampleFrames = (fileSize - at) * 8 * static_cast<uint64_t>(header.sampleRate) /
                              static_cast<uint64_t>(header.bitRate);
    }
    return length;
}

} // namespace audio
