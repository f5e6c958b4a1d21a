#pragma once

#include <string>

// Merges the cookie pieces of `newCookies` into `cookies`: a cookie already
// there takes its new value, a new one is appended, and cookies whose value is
// empty or "deleted" are dropped. Both texts are left trimmed; `cookies`
// holds the merged text ("a=1; b=2;"), of which a copy is returned.
std::string MergeCookies(std::string& cookies, std::string& newCookies);
