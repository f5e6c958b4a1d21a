#include "station/WebRequest.h"

#include "common/CodePage.h"
#include "common/Com.h"
#include "station/Cookies.h"
#include "station/HttpText.h"

#include <algorithm>

namespace {

// WinHttpRequestOption_EnableRedirects.
constexpr int kOptionEnableRedirects = 6;
constexpr int kDefaultTimeoutMs = 15000;
// Bound on the whole exchange when the object keeps its own timeouts.
constexpr int kOwnTimeoutsBoundSeconds = 180;

int TimeoutMilliseconds(int seconds) {
    if (seconds < 1) {
        return kDefaultTimeoutMs;
    }
    return static_cast<int>(std::min<long long>(seconds * 1000LL, 0x7fffffff));
}

// The longest the whole exchange may take: each of the four phases may use
// its full timeout. Some WinHTTP implementations (Wine's) do not honour the
// phase timeouts of the automation object, so the wait is bounded as well.
int ExchangeBoundSeconds(int timeoutSeconds) {
    if (timeoutSeconds == -1) {
        return kOwnTimeoutsBoundSeconds;
    }
    return static_cast<int>(
        std::min<long long>(4LL * TimeoutMilliseconds(timeoutSeconds) / 1000 + 1, 0x7fffffff));
}

// True when the response arrived (or failed) in time; otherwise the request
// is abandoned and its readings stay empty.
bool AwaitResponse(const DispatchObject& request, int timeoutSeconds) {
    const std::optional<Variant> done = request.Call(
        L"WaitForResponse", {Variant::Int(ExchangeBoundSeconds(timeoutSeconds)).Ref()});
    if (done && done->Ref().vt == VT_BOOL && done->Ref().boolVal == VARIANT_FALSE) {
        request.Call(L"Abort");
        return false;
    }
    return true;
}

void SetHeader(const DispatchObject& request, const std::string& name, const std::string& value) {
    request.Call(L"SetRequestHeader",
                 {Variant::Text(ToWide(name)).Ref(), Variant::Text(ToWide(value)).Ref()});
}

std::string Exchange(const DispatchObject& request, WebExchange& x) {
    x.method = NormalizeMethod(x.method);
    if (x.timeoutSeconds != -1) {
        const Variant ms = Variant::Int(TimeoutMilliseconds(x.timeoutSeconds));
        request.Call(L"SetTimeouts", {ms.Ref(), ms.Ref(), ms.Ref(), ms.Ref()});
    }
    // Opened asynchronously only so that the wait below can be bounded; the
    // call still returns when the exchange is over.
    const bool opened =
        request
            .Call(L"Open", {Variant::Text(ToWide(x.method)).Ref(),
                            Variant::Text(ToWide(x.url)).Ref(), Variant::Bool(true).Ref()})
            .has_value();
    if (x.noRedirect) {
        request.Put(L"Option",
                    {Variant::Int(kOptionEnableRedirects).Ref(), Variant::Bool(false).Ref()});
    }

    if (x.headers.empty()) {
        x.headers = DefaultRequestHeaders(x.url);
    }
    if (!x.cookies.empty()) {
        SetHeader(request, "Cookie", x.cookies);
    }
    for (const HeaderField& field : SplitHeaderLines(x.headers)) {
        SetHeader(request, field.name, field.value);
    }

    const Variant body =
        x.bodyBytes.empty() ? Variant::Text(ToWide(x.body)) : Variant::Bytes(x.bodyBytes);
    // A request that could not be opened (an empty or malformed URL) or sent
    // has nothing to wait for; Wine would wait out the whole bound.
    const bool sent = opened && request.Call(L"Send", {body.Ref()}).has_value();

    std::string bytes;
    x.responseHeaders.clear();
    if (sent && AwaitResponse(request, x.timeoutSeconds)) {
        if (std::optional<Variant> response = request.Get(L"ResponseBody")) {
            bytes = response->AsBytes();
        }
        if (std::optional<Variant> headers = request.Call(L"GetAllResponseHeaders")) {
            x.responseHeaders = FromWide(headers->AsText());
        }
    }

    ResponseHeaderFacts facts = ReadResponseHeaders(x.responseHeaders);
    if (!facts.redirectUrl.empty()) {
        x.redirectUrl = std::move(facts.redirectUrl);
    }
    x.responseCookies = std::move(facts.responseCookies);
    MergeCookies(x.cookies, x.responseCookies);
    if (x.redirectUrl.empty()) {
        x.redirectUrl = x.responseHeaders;
    }
    return bytes;
}

} // namespace

std::string WebRequest(WebExchange& exchange) {
    ComApartment apartment;
    const DispatchObject request = DispatchObject::Create(L"WinHttp.WinHttpRequest.5.1");
    if (!request) {
        return {};
    }
    return Exchange(request, exchange);
}

std::string WebRequestText(WebExchange& exchange) {
    std::string text = WebRequest(exchange);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

std::string WebRequestUtf8Text(WebExchange& exchange) {
    return Utf8ToProgramText(WebRequest(exchange));
}
