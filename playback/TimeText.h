#pragma once
// Elapsed and total time as shown to the user: minutes (at least two
// digits, never cut) and seconds, e.g. 01:05, 100:00.

#include <cstdint>
#include <string>

namespace playback {

// Negative input (a failed position query turned into seconds) reads 00:00.
std::string SecondsToText(int32_t seconds);

} // namespace playback
