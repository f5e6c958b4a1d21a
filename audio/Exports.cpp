// The engine's C interface, exported from bass.dll by name (see bass.def).
// Every function may be called from any thread; a zero, stale or freed
// handle gives the failure result and nothing else.

#include "audio/EngineApi.h"
#include "audio/HttpDownloader.h"
#include "audio/StreamRegistry.h"
#include "audio/UniqueHandle.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <exception>
#include <limits>
#include <string>
#include <vector>

namespace {

using audio::DownloadBuffer;
using audio::Stream;
using audio::StreamRegistry;

using QWORD = uint64_t;

using namespace audio::api;

constexpr QWORD kNoValue = std::numeric_limits<QWORD>::max();
// Longest wait for a stream's first audio before creation gives up.
constexpr auto kCreateTimeout = std::chrono::seconds(15);

std::wstring FromAnsi(const char* text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 1) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::wstring& path, QWORD limit) {
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    audio::UniqueHandle file(raw);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return std::nullopt;
    }
    QWORD wanted = static_cast<QWORD>(size.QuadPart);
    if (limit > 0 && limit < wanted) {
        wanted = limit;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(wanted));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD part = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, part, &read, nullptr) || read == 0) {
            return std::nullopt;
        }
        done += read;
    }
    return bytes;
}

DWORD AddStream(Stream::Source source) {
    auto device = StreamRegistry::Instance().OutputDevice();
    if (!device) {
        return 0;
    }
    auto deadline = std::chrono::steady_clock::now() + kCreateTimeout;
    auto stream = Stream::Create(std::move(source), *device, deadline);
    return stream ? StreamRegistry::Instance().Add(std::move(stream)) : 0;
}

// No exception may cross into the caller: a failure to create is a 0 handle.
template <typename Create> DWORD CreateGuarded(Create create) {
    try {
        return create();
    } catch (const std::exception&) {
        return 0;
    }
}

std::shared_ptr<Stream> Find(DWORD handle) {
    return StreamRegistry::Instance().Find(handle);
}

} // namespace

extern "C" {

BOOL BASS_Init(int device, DWORD frequency, DWORD, HWND, const void*) {
    return StreamRegistry::Instance().Init(device, frequency);
}

BOOL BASS_Free() {
    return StreamRegistry::Instance().Free();
}

// inMemory: file points at length bytes of the file; otherwise it is a
// file name in the ANSI code page. offset: where decoding starts.
DWORD BASS_StreamCreateFile(BOOL inMemory, const void* file, QWORD offset, QWORD length, DWORD) {
    if (file == nullptr || !StreamRegistry::Instance().OutputDevice()) {
        return 0;
    }
    return CreateGuarded([&]() -> DWORD {
        std::vector<uint8_t> bytes;
        if (inMemory) {
            const auto* first = static_cast<const uint8_t*>(file);
            bytes.assign(first, first + length);
        } else {
            auto read = ReadWholeFile(FromAnsi(static_cast<const char*>(file)),
                                      length == 0 ? 0 : offset + length);
            if (!read) {
                return 0;
            }
            bytes = std::move(*read);
        }
        if (offset >= bytes.size()) {
            return 0;
        }
        Stream::Source source;
        source.buffer = std::make_shared<DownloadBuffer>(std::move(bytes));
        source.startOffset = offset;
        return AddStream(std::move(source));
    });
}

DWORD BASS_StreamCreateURL(const char* url, DWORD offset, DWORD, void*, void*) {
    if (url == nullptr || !StreamRegistry::Instance().OutputDevice()) {
        return 0;
    }
    return CreateGuarded([&] {
        Stream::Source source;
        source.buffer = std::make_shared<DownloadBuffer>();
        source.buffer->RestartAt(offset);
        source.startOffset = offset;
        source.downloader = std::make_unique<audio::HttpDownloader>(FromAnsi(url), source.buffer);
        return AddStream(std::move(source));
    });
}

BOOL BASS_StreamFree(DWORD handle) {
    return StreamRegistry::Instance().Remove(handle);
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart) {
    auto stream = Find(handle);
    if (!stream) {
        return FALSE;
    }
    stream->Play(restart != FALSE);
    return TRUE;
}

BOOL BASS_ChannelPause(DWORD handle) {
    auto stream = Find(handle);
    if (!stream || stream->State() == audio::ChannelState::Stopped) {
        return FALSE;
    }
    stream->Pause();
    return TRUE;
}

BOOL BASS_ChannelStop(DWORD handle) {
    auto stream = Find(handle);
    if (!stream) {
        return FALSE;
    }
    stream->Stop();
    return TRUE;
}

DWORD BASS_ChannelIsActive(DWORD handle) {
    auto stream = Find(handle);
    return stream ? static_cast<DWORD>(stream->State()) : 0;
}

QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode) {
    auto stream = Find(handle);
    return stream && mode == kPositionInBytes ? stream->PositionBytes() : kNoValue;
}

BOOL BASS_ChannelSetPosition(DWORD handle, QWORD position, DWORD mode) {
    auto stream = Find(handle);
    return stream && mode == kPositionInBytes && stream->SetPositionBytes(position);
}

QWORD BASS_ChannelGetLength(DWORD handle, DWORD mode) {
    auto stream = Find(handle);
    return stream && mode == kPositionInBytes ? stream->LengthBytes() : kNoValue;
}

BOOL BASS_ChannelGetAttribute(DWORD handle, DWORD attribute, float* value) {
    auto stream = Find(handle);
    if (!stream || attribute != kVolumeAttribute || value == nullptr) {
        return FALSE;
    }
    *value = stream->Volume();
    return TRUE;
}

BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attribute, float value) {
    auto stream = Find(handle);
    if (!stream || attribute != kVolumeAttribute) {
        return FALSE;
    }
    stream->SetVolume(value);
    return TRUE;
}

double BASS_ChannelBytes2Seconds(DWORD handle, QWORD position) {
    auto stream = Find(handle);
    if (!stream) {
        return -1.0;
    }
    return static_cast<double>(position / 4) / stream->SampleRate();
}

QWORD BASS_ChannelSeconds2Bytes(DWORD handle, double seconds) {
    auto stream = Find(handle);
    if (!stream || !(seconds >= 0.0)) {
        return kNoValue;
    }
    return static_cast<QWORD>(seconds * stream->SampleRate()) * 4;
}

QWORD BASS_StreamGetFilePosition(DWORD handle, DWORD mode) {
    auto stream = Find(handle);
    if (!stream) {
        return kNoValue;
    }
    switch (mode) {
    case kFilePositionCurrent:
        return stream->DecodeFilePosition();
    case kFilePositionSize:
        return stream->FileSize();
    case kFilePositionDownloaded:
        return stream->DownloadedEnd();
    default:
        return kNoValue;
    }
}

} // extern "C"
