#pragma once
// A banner's display time: the first field of its line, a number of minutes,
// and the wait it gives.  Pure: no wx, no network.
#include <chrono>
#include <string_view>

namespace wv {

// The number at the start of text, read the way the C run-time's atof reads a
// decimal in the "C" locale: leading white space skipped, then the longest
// prefix of the form [sign] digits [. digits] [e [sign] digits]; 0 when there
// is none.  "inf", "nan" and hexadecimal forms are not numbers here (the
// vendor's lists never use them), so "0x10" is 0.  A value too large for a
// double is infinite, one too small 0.  Any thread.
double ReadDisplayMinutes(std::string_view text);

// The longest display wait: what a 32-bit millisecond wait can take (about
// 49.7 days), so that no product ever wraps.
constexpr std::chrono::milliseconds kLongestDisplayWait{0xFFFFFFFEll};

// minutes * 60000 ms, truncated toward zero.  A time that is not finite, or
// not above 0, is 0 (a negative time taken as an unsigned count would wait
// for weeks); a longer wait than kLongestDisplayWait is cut to it.
std::chrono::milliseconds DisplayWait(double minutes);

}  // namespace wv
