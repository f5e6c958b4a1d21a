#include "audio/WaveOutDevice.h"

namespace audio {
namespace {

// Eight buffers of about 46 ms: enough slack for Wine's mixer, short enough
// that a volume change is heard soon.
constexpr size_t kBufferCount = 8;
constexpr size_t kBufferFrames = 2048;

WAVEFORMATEX StereoPcm16(int sampleRate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = static_cast<DWORD>(sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    return format;
}

} // namespace

bool WaveOutDevice::CanOpen(UINT deviceId, int sampleRate) {
    if (waveOutGetNumDevs() == 0) {
        return false;
    }
    WAVEFORMATEX format = StereoPcm16(sampleRate);
    return waveOutOpen(nullptr, deviceId, &format, 0, 0, WAVE_FORMAT_QUERY) == MMSYSERR_NOERROR;
}

std::unique_ptr<WaveOutDevice> WaveOutDevice::Open(UINT deviceId, int sampleRate) {
    UniqueHandle event(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!event) {
        return nullptr;
    }
    WAVEFORMATEX format = StereoPcm16(sampleRate);
    HWAVEOUT device = nullptr;
    if (waveOutOpen(&device, deviceId, &format, reinterpret_cast<DWORD_PTR>(event.get()), 0,
                    CALLBACK_EVENT) != MMSYSERR_NOERROR) {
        return nullptr;
    }
    return std::unique_ptr<WaveOutDevice>(new WaveOutDevice(device, std::move(event)));
}

WaveOutDevice::WaveOutDevice(HWAVEOUT device, UniqueHandle doneEvent)
    : device_(device), doneEvent_(std::move(doneEvent)), buffers_(kBufferCount) {
    for (auto& buffer : buffers_) {
        buffer.samples.resize(kBufferFrames * 2);
    }
}

WaveOutDevice::~WaveOutDevice() {
    Reset();
    waveOutClose(device_);
}

std::optional<size_t> WaveOutDevice::FreeBuffer() const {
    for (size_t i = 0; i < buffers_.size(); ++i) {
        if (!buffers_[i].queued) {
            return i;
        }
    }
    return std::nullopt;
}

std::span<int16_t> WaveOutDevice::Samples(size_t buffer) {
    return buffers_[buffer].samples;
}

bool WaveOutDevice::Submit(size_t index, size_t frames) {
    Buffer& buffer = buffers_[index];
    buffer.header = WAVEHDR{};
    buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
    buffer.header.dwBufferLength = static_cast<DWORD>(frames * 4);
    if (waveOutPrepareHeader(device_, &buffer.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        return false;
    }
    if (waveOutWrite(device_, &buffer.header, sizeof(WAVEHDR)) != MMSYSERR_NOERROR) {
        waveOutUnprepareHeader(device_, &buffer.header, sizeof(WAVEHDR));
        return false;
    }
    buffer.frames = frames;
    buffer.queued = true;
    return true;
}

uint64_t WaveOutDevice::CollectPlayed() {
    uint64_t played = 0;
    for (auto& buffer : buffers_) {
        if (buffer.queued && (buffer.header.dwFlags & WHDR_DONE) != 0) {
            played += buffer.frames;
            Release(buffer);
        }
    }
    return played;
}

size_t WaveOutDevice::QueuedCount() const {
    size_t count = 0;
    for (const auto& buffer : buffers_) {
        count += buffer.queued ? 1 : 0;
    }
    return count;
}

void WaveOutDevice::Pause() {
    waveOutPause(device_);
}

void WaveOutDevice::Resume() {
    waveOutRestart(device_);
}

void WaveOutDevice::Reset() {
    waveOutReset(device_);
    for (auto& buffer : buffers_) {
        if (buffer.queued) {
            Release(buffer);
        }
    }
}

void WaveOutDevice::Release(Buffer& buffer) {
    waveOutUnprepareHeader(device_, &buffer.header, sizeof(WAVEHDR));
    buffer.queued = false;
    buffer.frames = 0;
}

} // namespace audio
