#pragma once
// The start-up probe: the program runs only when the vendor's home page can
// be read and none of its lines contains "EXCEEDED" (in any letter case).
#include <chrono>
#include <string>

#include "core/app/probe_verdict.h"

namespace wv {

struct InternetOptions;

// The whole probe, from the request to the page's last byte: a server that
// answers slowly enough to pass the stall limit must not keep the program
// from showing (or refusing) for long.
constexpr std::chrono::milliseconds kProbeDeadline{60000};

// Fetches the home page (always from the server) and judges it, reading it
// to its end in bounded memory (see PageScanner).  Any internet failure fails
// the probe, and so does a page not read to its end within `deadline` of the
// request.  Blocks the calling thread until the verdict is in.
bool RunConnectivityProbe(const std::string& homePage, const InternetOptions& options,
                          std::chrono::milliseconds deadline = kProbeDeadline);
bool RunConnectivityProbe(const std::string& homePage);

}  // namespace wv
