#include "audio/DownloadBuffer.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using audio::DownloadBuffer;
using Status = DownloadBuffer::ReadStatus;

std::vector<uint8_t> Bytes(size_t count, uint8_t value) {
    return std::vector<uint8_t>(count, value);
}

TEST(DownloadBuffer, ReadsWaitUntilBytesArriveAndEndAfterCompletion) {
    DownloadBuffer buffer;
    std::vector<uint8_t> out(10);
    EXPECT_EQ(buffer.ReadAt(0, out).status, Status::Wait);
    auto generation = buffer.Generation();
    buffer.SetTotalSize(generation, 6);
    buffer.Append(generation, Bytes(4, 7));
    auto read = buffer.ReadAt(2, out);
    EXPECT_EQ(read.status, Status::Data);
    EXPECT_EQ(read.bytes, 2u);
    EXPECT_EQ(buffer.ReadAt(4, out).status, Status::Wait);
    buffer.Append(generation, Bytes(2, 8));
    buffer.MarkComplete(generation);
    EXPECT_EQ(buffer.ReadAt(6, out).status, Status::End);
    EXPECT_EQ(buffer.DownloadedEnd(), 6u);
}

TEST(DownloadBuffer, FailedDownloadEndsAtWhatArrived) {
    DownloadBuffer buffer;
    auto generation = buffer.Generation();
    buffer.SetTotalSize(generation, 100);
    buffer.Append(generation, Bytes(40, 1));
    buffer.MarkFailed(generation);
    std::vector<uint8_t> out(10);
    EXPECT_EQ(buffer.ReadAt(30, out).status, Status::Data);
    EXPECT_EQ(buffer.ReadAt(40, out).status, Status::End);
}

TEST(DownloadBuffer, RestartMovesTheRunAndIgnoresTheStaleWriter) {
    DownloadBuffer buffer;
    auto old = buffer.Generation();
    buffer.SetTotalSize(old, 1'000'000);
    buffer.Append(old, Bytes(1000, 1));
    EXPECT_TRUE(buffer.Reaches(500));
    EXPECT_TRUE(buffer.Reaches(1000 + 4096));
    EXPECT_FALSE(buffer.Reaches(900'000));
    buffer.RestartAt(900'000);
    EXPECT_FALSE(buffer.Append(old, Bytes(10, 2)));
    EXPECT_FALSE(buffer.Reaches(500));
    auto current = buffer.Generation();
    EXPECT_NE(current, old);
    EXPECT_EQ(buffer.WriteOffset(), 900'000u);
    buffer.Append(current, Bytes(10, 3));
    std::vector<uint8_t> out(4);
    auto read = buffer.ReadAt(900'002, out);
    EXPECT_EQ(read.bytes, 4u);
    EXPECT_EQ(out[0], 3);
    EXPECT_EQ(buffer.TotalSize(), 1'000'000u);
}

TEST(DownloadBuffer, CancelWakesWaitersAndEndsReads) {
    DownloadBuffer buffer;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        buffer.Cancel();
    });
    auto start = std::chrono::steady_clock::now();
    buffer.WaitForData(0, start + std::chrono::seconds(20));
    canceller.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    std::vector<uint8_t> out(4);
    EXPECT_EQ(buffer.ReadAt(0, out).status, Status::End);
    EXPECT_TRUE(buffer.WaitForRestart(buffer.Generation(), std::chrono::seconds(20)));
}

} // namespace
