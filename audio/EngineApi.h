#pragma once
// The functions bass.dll exports, as its callers declare them. Handles are
// 32-bit; positions and lengths are bytes of 16-bit stereo PCM at the
// stream's sample rate; failed 64-bit queries return all bits set.

#include <windows.h>

#include <cstdint>

namespace audio::api {

inline constexpr DWORD kPositionInBytes = 0;
inline constexpr DWORD kVolumeAttribute = 2;
inline constexpr DWORD kFilePositionCurrent = 0;    // file offset being decoded
inline constexpr DWORD kFilePositionSize = 2;       // whole file, 0 while unknown
inline constexpr DWORD kFilePositionDownloaded = 5; // file offset downloaded up to
inline constexpr DWORD kStopped = 0;
inline constexpr DWORD kPlaying = 1;
inline constexpr DWORD kStalled = 2;
inline constexpr DWORD kPaused = 3;

} // namespace audio::api

extern "C" {
BOOL BASS_Init(int device, DWORD frequency, DWORD flags, HWND window, const void* reserved);
BOOL BASS_Free();
DWORD BASS_StreamCreateFile(BOOL inMemory, const void* file, uint64_t offset, uint64_t length,
                            DWORD flags);
DWORD BASS_StreamCreateURL(const char* url, DWORD offset, DWORD flags, void* downloadProc,
                           void* user);
BOOL BASS_StreamFree(DWORD handle);
BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
BOOL BASS_ChannelPause(DWORD handle);
BOOL BASS_ChannelStop(DWORD handle);
DWORD BASS_ChannelIsActive(DWORD handle);
uint64_t BASS_ChannelGetPosition(DWORD handle, DWORD mode);
BOOL BASS_ChannelSetPosition(DWORD handle, uint64_t position, DWORD mode);
uint64_t BASS_ChannelGetLength(DWORD handle, DWORD mode);
BOOL BASS_ChannelGetAttribute(DWORD handle, DWORD attribute, float* value);
BOOL BASS_ChannelSetAttribute(DWORD handle, DWORD attribute, float value);
double BASS_ChannelBytes2Seconds(DWORD handle, uint64_t position);
uint64_t BASS_ChannelSeconds2Bytes(DWORD handle, double seconds);
uint64_t BASS_StreamGetFilePosition(DWORD handle, DWORD mode);
}
