#pragma once

#include <string>

// Milliseconds since 1970-01-01 00:00 UTC in plain decimal digits, as
// JScript's Date gives them; empty when the script control is missing.
std::string GetTimestamp();
