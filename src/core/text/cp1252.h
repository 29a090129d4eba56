#pragma once
// Windows-1252, the 8-bit code page every program string is kept in.
// Pure functions; the wx conversions live in code_page.h.
#include <string>
#include <string_view>

namespace wv {

// Characters Windows-1252 cannot represent become '?'.
std::string EncodeCp1252(std::u32string_view text);
std::u32string DecodeCp1252(std::string_view bytes);
// The same text as UTF-8, appended to out (for files and other programs).
void AppendCp1252AsUtf8(std::string& out, std::string_view bytes);
std::string Cp1252ToUtf8(std::string_view bytes);

// Byte order used wherever the program compares text bytes: signed 8-bit, so
// 0x80-0xFF sort before ASCII.  Explicit because plain char is unsigned on
// some processors.
inline bool SignedByteLess(char a, char b) { return static_cast<signed char>(a) < static_cast<signed char>(b); }

// ASCII-only, byte-wise, whatever the locale.
inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
std::string AsciiUpper(std::string_view text);

}  // namespace wv
