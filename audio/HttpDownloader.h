#pragma once
// Fetches a URL into a DownloadBuffer on a thread of its own with WinHTTP.
// A dropped connection is resumed with a Range request (a few tries, with
// back-off); a restart of the buffer (a seek outside what has arrived) makes
// it fetch from the new offset. An error status or a text answer fails it.

#include "audio/DownloadBuffer.h"

#include <future>
#include <memory>
#include <string>
#include <thread>

namespace audio {

class HttpDownloader {
public:
    HttpDownloader(std::wstring url, std::shared_ptr<DownloadBuffer> buffer);
    HttpDownloader(const HttpDownloader&) = delete;
    HttpDownloader& operator=(const HttpDownloader&) = delete;
    // Cancels; a thread blocked in WinHTTP is left to finish on its own
    // (bounded by the timeouts) rather than holding up the caller.
    ~HttpDownloader();

private:
    std::shared_ptr<DownloadBuffer> buffer_;
    std::future<void> finished_;
    std::thread thread_;
};

} // namespace audio
