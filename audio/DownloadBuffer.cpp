#include "audio/DownloadBuffer.h"

#include <algorithm>
#include <cstring>

namespace audio {
namespace {

// A seek this little past the downloaded end waits for the running download
// instead of restarting it: about two seconds of a 128 kbit/s song.
constexpr uint64_t kNearAhead = 32 * 1024;
// Songs are a few megabytes; a bigger announced size is not reserved up
// front, and no stream holds more than this.
constexpr uint64_t kMaxReserve = 64 * 1024 * 1024;
constexpr uint64_t kMaxHeld = 512 * 1024 * 1024;

} // namespace

DownloadBuffer::DownloadBuffer(std::vector<uint8_t> bytes)
    : bytes_(std::move(bytes)), totalSize_(bytes_.size()), complete_(true) {}

DownloadBuffer::ReadResult DownloadBuffer::ReadAt(uint64_t offset, std::span<uint8_t> out) const {
    std::lock_guard lock(mutex_);
    uint64_t end = base_ + bytes_.size();
    if (offset >= base_ && offset < end) {
        size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), end - offset));
        std::memcpy(out.data(), bytes_.data() + (offset - base_), count);
        return {count, ReadStatus::Data};
    }
    bool pastTotal = totalSize_ && offset >= *totalSize_;
    if (cancelled_ || pastTotal || (Finished() && offset >= base_)) {
        return {0, ReadStatus::End};
    }
    return {0, ReadStatus::Wait};
}

void DownloadBuffer::WaitForData(uint64_t offset,
                                 std::chrono::steady_clock::time_point deadline) const {
    std::unique_lock lock(mutex_);
    changed_.wait_until(lock, deadline, [&] {
        return cancelled_ || Finished() || (offset >= base_ && offset < base_ + bytes_.size());
    });
}

bool DownloadBuffer::Reaches(uint64_t offset) const {
    std::lock_guard lock(mutex_);
    uint64_t end = base_ + bytes_.size();
    if (offset < base_) {
        return false;
    }
    if (offset <= end || complete_) {
        return true;
    }
    return !failed_ && offset - end <= kNearAhead;
}

void DownloadBuffer::RestartAt(uint64_t offset) {
    {
        std::lock_guard lock(mutex_);
        bytes_.clear();
        base_ = offset;
        complete_ = false;
        failed_ = false;
        ++generation_;
    }
    changed_.notify_all();
}

uint64_t DownloadBuffer::DownloadedEnd() const {
    std::lock_guard lock(mutex_);
    return base_ + bytes_.size();
}

std::optional<uint64_t> DownloadBuffer::TotalSize() const {
    std::lock_guard lock(mutex_);
    return totalSize_;
}

bool DownloadBuffer::IsComplete() const {
    std::lock_guard lock(mutex_);
    return complete_;
}

void DownloadBuffer::Cancel() {
    {
        std::lock_guard lock(mutex_);
        cancelled_ = true;
    }
    changed_.notify_all();
}

uint64_t DownloadBuffer::Generation() const {
    std::lock_guard lock(mutex_);
    return generation_;
}

uint64_t DownloadBuffer::WriteOffset() const {
    return DownloadedEnd();
}

bool DownloadBuffer::IsCancelled() const {
    std::lock_guard lock(mutex_);
    return cancelled_;
}

bool DownloadBuffer::Append(uint64_t generation, std::span<const uint8_t> bytes) {
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_ || cancelled_ || bytes_.size() + bytes.size() > kMaxHeld) {
            return false;
        }
        if (totalSize_ && bytes_.capacity() == 0 && *totalSize_ > base_ &&
            *totalSize_ - base_ <= kMaxReserve) {
            bytes_.reserve(static_cast<size_t>(*totalSize_ - base_));
        }
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    }
    changed_.notify_all();
    return true;
}

void DownloadBuffer::SetTotalSize(uint64_t generation, uint64_t size) {
    std::lock_guard lock(mutex_);
    if (generation == generation_) {
        totalSize_ = size;
    }
}

void DownloadBuffer::MarkComplete(uint64_t generation) {
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_) {
            return;
        }
        complete_ = true;
        if (!totalSize_) {
            totalSize_ = base_ + bytes_.size();
        }
    }
    changed_.notify_all();
}

void DownloadBuffer::MarkFailed(uint64_t generation) {
    {
        std::lock_guard lock(mutex_);
        if (generation != generation_) {
            return;
        }
        failed_ = true;
    }
    changed_.notify_all();
}

bool DownloadBuffer::NeedsWriting(uint64_t generation) const {
    std::lock_guard lock(mutex_);
    return generation == generation_ && !Finished() && !cancelled_;
}

bool DownloadBuffer::WaitForRestart(uint64_t generation, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout,
                             [&] { return cancelled_ || generation != generation_; });
}

} // namespace audio
