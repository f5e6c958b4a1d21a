#pragma once
// The program's audio player: one operation per function of bass.dll, with
// defaults for omitted arguments, plus the time text. It holds no state; the
// stream handle is passed to every call. A missing library makes every
// operation return its failure value.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace playback {

// What IsActive reports.
enum StreamState : uint32_t { kStopped = 0, kPlaying = 1, kStalled = 2, kPaused = 3 };

class AudioPlayer {
public:
    // device -1 (default output), 44100 Hz, flags 0, no window.
    bool Init(std::optional<int> device = {}, std::optional<uint32_t> frequency = {},
              std::optional<uint32_t> flags = {}, std::optional<HWND> window = {}) const;
    bool Free() const;
    // The first source that is there: an existing file, then the bytes, then
    // the URL. 0 when none gives a stream.
    uint32_t CreateStream(const std::string& fileName, std::span<const uint8_t> data,
                          const std::string& url, std::optional<int32_t> startOffset = {}) const;
    // Without restart a stream starts from its beginning; restart false
    // resumes a paused stream where it stopped. Stream 0: false, no call.
    bool Play(uint32_t stream, std::optional<bool> restart = {}) const;
    bool Pause(uint32_t stream) const;
    bool Stop(uint32_t stream) const;
    uint64_t GetPosition(uint32_t stream) const;
    bool SetPosition(uint32_t stream, uint64_t bytePosition) const;
    uint64_t GetLength(uint32_t stream) const;
    // Of the song's file: mode 5 the bytes downloaded so far, 2 its size.
    uint64_t GetFilePosition(uint32_t stream, uint32_t mode) const;
    // 0 stopped, 1 playing, 2 stalled, 3 paused.
    uint32_t IsActive(uint32_t stream) const;
    bool StreamFree(uint32_t stream) const;
    bool GetVolume(uint32_t stream, float& value) const;
    bool SetVolume(uint32_t stream, float value) const;
    double BytesToSeconds(uint32_t stream, uint64_t bytePosition) const;
    uint64_t SecondsToBytes(uint32_t stream, double seconds) const;
    std::string SecondsToText(int32_t seconds) const;
};

} // namespace playback
