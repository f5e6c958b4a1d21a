#pragma once
// Conversions between the program's texts (code page 936, GBK) and UTF-16.
// The code page is named explicitly, so the program behaves the same on a
// system whose ANSI code page is another.

#include <string>
#include <string_view>

inline constexpr unsigned kProgramCodePage = 936;

std::wstring ToWide(std::string_view text, unsigned codePage = kProgramCodePage);
std::string FromWide(std::wstring_view text, unsigned codePage = kProgramCodePage);

// UTF-8 bytes as program text, taken up to the first zero character.
std::string Utf8ToProgramText(std::string_view utf8);
