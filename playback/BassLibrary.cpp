#include "playback/BassLibrary.h"

namespace playback {

FARPROC BassFunction(const char* name) {
    // Kept for the whole process: the program never shuts the engine down.
    static const HMODULE library = LoadLibraryW(L"bass.dll");
    return library == nullptr ? nullptr : GetProcAddress(library, name);
}

} // namespace playback
