#pragma once
// Text from outside the program (standard input, arguments, files) to the
// program's Windows-1252.  Pure functions; any thread.
#include <cstddef>
#include <string>
#include <string_view>

namespace wv {

// The characters of strict UTF-8 text (no overlong forms, no surrogates,
// nothing above U+10FFFF); false, with `out` unspecified, for anything else.
bool DecodeUtf8(std::string_view bytes, std::u32string& out);

// Valid UTF-8 converted (characters Windows-1252 lacks become '?'); any
// other bytes are taken to be Windows-1252 already and returned as they are.
std::string InputTextToCp1252(std::string_view bytes);

// The length of `bytes` without a UTF-8 sequence cut off at its end (for
// text cut at a byte count); bytes.size() when the end is no such sequence.
std::size_t WithoutCutUtf8Tail(std::string_view bytes);

}  // namespace wv
