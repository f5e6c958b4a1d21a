#pragma once
// The text rules of a web request that need no platform: the default header
// block, how header text is split into name and value, and what is read
// back out of the response headers.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Sent with every request whose caller gives no headers, after a referer line.
inline constexpr std::string_view DefaultHeaders =
    "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent: Mozilla/5.0 (compatible; MSIE 9.0; "
    "Windows NT 6.1; Trident/5.0)\r\nContent-Type: application/x-www-form-urlencoded";

// "Referer: " + url + DefaultHeaders.
std::string DefaultRequestHeaders(std::string_view url);

// ASCII letters upper-cased; an empty method becomes "GET".
std::string NormalizeMethod(std::string_view method);

struct HeaderField {
    std::string name;
    std::string value; // keeps its leading space
};

// The (name, value) pairs to set for a header text of lines separated by
// CR LF. Lines without ":" are skipped; colons inside a value survive; a line
// whose value would be missing is not set.
std::vector<HeaderField> SplitHeaderLines(std::string_view headers);

struct ResponseHeaderFacts {
    std::string redirectUrl;     // the last "Location:" value, or empty
    std::string responseCookies; // "name=value; " per Set-Cookie line
};

// Reads the redirect target and the cookies set by a response header text.
ResponseHeaderFacts ReadResponseHeaders(std::string_view responseHeaders);
