#include "platform/connectivity_probe.h"

#include "platform/internet_session.h"

namespace wv {

bool RunConnectivityProbe(const std::string& homePage, const InternetOptions& options) {
    try {
        InternetSession session(options);
        std::unique_ptr<HttpFile> page = session.OpenURL(homePage, kPageRequestHeaders, kProbePageLimit);
        return PageAllowsStart([&page](std::string& line) { return page->ReadString(line); });
    } catch (const InternetException&) {
        return false;
    }
}

bool RunConnectivityProbe(const std::string& homePage) {
    return RunConnectivityProbe(homePage, InternetOptions{});
}

} // namespace wv
