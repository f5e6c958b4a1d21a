#include "playback/AudioPlayer.h"

#include "playback/BassLibrary.h"
#include "playback/TimeText.h"

namespace playback {
namespace {

constexpr uint64_t kFailed = ~uint64_t{0};

bool FileExists(const std::string& fileName) {
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

} // namespace

bool AudioPlayer::Init(std::optional<int> device, std::optional<uint32_t> frequency,
                       std::optional<uint32_t> flags, std::optional<HWND> window) const {
    auto* init = BASS_FUNCTION(BASS_Init);
    return init != nullptr && init(device.value_or(-1), frequency.value_or(44100),
                                   flags.value_or(0), window.value_or(nullptr), nullptr);
}

bool AudioPlayer::Free() const {
    auto* free = BASS_FUNCTION(BASS_Free);
    return free != nullptr && free();
}

uint32_t AudioPlayer::CreateStream(const std::string& fileName, std::span<const uint8_t> data,
                                   const std::string& url,
                                   std::optional<int32_t> startOffset) const {
    if (fileName.empty() && data.empty() && url.empty()) {
        return 0;
    }
    // Sign-extended, as the offset is a signed 32-bit value.
    int64_t offset = startOffset.value_or(0);
    if (!fileName.empty() && FileExists(fileName)) {
        auto* create = BASS_FUNCTION(BASS_StreamCreateFile);
        return create == nullptr
                   ? 0
                   : create(FALSE, fileName.c_str(), static_cast<uint64_t>(offset), 0, 0);
    }
    if (!data.empty()) {
        auto* create = BASS_FUNCTION(BASS_StreamCreateFile);
        return create == nullptr
                   ? 0
                   : create(TRUE, data.data(), static_cast<uint64_t>(offset), data.size(), 0);
    }
    if (!url.empty()) {
        auto* create = BASS_FUNCTION(BASS_StreamCreateURL);
        return create == nullptr
                   ? 0
                   : create(url.c_str(), static_cast<DWORD>(offset), 0, nullptr, nullptr);
    }
    return 0;
}

bool AudioPlayer::Play(uint32_t stream, std::optional<bool> restart) const {
    if (stream == 0) {
        return false;
    }
    auto* play = BASS_FUNCTION(BASS_ChannelPlay);
    return play != nullptr && play(stream, restart.value_or(true) ? TRUE : FALSE);
}

bool AudioPlayer::Pause(uint32_t stream) const {
    auto* pause = BASS_FUNCTION(BASS_ChannelPause);
    return pause != nullptr && pause(stream);
}

bool AudioPlayer::Stop(uint32_t stream) const {
    auto* stop = BASS_FUNCTION(BASS_ChannelStop);
    return stop != nullptr && stop(stream);
}

uint64_t AudioPlayer::GetPosition(uint32_t stream) const {
    auto* get = BASS_FUNCTION(BASS_ChannelGetPosition);
    return get == nullptr ? kFailed : get(stream, audio::api::kPositionInBytes);
}

bool AudioPlayer::SetPosition(uint32_t stream, uint64_t bytePosition) const {
    auto* set = BASS_FUNCTION(BASS_ChannelSetPosition);
    return set != nullptr && set(stream, bytePosition, audio::api::kPositionInBytes);
}

uint64_t AudioPlayer::GetLength(uint32_t stream) const {
    auto* get = BASS_FUNCTION(BASS_ChannelGetLength);
    return get == nullptr ? kFailed : get(stream, audio::api::kPositionInBytes);
}

uint64_t AudioPlayer::GetFilePosition(uint32_t stream, uint32_t mode) const {
    auto* get = BASS_FUNCTION(BASS_StreamGetFilePosition);
    return get == nullptr ? kFailed : get(stream, mode);
}

uint32_t AudioPlayer::IsActive(uint32_t stream) const {
    auto* isActive = BASS_FUNCTION(BASS_ChannelIsActive);
    return isActive == nullptr ? 0 : isActive(stream);
}

bool AudioPlayer::StreamFree(uint32_t stream) const {
    auto* free = BASS_FUNCTION(BASS_StreamFree);
    return free != nullptr && free(stream);
}

bool AudioPlayer::GetVolume(uint32_t stream, float& value) const {
    auto* get = BASS_FUNCTION(BASS_ChannelGetAttribute);
    return get != nullptr && get(stream, audio::api::kVolumeAttribute, &value);
}

bool AudioPlayer::SetVolume(uint32_t stream, float value) const {
    auto* set = BASS_FUNCTION(BASS_ChannelSetAttribute);
    return set != nullptr && set(stream, audio::api::kVolumeAttribute, value);
}

double AudioPlayer::BytesToSeconds(uint32_t stream, uint64_t bytePosition) const {
    auto* convert = BASS_FUNCTION(BASS_ChannelBytes2Seconds);
    return convert == nullptr ? -1.0 : convert(stream, bytePosition);
}

uint64_t AudioPlayer::SecondsToBytes(uint32_t stream, double seconds) const {
    auto* convert = BASS_FUNCTION(BASS_ChannelSeconds2Bytes);
    return convert == nullptr ? kFailed : convert(stream, seconds);
}

std::string AudioPlayer::SecondsToText(int32_t seconds) const {
    return playback::SecondsToText(seconds);
}

} // namespace playback
