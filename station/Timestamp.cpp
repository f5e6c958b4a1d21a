#include "station/Timestamp.h"

#include "station/ScriptHost.h"

#include <chrono>

std::string GetTimestamp() {
    const ScriptHost host;
    std::string timestamp = host.Eval("new Date().getTime()");
    if (timestamp.empty()) {
        // The script control exists only for 32-bit programs on Windows; the
        // station still needs a fresh stamp, so the system clock gives it.
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        timestamp =
            std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    }
    return timestamp;
}
