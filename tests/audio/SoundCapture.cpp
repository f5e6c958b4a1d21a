#include "tests/audio/SoundCapture.h"

namespace audio_test {
namespace {

constexpr int kRate = 44100;
constexpr size_t kBlockFrames = kRate / 10;

} // namespace

SoundCapture::SoundCapture(int maxSeconds) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = kRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = kRate * 4;
    if (waveInOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        device_ = nullptr;
        return;
    }
    size_t count = static_cast<size_t>(maxSeconds) * 10;
    blocks_.assign(count, std::vector<int16_t>(kBlockFrames * 2));
    headers_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        headers_[i].lpData = reinterpret_cast<LPSTR>(blocks_[i].data());
        headers_[i].dwBufferLength = static_cast<DWORD>(kBlockFrames * 4);
        waveInPrepareHeader(device_, &headers_[i], sizeof(WAVEHDR));
        waveInAddBuffer(device_, &headers_[i], sizeof(WAVEHDR));
    }
    waveInStart(device_);
}

SoundCapture::~SoundCapture() {
    Stop();
}

std::vector<int16_t> SoundCapture::Stop() {
    std::vector<int16_t> samples;
    if (device_ == nullptr) {
        return samples;
    }
    waveInStop(device_);
    waveInReset(device_);
    for (size_t i = 0; i < headers_.size(); ++i) {
        size_t count = headers_[i].dwBytesRecorded / sizeof(int16_t);
        samples.insert(samples.end(), blocks_[i].begin(),
                       blocks_[i].begin() + static_cast<ptrdiff_t>(count));
        waveInUnprepareHeader(device_, &headers_[i], sizeof(WAVEHDR));
    }
    waveInClose(device_);
    device_ = nullptr;
    return samples;
}

} // namespace audio_test
