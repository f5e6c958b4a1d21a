#include "audio/Mp3Length.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using audio::ComputeMp3Length;

// A 128 kbit/s, 44100 Hz, stereo MPEG-1 layer III frame header (417 bytes
// a frame without padding).
constexpr uint8_t kHeader[] = {0xFF, 0xFB, 0x90, 0x00};
constexpr size_t kFrameBytes = 417;

std::vector<uint8_t> Frames(size_t count) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < count; ++i) {
        bytes.insert(bytes.end(), std::begin(kHeader), std::end(kHeader));
        bytes.resize(bytes.size() + kFrameBytes - 4);
    }
    return bytes;
}

void PutBigEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

void PutTag(std::vector<uint8_t>& bytes, size_t at, const char* tag) {
    for (size_t i = 0; tag[i] != '\0'; ++i) {
        bytes[at + i] = static_cast<uint8_t>(tag[i]);
    }
}

TEST(Mp3Length, ConstantBitRateIsEstimatedFromTheFileSize) {
    auto bytes = Frames(8);
    // 41700 bytes at 128 kbit/s: 2.606 s, 114935 sample frames at 44100 Hz.
    auto length = ComputeMp3Length(bytes, 100 * kFrameBytes);
    ASSERT_TRUE(length);
    EXPECT_EQ(length->sampleRate, 44100);
    EXPECT_FALSE(length->exact);
    EXPECT_EQ(length->sampleFrames, 114935u);
}

TEST(Mp3Length, XingFrameCountWithLameTrimIsExact) {
    auto bytes = Frames(4);
    size_t xing = 4 + 32;
    PutTag(bytes, xing, "Xing");
    PutBigEndian(bytes, xing + 4, 0x0F); // frames, bytes, TOC, quality
    PutBigEndian(bytes, xing + 8, 500);
    size_t lame = xing + 12 + 4 + 100 + 4;
    PutTag(bytes, lame, "LAME3.100");
    // delay 576, padding 1000: 0x240 and 0x3E8 packed in 12 bits each.
    bytes[lame + 21] = 0x24;
    bytes[lame + 22] = 0x03;
    bytes[lame + 23] = 0xE8;
    auto length = ComputeMp3Length(bytes, 9'999'999);
    ASSERT_TRUE(length);
    EXPECT_TRUE(length->exact);
    EXPECT_EQ(length->sampleFrames, 500u * 1152 - 576 - 1000);
}

TEST(Mp3Length, VbriFrameCountIsHonoured) {
    auto bytes = Frames(4);
    PutTag(bytes, 36, "VBRI");
    PutBigEndian(bytes, 36 + 14, 321);
    auto length = ComputeMp3Length(bytes, 9'999'999);
    ASSERT_TRUE(length);
    EXPECT_EQ(length->sampleFrames, 321u * 1152);
}

TEST(Mp3Length, Id3v2TagIsSkipped) {
    std::vector<uint8_t> bytes = {'I', 'D', '3', 4, 0, 0, 0, 0, 0x01, 0x00}; // 128-byte tag
    bytes.resize(10 + 128, 0xFF); // sync-like bytes inside the tag must not count
    auto frames = Frames(4);
    bytes.insert(bytes.end(), frames.begin(), frames.end());
    auto length = ComputeMp3Length(bytes, 138 + 100 * kFrameBytes);
    ASSERT_TRUE(length);
    EXPECT_EQ(length->audioStart, 138u);
    EXPECT_EQ(length->sampleFrames, 114935u);
}

TEST(Mp3Length, NonAudioBytesHaveNoLength) {
    std::vector<uint8_t> html(4000, 'x');
    EXPECT_FALSE(ComputeMp3Length(html, html.size()));
    std::vector<uint8_t> loneSync = {'a', 0xFF, 0xFB, 0x90, 0x00, 'b', 'c'};
    loneSync.resize(1000, 'z');
    EXPECT_FALSE(ComputeMp3Length(loneSync, loneSync.size()));
    EXPECT_FALSE(ComputeMp3Length({}, 0));
}

TEST(Mp3Length, FrameHeadersOfOtherVersionsAndLayers) {
    struct Case {
        uint8_t header[4];
        int rate;
        int samples;
        int bytes;
    };
    const Case cases[] = {
        {{0xFF, 0xF3, 0x90, 0xC0}, 22050, 576, 261},  // MPEG-2 layer III 80k mono
        {{0xFF, 0xE3, 0x90, 0xC0}, 11025, 576, 522},  // MPEG-2.5 layer III 80k
        {{0xFF, 0xFD, 0x90, 0x00}, 44100, 1152, 522}, // MPEG-1 layer II 160k
        {{0xFF, 0xFF, 0x90, 0x00}, 44100, 384, 312},  // MPEG-1 layer I 288k: 78 slots of 4
    };
    for (const auto& c : cases) {
        auto header = audio::ParseFrameHeader(c.header);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->sampleRate, c.rate);
        EXPECT_EQ(header->samplesPerFrame, c.samples);
        EXPECT_EQ(header->frameBytes, c.bytes);
    }
    const uint8_t reserved[] = {0xFF, 0xEB, 0x90, 0x00};
    const uint8_t badRate[] = {0xFF, 0xFB, 0x9C, 0x00};
    const uint8_t freeFormat[] = {0xFF, 0xFB, 0x00, 0x00};
    EXPECT_FALSE(audio::ParseFrameHeader(reserved));
    EXPECT_FALSE(audio::ParseFrameHeader(badRate));
    EXPECT_FALSE(audio::ParseFrameHeader(freeFormat));
}

} // namespace
