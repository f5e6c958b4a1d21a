#pragma once
// Owner of a kernel object handle (event, thread...).

#include <windows.h>

#include <memory>

namespace audio {

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
};

using UniqueHandle = std::unique_ptr<void, HandleCloser>;

} // namespace audio
