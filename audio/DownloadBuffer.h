#pragma once
// The bytes of a stream's file as far as they have arrived: one contiguous
// run starting at a file offset. A seek outside the run restarts it at the new
// offset; the generation number tells the downloader that its request is
// stale. Shared by the downloader thread (writer) and the decoder (reader).

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

namespace audio {

class DownloadBuffer {
public:
    enum class ReadStatus { Data, Wait, End };
    struct ReadResult {
        size_t bytes = 0;
        ReadStatus status = ReadStatus::Wait;
    };

    DownloadBuffer() = default;
    // A whole file that is already in memory.
    explicit DownloadBuffer(std::vector<uint8_t> bytes);

    // Reader side.
    ReadResult ReadAt(uint64_t offset, std::span<uint8_t> out) const;
    // Waits until bytes at offset, the end, a cancel or the deadline.
    void WaitForData(uint64_t offset, std::chrono::steady_clock::time_point deadline) const;
    // True when offset is held or will arrive soon on the current download.
    bool Reaches(uint64_t offset) const;
    void RestartAt(uint64_t offset);
    uint64_t DownloadedEnd() const;
    std::optional<uint64_t> TotalSize() const;
    bool IsComplete() const;
    void Cancel();

    // Writer side; calls with a stale generation are ignored.
    uint64_t Generation() const;
    uint64_t WriteOffset() const;
    bool IsCancelled() const;
    bool Append(uint64_t generation, std::span<const uint8_t> bytes);
    void SetTotalSize(uint64_t generation, uint64_t size);
    void MarkComplete(uint64_t generation);
    void MarkFailed(uint64_t generation);
    // True while the writer has work: not finished for this generation.
    bool NeedsWriting(uint64_t generation) const;
    // Sleeps until a restart, a cancel or the time runs out; true on either event.
    bool WaitForRestart(uint64_t generation, std::chrono::milliseconds timeout) const;

private:
    bool Finished() const { return complete_ || failed_; }

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<uint8_t> bytes_;
    uint64_t base_ = 0;
    std::optional<uint64_t> totalSize_;
    uint64_t generation_ = 0;
    bool complete_ = false;
    bool failed_ = false;
    bool cancelled_ = false;
};

} // namespace audio
