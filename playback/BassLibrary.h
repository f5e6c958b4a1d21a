#pragma once
// bass.dll, bound by name at first use: the library is loaded through the
// normal DLL search the first time any function is asked for, and each
// function is looked up once, the first time it is called.

#include "audio/EngineApi.h"

namespace playback {

// The exported function, or null when the library or the name is missing.
FARPROC BassFunction(const char* name);

template <typename Function> Function* BindBass(const char* name) {
    return reinterpret_cast<Function*>(reinterpret_cast<void*>(BassFunction(name)));
}

} // namespace playback

// Looks the function up at its first call and keeps the address.
#define BASS_FUNCTION(name)                                                                        \
    ([]() {                                                                                        \
        static auto* const bound = ::playback::BindBass<decltype(::name)>(#name);                  \
        return bound;                                                                              \
    }())
