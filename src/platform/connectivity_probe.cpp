#include "platform/connectivity_probe.h"

#include <algorithm>

#include "platform/internet_session.h"

namespace wv {

bool RunConnectivityProbe(const std::string& homePage, const InternetOptions& options,
                          std::chrono::milliseconds deadline) {
    try {
        InternetOptions bounded = options;
        // libcurl takes zero as no limit at all.
        bounded.transferTimeout = std::max(deadline, std::chrono::milliseconds(1));
        InternetSession session(bounded);
        PageScanner scanner;
        // Reading stops at the first forbidding line: the verdict is in.
        session.ReadURL(homePage, kPageRequestHeaders,
                        [&scanner](std::string_view piece) { return scanner.Feed(piece); });
        return scanner.AllowsStart();
    } catch (const InternetException&) {
        return false;
    }
}

bool RunConnectivityProbe(const std::string& homePage) { return RunConnectivityProbe(homePage, InternetOptions{}); }

}  // namespace wv
