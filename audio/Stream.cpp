#include "audio/Stream.h"

#include "audio/Mp3Length.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace audio {
namespace {

constexpr size_t kFeedBytes = 16 * 1024;
constexpr size_t kPendingSamples = 2 * 8192;
// A source that yields no frame within this much data is not MP3 audio.
constexpr uint64_t kMaxBytesBeforeAudio = 1024 * 1024;
constexpr size_t kLengthProbeBytes = 64 * 1024;
constexpr DWORD kFeederTickMs = 20;
// A volume change is ramped over about 10 ms so that it does not click.
constexpr float kGainRampSeconds = 0.01f;

} // namespace

std::unique_ptr<Stream> Stream::Create(Source source, UINT deviceId,
                                       std::chrono::steady_clock::time_point deadline) {
    auto decoder = std::make_unique<Mp3Decoder>();
    if (!decoder->IsValid() || !source.buffer) {
        return nullptr;
    }
    std::unique_ptr<Stream> stream(new Stream(std::move(source), std::move(decoder)));
    if (!stream->wake_ || !stream->DecodeFirstFrames(deadline)) {
        return nullptr;
    }
    stream->sampleRate_ = stream->decoder_->SampleRate();
    stream->device_ = WaveOutDevice::Open(deviceId, stream->sampleRate_);
    if (!stream->device_) {
        return nullptr;
    }
    stream->device_->Pause();
    stream->EstimateLength();
    stream->feeder_ = std::thread([raw = stream.get()] { raw->Run(); });
    return stream;
}

Stream::Stream(Source source, std::unique_ptr<Mp3Decoder> decoder)
    : source_(std::move(source)), decoder_(std::move(decoder)),
      wake_(CreateEventW(nullptr, FALSE, FALSE, nullptr)), feedOffset_(source_.startOffset) {}

Stream::~Stream() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    pauseSettled_.notify_all();
    if (feeder_.joinable()) {
        SetEvent(wake_.get());
        feeder_.join();
    }
    source_.buffer->Cancel();
}

bool Stream::DecodeFirstFrames(std::chrono::steady_clock::time_point deadline) {
    std::vector<uint8_t> chunk(kFeedBytes);
    uint64_t fed = 0;
    // A leading tag (cover pictures make it megabytes) does not count as junk.
    uint64_t allowed = kMaxBytesBeforeAudio;
    while (std::chrono::steady_clock::now() < deadline) {
        pending_.resize(kPendingSamples);
        auto output = decoder_->Read(pending_);
        pending_.resize(output.frames * 2);
        pendingUsed_ = 0;
        if (output.frames > 0) {
            return decoder_->SampleRate() > 0;
        }
        if (output.status == Mp3Decoder::Status::Frames) {
            continue;
        }
        if (output.status != Mp3Decoder::Status::NeedData || fed > allowed) {
            return false;
        }
        auto read = source_.buffer->ReadAt(feedOffset_, chunk);
        if (read.status == DownloadBuffer::ReadStatus::End) {
            return false;
        }
        if (read.status == DownloadBuffer::ReadStatus::Wait) {
            source_.buffer->WaitForData(feedOffset_, deadline);
            continue;
        }
        if (fed == 0) {
            allowed += Id3v2Size(std::span(chunk).first(read.bytes));
        }
        decoder_->Feed(std::span(chunk).first(read.bytes));
        feedOffset_ += read.bytes;
        fed += read.bytes;
    }
    return false;
}

void Stream::EstimateLength() {
    auto total = source_.buffer->TotalSize();
    if (!total || *total <= source_.startOffset) {
        return;
    }
    std::vector<uint8_t> tagHeader(10);
    tagHeader.resize(source_.buffer->ReadAt(source_.startOffset, tagHeader).bytes);
    uint64_t audioStart = source_.startOffset + Id3v2Size(tagHeader);
    if (*total <= audioStart) {
        return;
    }
    std::vector<uint8_t> head(kLengthProbeBytes);
    head.resize(source_.buffer->ReadAt(audioStart, head).bytes);
    if (auto length = ComputeMp3Length(head, *total - audioStart)) {
        std::lock_guard lock(mutex_);
        if (lengthFrames_ == 0) {
            lengthFrames_ = length->sampleFrames;
        }
    }
}

void Stream::Play(bool restart) {
    {
        std::lock_guard lock(mutex_);
        if (restart || finished_) {
            seekRequest_ = 0;
            positionFrames_ = 0;
            finished_ = false;
        }
        mode_ = Mode::Playing;
        starving_ = false;
    }
    SetEvent(wake_.get());
}

void Stream::Pause() {
    std::unique_lock lock(mutex_);
    if (mode_ != Mode::Playing || finished_) {
        return;
    }
    mode_ = Mode::Paused;
    const uint64_t request = ++pauseRequests_;
    SetEvent(wake_.get());
    pauseSettled_.wait_for(lock, std::chrono::milliseconds(4 * kFeederTickMs + 500),
                           [&] { return pausesSettled_ >= request || quit_; });
}

void Stream::Stop() {
    {
        std::lock_guard lock(mutex_);
        if (mode_ != Mode::Stopped && !finished_) {
            // Queued sound is dropped; the decoder goes back to what was heard.
            seekRequest_ = positionFrames_;
        }
        mode_ = Mode::Stopped;
    }
    SetEvent(wake_.get());
}

ChannelState Stream::State() const {
    std::lock_guard lock(mutex_);
    if (finished_ || mode_ == Mode::Stopped) {
        return ChannelState::Stopped;
    }
    if (mode_ == Mode::Paused) {
        return ChannelState::Paused;
    }
    return starving_ ? ChannelState::Stalled : ChannelState::Playing;
}

uint64_t Stream::PositionBytes() const {
    std::lock_guard lock(mutex_);
    return positionFrames_ * 4;
}

bool Stream::SetPositionBytes(uint64_t bytes) {
    uint64_t frame = bytes / 4;
    {
        std::lock_guard lock(mutex_);
        if (lengthFrames_ > 0 && frame > lengthFrames_) {
            return false;
        }
        seekRequest_ = frame;
        positionFrames_ = frame;
        finished_ = false;
        starving_ = false;
    }
    SetEvent(wake_.get());
    return true;
}

uint64_t Stream::LengthBytes() const {
    std::lock_guard lock(mutex_);
    return lengthFrames_ * 4;
}

void Stream::SetVolume(float volume) {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(volume, 0.0f, 1.0f);
}

float Stream::Volume() const {
    std::lock_guard lock(mutex_);
    return volume_;
}

uint64_t Stream::FileSize() const {
    auto total = source_.buffer->TotalSize();
    return total ? *total : 0;
}

void Stream::Run() {
    std::optional<Mode> applied = Mode::Stopped;
    for (;;) {
        Mode mode;
        uint64_t pauseRequest;
        std::optional<uint64_t> seek;
        float targetGain;
        uint64_t length;
        {
            std::lock_guard lock(mutex_);
            if (quit_) {
                return;
            }
            mode = mode_;
            pauseRequest = pauseRequests_;
            seek = std::exchange(seekRequest_, std::nullopt);
            targetGain = volume_;
            length = lengthFrames_;
        }
        if (seek && ApplySeek(*seek)) {
            // A reset device may have left its paused state.
            applied.reset();
        }
        if (length == 0) {
            EstimateLength();
        }
        uint64_t played = device_->CollectPlayed();
        if (mode != applied) {
            if (mode == Mode::Playing) {
                device_->Resume();
            } else {
                device_->Pause();
                played += device_->CollectPlayed();
            }
            applied = mode;
        }
        bool waiting = mode == Mode::Playing && FillDevice(targetGain);
        {
            std::lock_guard lock(mutex_);
            positionFrames_ += played;
            if (applied == Mode::Paused && mode == Mode::Paused) {
                pausesSettled_ = pauseRequest;
                pauseSettled_.notify_all();
            }
            bool drained = device_->QueuedCount() == 0;
            starving_ = waiting && drained;
            if (decoderAtEnd_ && drained && mode_ == Mode::Playing && !seekRequest_) {
                mode_ = Mode::Stopped;
                finished_ = true;
                if (source_.buffer->IsComplete() || lengthFrames_ < positionFrames_) {
                    lengthFrames_ = positionFrames_;
                }
            }
        }
        HANDLE events[] = {device_->DoneEvent(), wake_.get()};
        WaitForMultipleObjects(2, events, FALSE, kFeederTickMs);
    }
}

bool Stream::ApplySeek(uint64_t frame) {
    if (frame == nextFrame_ && device_->QueuedCount() == 0 && !decoderAtEnd_) {
        return false;
    }
    device_->Reset();
    pending_.clear();
    pendingUsed_ = 0;
    decoderAtEnd_ = false;
    uint64_t reached = frame;
    if (auto plan = decoder_->Seek(frame)) {
        reached = plan->frame;
        uint64_t offset = source_.startOffset + plan->inputOffset;
        feedOffset_ = offset;
        if (!source_.buffer->Reaches(offset)) {
            source_.buffer->RestartAt(offset);
        }
    } else {
        decoderAtEnd_ = true;
    }
    nextFrame_ = reached;
    std::lock_guard lock(mutex_);
    positionFrames_ = reached;
    return true;
}

bool Stream::FillDevice(float targetGain) {
    bool waiting = false;
    while (auto index = device_->FreeBuffer()) {
        auto samples = device_->Samples(*index);
        size_t frames = FillBuffer(samples, waiting);
        if (frames == 0) {
            break;
        }
        ApplyGain(samples.first(frames * 2), targetGain);
        if (!device_->Submit(*index, frames)) {
            decoderAtEnd_ = true;
            break;
        }
        if (waiting || decoderAtEnd_) {
            break;
        }
    }
    return waiting;
}

size_t Stream::FillBuffer(std::span<int16_t> out, bool& waiting) {
    size_t used = 0;
    while (used < out.size()) {
        if (pendingUsed_ < pending_.size()) {
            size_t count = std::min(out.size() - used, pending_.size() - pendingUsed_);
            std::copy_n(pending_.begin() + static_cast<ptrdiff_t>(pendingUsed_), count,
                        out.begin() + static_cast<ptrdiff_t>(used));
            pendingUsed_ += count;
            used += count;
            nextFrame_ += count / 2;
            continue;
        }
        if (decoderAtEnd_ || !DecodeMore(waiting)) {
            break;
        }
    }
    return used / 2;
}

bool Stream::DecodeMore(bool& waiting) {
    std::vector<uint8_t> chunk(kFeedBytes);
    // Bounded, so that one pass never holds the feeder for long.
    for (int step = 0; step < 64; ++step) {
        pending_.resize(kPendingSamples);
        auto output = decoder_->Read(pending_);
        pending_.resize(output.frames * 2);
        pendingUsed_ = 0;
        if (output.frames > 0) {
            return true;
        }
        if (output.status == Mp3Decoder::Status::Frames) {
            continue;
        }
        if (output.status != Mp3Decoder::Status::NeedData) {
            decoderAtEnd_ = true;
            return false;
        }
        auto read = source_.buffer->ReadAt(feedOffset_, chunk);
        if (read.status == DownloadBuffer::ReadStatus::End) {
            decoderAtEnd_ = true;
            return false;
        }
        if (read.status == DownloadBuffer::ReadStatus::Wait) {
            waiting = true;
            return false;
        }
        decoder_->Feed(std::span(chunk).first(read.bytes));
        feedOffset_ += read.bytes;
    }
    return false;
}

void Stream::ApplyGain(std::span<int16_t> samples, float target) {
    if (gain_ == target && target == 1.0f) {
        return;
    }
    float step = 1.0f / (kGainRampSeconds * static_cast<float>(sampleRate_));
    for (size_t i = 0; i + 1 < samples.size(); i += 2) {
        if (gain_ < target) {
            gain_ = std::min(target, gain_ + step);
        } else if (gain_ > target) {
            gain_ = std::max(target, gain_ - step);
        }
        for (size_t channel = 0; channel < 2; ++channel) {
            float value = static_cast<float>(samples[i + channel]) * gain_;
            samples[i + channel] = static_cast<int16_t>(std::lround(value));
        }
    }
}

} // namespace audio
