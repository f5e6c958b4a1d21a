#pragma once
// The engine's process-wide state: whether an output device was opened, and
// the live streams by handle. Handles count up and are never handed out
// twice, so a stale handle finds nothing instead of somebody else's stream.

#include "audio/Stream.h"

#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

namespace audio {

class StreamRegistry {
public:
    static StreamRegistry& Instance();

    bool Init(int device, uint32_t frequency);
    bool Free();
    // The output device for new streams, or nothing before a successful Init.
    std::optional<UINT> OutputDevice() const;

    uint32_t Add(std::unique_ptr<Stream> stream);
    std::shared_ptr<Stream> Find(uint32_t handle) const;
    // The stream's threads are stopped before this returns.
    bool Remove(uint32_t handle);

private:
    StreamRegistry() = default;

    mutable std::mutex mutex_;
    std::optional<UINT> device_;
    std::map<uint32_t, std::shared_ptr<Stream>> streams_;
    uint32_t lastHandle_ = 0;
};

} // namespace audio
