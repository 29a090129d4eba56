#pragma once
// One recording web site per test binary, with the vendor's addresses and
// the auction site's search host pointed at it.  The program reads its
// vendor configuration once per process, so the site is made and the
// environment set while static objects are initialised, before main: a test
// binary calls PointVendorAtRecordingSite() from a namespace-scope
// initialiser.
//
// GUI tests only (waits run the event loop).  The site answers every request with a small page and keeps connections
// open for the next request, so a browser engine makes few connections.
// Nothing it sends may be cached: every load is a request it sees.
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui_support.h"
#include "loopback_server.h"

namespace wvtest {

inline LoopbackServer& RecordingSite() {
    static LoopbackServer server([](LoopbackConnection& connection) {
        static const std::string body = "<html><body>recorded</body></html>";
        std::string head;
        while (connection.ReadRequestHead(head)) {
            if (!connection.Send(
                    "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: no-store\r\nContent-Length: " +
                    std::to_string(body.size()) + "\r\n\r\n" + body))
                return;
        }
    });
    return server;
}

// "127.0.0.1:<port>"
inline std::string RecordingHost() { return "127.0.0.1:" + std::to_string(RecordingSite().Port()); }

inline bool PointVendorAtRecordingSite() {
    const std::string site = "http://" + RecordingHost();
    setenv("WORDVANE_HOME_PAGE", (site + "/home/").c_str(), 1);
    setenv("WORDVANE_STORE_PAGE", (site + "/store/").c_str(), 1);
    setenv("WORDVANE_SECOND_SITE", (site + "/second/").c_str(), 1);
    setenv("WORDVANE_SEARCH_HOST", RecordingHost().c_str(), 1);
    return true;
}

// Paths the site was asked for ("GET <path> HTTP/1.1" gives <path>), in order.
inline std::vector<std::string> RequestedPaths() {
    std::vector<std::string> paths;
    for (const std::string& line : RecordingSite().RequestLines()) {
        std::size_t first = line.find(' ');
        std::size_t last = line.rfind(' ');
        if (first != std::string::npos && last > first) paths.push_back(line.substr(first + 1, last - first - 1));
    }
    return paths;
}

// The requests for pages and searches: all but the banner thread's fetches
// of its banner list under the home page, which come at times of their own.
inline std::vector<std::string> PageRequests() {
    std::vector<std::string> pages;
    for (std::string& path : RequestedPaths())
        if (!path.ends_with("/VornthalBanners.txt")) pages.push_back(std::move(path));
    return pages;
}

inline int TimesRequested(const std::string& path) {
    int seen = 0;
    for (const std::string& p : RequestedPaths())
        if (p == path) ++seen;
    return seen;
}

// Runs the UI's events until the site has been asked for path at least
// `times` times in all (the web engine needs the event loop to get going);
// false on timeout.
inline bool WaitForPath(const std::string& path, int times = 1,
                        std::chrono::milliseconds timeout = std::chrono::seconds(15)) {
    return PumpUntil([&] { return TimesRequested(path) >= times; }, timeout);
}

}  // namespace wvtest
