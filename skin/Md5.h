#pragma once
// MD5 message digest (RFC 1321). Used only to check that the skin pack's
// items arrived intact, never for security.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

std::array<std::uint8_t, 16> Md5Digest(std::string_view data);

// The digest as 32 lower-case hexadecimal digits.
std::string Md5Hex(std::string_view data);
