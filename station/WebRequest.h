#pragma once

#include <string>

// One HTTP exchange: what the caller sends and, after the call, what came
// back. Fields marked in/out are rewritten by the request.
struct WebExchange {
    std::string url;
    std::string method;      // in/out: sent upper-cased; empty means "GET"
    std::string body;        // sent when bodyBytes is empty
    std::string cookies;     // in/out: the "Cookie" header; merged with what the response sets
    std::string headers;     // in/out: header lines joined by CR LF; empty gets the default block
    bool noRedirect = false; // true: do not follow redirects
    int timeoutSeconds = 0;  // -1: the object's own timeouts; 1 or more: seconds; else 15 s
    std::string bodyBytes;   // sent instead of body when not empty

    std::string responseCookies; // out: "name=value; " for each cookie the response sets
    std::string redirectUrl;     // out: the Location target, else the whole response header text
    std::string responseHeaders; // out: the response header lines
};

// Sends the request synchronously through the system's WinHTTP automation
// object and returns the response body; empty bytes on any failure.
std::string WebRequest(WebExchange& exchange);

// The body as text up to its first zero byte, without conversion.
std::string WebRequestText(WebExchange& exchange);

// The body decoded from UTF-8 into the program's code page.
std::string WebRequestUtf8Text(WebExchange& exchange);
