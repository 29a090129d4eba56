#pragma once
// Percent-encoding of Windows-1252 bytes for addresses.  Pure; any thread.
#include <string>
#include <string_view>

namespace wv {

// ASCII letters and digits, and the bytes of `keep`, stay as they are; every
// other byte (bytes above 0x7F included) becomes %XX in capitals.
std::string PercentEncode(std::string_view text, std::string_view keep);

}  // namespace wv
