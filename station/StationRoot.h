#pragma once
// The station's address, which every API path is appended to: "http://"
// and a host (with its port), no trailing slash.

#include <string>
#include <string_view>

// The demo station that lanxi-station serves on this machine by default.
inline constexpr std::string_view kDefaultStationRoot = "http://127.0.0.1:17878";

// The address given by "--station ADDRESS" (or "--station=ADDRESS") on the
// command line, else by the environment value (null or empty when unset),
// else the default. "http://" is put before an address without a scheme,
// and trailing slashes are dropped.
std::string ChooseStationRoot(std::string_view commandLine, const char* environmentValue);

// Set once at start-up, before any request is made.
void SetStationRoot(std::string root);
const std::string& StationRoot();
