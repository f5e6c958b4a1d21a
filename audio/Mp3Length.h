#pragma once
// Length of an MP3 file from its first bytes and its size, before the rest of
// it has arrived: the frame count of a Xing/Info or VBRI header when there is
// one, otherwise an estimate from the first frame's constant bit rate.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace audio {

struct Mp3FrameHeader {
    int sampleRate = 0;      // Hz
    int bitRate = 0;         // bits per second
    int samplesPerFrame = 0; // PCM frames one MPEG frame decodes to
    int frameBytes = 0;      // whole frame, header included
    int channels = 0;
    bool mpeg1 = false;
};

struct Mp3Length {
    uint64_t sampleFrames = 0; // PCM frames of the whole song
    int sampleRate = 0;
    uint64_t audioStart = 0; // file offset of the first MPEG frame
    bool exact = false;      // from a VBR header rather than a bit-rate estimate
};

// The header at the start of bytes, if it is a valid MPEG audio frame header.
std::optional<Mp3FrameHeader> ParseFrameHeader(std::span<const uint8_t> bytes);

// Bytes taken by an ID3v2 tag at the start of bytes (0 without one).
uint64_t Id3v2Size(std::span<const uint8_t> bytes);

// head: the first bytes of the file (a few kilobytes past any ID3v2 tag are
// enough); fileSize: the whole file's size in bytes.
std::optional<Mp3Length> ComputeMp3Length(std::span<const uint8_t> head, uint64_t fileSize);

} // namespace audio
