#pragma once
// Text rules for the program's texts, which are in code page 936 (GBK): a
// byte of 0x80 or above starts a double-byte character, and its second byte
// may look like ASCII ("[", "A", "\\"), so scans pass over both bytes
// together and never cut a character in two.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ansi {

inline bool IsLeadByte(char c) {
    return static_cast<unsigned char>(c) >= 0x80;
}

// Position of the first `needle` at or after `from` that starts on a character
// boundary, or npos. `from` must itself be a character boundary.
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);

// As Find, with ASCII letters compared without regard to case.
std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from = 0);

// The pieces between the separators, in order. An empty piece after a final
// separator is not produced; empty pieces elsewhere are kept.
std::vector<std::string> Split(std::string_view text, std::string_view separator);

// Replaces every occurrence of `what` (compared without regard to ASCII case).
std::string ReplaceNoCase(std::string_view text, std::string_view what, std::string_view with);

std::string ToUpperAscii(std::string_view text);
std::string ToLowerAscii(std::string_view text);

// Removes spaces (only the space character) at both ends.
std::string Trim(std::string_view text);

bool EndsWith(std::string_view text, std::string_view tail);

// The value of the leading decimal digits, after leading spaces and an
// optional sign; 0 when there are none. Saturates instead of overflowing.
int LeadingInt(std::string_view text);

} // namespace ansi
