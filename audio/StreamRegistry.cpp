#include "audio/StreamRegistry.h"

#include "audio/WaveOutDevice.h"

namespace audio {

StreamRegistry& StreamRegistry::Instance() {
    // Never destroyed: streams may still be freed from other threads while
    // the process exits.
    static auto* registry = new StreamRegistry();
    return *registry;
}

bool StreamRegistry::Init(int device, uint32_t frequency) {
    UINT id = 0;
    if (device == -1) {
        id = WAVE_MAPPER;
    } else if (device >= 1) {
        id = static_cast<UINT>(device - 1);
    } else {
        return false;
    }
    int rate = frequency == 0 ? 44100 : static_cast<int>(frequency);
    if (!WaveOutDevice::CanOpen(id, rate)) {
        return false;
    }
    std::lock_guard lock(mutex_);
    device_ = id;
    return true;
}

bool StreamRegistry::Free() {
    std::map<uint32_t, std::shared_ptr<Stream>> streams;
    {
        std::lock_guard lock(mutex_);
        if (!device_) {
            return false;
        }
        device_.reset();
        streams.swap(streams_);
    }
    return true;
}

std::optional<UINT> StreamRegistry::OutputDevice() const {
    std::lock_guard lock(mutex_);
    return device_;
}

uint32_t StreamRegistry::Add(std::unique_ptr<Stream> stream) {
    std::lock_guard lock(mutex_);
    if (++lastHandle_ == 0) {
        ++lastHandle_;
    }
    streams_.emplace(lastHandle_, std::move(stream));
    return lastHandle_;
}

std::shared_ptr<Stream> StreamRegistry::Find(uint32_t handle) const {
    std::lock_guard lock(mutex_);
    auto found = streams_.find(handle);
    return found == streams_.end() ? nullptr : found->second;
}

bool StreamRegistry::Remove(uint32_t handle) {
    std::shared_ptr<Stream> stream;
    {
        std::lock_guard lock(mutex_);
        auto found = streams_.find(handle);
        if (found == streams_.end()) {
            return false;
        }
        stream = std::move(found->second);
        streams_.erase(found);
    }
    return true;
}

} // namespace audio
