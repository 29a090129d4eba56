#pragma once
// The start-up probe: the program runs only when the vendor's home page can
// be read and none of its lines contains "EXCEEDED" (in any letter case).
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/app/probe_verdict.h"

namespace wv {

struct InternetOptions;

// At most this much of the page is read.
constexpr std::size_t kProbePageLimit = 1u << 20;

// Fetches the home page (always from the server, at most kProbePageLimit
// bytes) and judges it.  Any internet failure fails the probe.  Blocks the
// calling thread until the page has been read or the transfer has failed.
bool RunConnectivityProbe(const std::string& homePage, const InternetOptions& options);
bool RunConnectivityProbe(const std::string& homePage);

} // namespace wv
