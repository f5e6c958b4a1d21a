#include "audio/HttpDownloader.h"

#include "audio/InternetHandle.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <exception>
#include <optional>
#include <vector>

namespace audio {
namespace {

using namespace std::chrono_literals;

constexpr int kMaxFailedTries = 4;
constexpr DWORD kChunkBytes = 64 * 1024;

enum class FetchResult { Complete, Restarted, Dropped, Rejected, Cancelled };

struct ParsedUrl {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring path;
    bool secure = false;
};

std::optional<ParsedUrl> ParseUrl(const std::wstring& url) {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), 0, 0, &parts) || parts.dwHostNameLength == 0) {
        return std::nullopt;
    }
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
        return std::nullopt;
    }
    ParsedUrl parsed;
    parsed.host.assign(parts.lpszHostName, parts.dwHostNameLength);
    parsed.port = parts.nPort;
    parsed.path.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo != nullptr) {
        parsed.path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    }
    if (parsed.path.empty()) {
        parsed.path = L"/";
    }
    parsed.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    return parsed;
}

std::wstring QueryText(HINTERNET request, DWORD query) {
    DWORD size = 0;
    WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, nullptr, &size,
                        WINHTTP_NO_HEADER_INDEX);
    if (size == 0) {
        return {};
    }
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(request, query, WINHTTP_HEADER_NAME_BY_INDEX, text.data(), &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    text.resize(size / sizeof(wchar_t));
    return text;
}

std::optional<uint64_t> ParseNumber(const std::wstring& text) {
    if (text.empty() || text.find_first_not_of(L"0123456789") != std::wstring::npos) {
        return std::nullopt;
    }
    return std::wcstoull(text.c_str(), nullptr, 10);
}

// An error page or an API answer is not a song.
bool IsTextAnswer(std::wstring type) {
    for (auto& c : type) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return type.starts_with(L"text/") || type.find(L"json") != std::wstring::npos ||
           type.find(L"xml") != std::wstring::npos;
}

class Fetcher {
public:
    Fetcher(std::wstring url, std::shared_ptr<DownloadBuffer> buffer)
        : url_(std::move(url)), buffer_(std::move(buffer)) {}

    void Run() {
        auto parsed = ParseUrl(url_);
        InternetHandle session(WinHttpOpen(L"LanxiFM", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY,
                                           WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
        if (!parsed || !session) {
            buffer_->MarkFailed(buffer_->Generation());
            return;
        }
        WinHttpSetTimeouts(session.get(), 5000, 5000, 5000, 8000);
        InternetHandle connection(
            WinHttpConnect(session.get(), parsed->host.c_str(), parsed->port, 0));
        int failedTries = 0;
        while (!buffer_->IsCancelled()) {
            uint64_t generation = buffer_->Generation();
            if (!connection || !buffer_->NeedsWriting(generation)) {
                if (!connection) {
                    buffer_->MarkFailed(generation);
                }
                buffer_->WaitForRestart(generation, 1000ms);
                failedTries = 0;
                continue;
            }
            uint64_t before = buffer_->WriteOffset();
            FetchResult result = Fetch(connection.get(), *parsed, generation);
            switch (result) {
            case FetchResult::Complete:
                buffer_->MarkComplete(generation);
                break;
            case FetchResult::Rejected:
                buffer_->MarkFailed(generation);
                break;
            case FetchResult::Dropped:
                failedTries = buffer_->WriteOffset() > before ? 1 : failedTries + 1;
                if (failedTries >= kMaxFailedTries) {
                    buffer_->MarkFailed(generation);
                } else {
                    buffer_->WaitForRestart(generation, 150ms * (1 << failedTries));
                }
                break;
            case FetchResult::Restarted:
                failedTries = 0;
                break;
            case FetchResult::Cancelled:
                return;
            }
        }
    }

private:
    FetchResult Fetch(HINTERNET connection, const ParsedUrl& url, uint64_t generation) {
        uint64_t offset = buffer_->WriteOffset();
        InternetHandle request(WinHttpOpenRequest(connection, L"GET", url.path.c_str(), nullptr,
                                                  WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                  url.secure ? WINHTTP_FLAG_SECURE : 0));
        if (!request) {
            return FetchResult::Dropped;
        }
        std::wstring range;
        if (offset > 0) {
            range = L"Range: bytes=" + std::to_wstring(offset) + L"-";
        }
        BOOL sent = WinHttpSendRequest(
            request.get(), range.empty() ? WINHTTP_NO_ADDITIONAL_HEADERS : range.c_str(),
            range.empty() ? 0 : static_cast<DWORD>(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0);
        if (!sent || !WinHttpReceiveResponse(request.get(), nullptr)) {
            return FetchResult::Dropped;
        }
        auto status = ParseNumber(QueryText(request.get(), WINHTTP_QUERY_STATUS_CODE));
        if (IsTextAnswer(QueryText(request.get(), WINHTTP_QUERY_CONTENT_TYPE))) {
            return FetchResult::Rejected;
        }
        auto length = ParseNumber(QueryText(request.get(), WINHTTP_QUERY_CONTENT_LENGTH));
        uint64_t skip = 0;
        if (status == 206u) {
            auto first = RangeStart(request.get());
            if (!first || *first > offset) {
                return FetchResult::Rejected;
            }
            skip = offset - *first;
            if (auto total = RangeTotal(request.get())) {
                buffer_->SetTotalSize(generation, *total);
            }
        } else if (status == 200u) {
            // The server ignored the range: drop what is already held.
            skip = offset;
            if (length) {
                buffer_->SetTotalSize(generation, *length);
            }
        } else if (status == 416u && offset > 0) {
            return FetchResult::Complete;
        } else {
            return FetchResult::Rejected;
        }
        return Receive(request.get(), generation, skip);
    }

    FetchResult Receive(HINTERNET request, uint64_t generation, uint64_t skip) {
        std::vector<uint8_t> chunk(kChunkBytes);
        for (;;) {
            if (buffer_->IsCancelled()) {
                return FetchResult::Cancelled;
            }
            if (buffer_->Generation() != generation) {
                return FetchResult::Restarted;
            }
            DWORD available = 0;
            if (!WinHttpQueryDataAvailable(request, &available)) {
                return FetchResult::Dropped;
            }
            if (available == 0) {
                auto total = buffer_->TotalSize();
                bool short_ = total && buffer_->WriteOffset() < *total;
                return short_ ? FetchResult::Dropped : FetchResult::Complete;
            }
            DWORD read = 0;
            if (!WinHttpReadData(request, chunk.data(), std::min(available, kChunkBytes), &read)) {
                return FetchResult::Dropped;
            }
            std::span<const uint8_t> bytes(chunk.data(), read);
            size_t dropped = static_cast<size_t>(std::min<uint64_t>(skip, bytes.size()));
            skip -= dropped;
            if (!buffer_->Append(generation, bytes.subspan(dropped))) {
                return buffer_->IsCancelled() ? FetchResult::Cancelled : FetchResult::Restarted;
            }
        }
    }

    // "bytes first-last/total" of Content-Range.
    static std::optional<uint64_t> RangeStart(HINTERNET request) {
        std::wstring range = QueryText(request, WINHTTP_QUERY_CONTENT_RANGE);
        size_t space = range.find(L' ');
        size_t dash = range.find(L'-');
        if (space == std::wstring::npos || dash == std::wstring::npos || dash < space) {
            return std::nullopt;
        }
        return ParseNumber(range.substr(space + 1, dash - space - 1));
    }

    static std::optional<uint64_t> RangeTotal(HINTERNET request) {
        std::wstring range = QueryText(request, WINHTTP_QUERY_CONTENT_RANGE);
        size_t slash = range.find(L'/');
        return slash == std::wstring::npos ? std::nullopt : ParseNumber(range.substr(slash + 1));
    }

    std::wstring url_;
    std::shared_ptr<DownloadBuffer> buffer_;
};

} // namespace

HttpDownloader::HttpDownloader(std::wstring url, std::shared_ptr<DownloadBuffer> buffer)
    : buffer_(std::move(buffer)) {
    std::promise<void> done;
    finished_ = done.get_future();
    thread_ =
        std::thread([url = std::move(url), buffer = buffer_, done = std::move(done)]() mutable {
            Fetcher(std::move(url), std::move(buffer)).Run();
            done.set_value();
        });
}

HttpDownloader::~HttpDownloader() {
    buffer_->Cancel();
    if (finished_.wait_for(100ms) == std::future_status::ready) {
        thread_.join();
    } else {
        thread_.detach();
    }
}

} // namespace audio
