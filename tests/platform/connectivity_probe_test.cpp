// The start-up probe: the verdict on a page's lines, and the probe end to end
// against loopback servers.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/connectivity_probe.h"
#include "loopback_server.h"
#include "platform/internet_session.h"
#include "test_paths.h"
#include "vendor_site.h"

using namespace std::chrono_literals;
using wvtest::LoopbackServer;

namespace {

wv::InternetOptions ShortTimeouts() {
    wv::InternetOptions options;
    options.connectTimeout = 2000ms;
    options.stallTimeout = 1s;
    return options;
}

bool Judge(std::vector<std::string> lines) {
    std::size_t next = 0;
    return wv::PageAllowsStart([&](std::string& line) {
        if (next == lines.size()) return false;
        line = lines[next++];
        return true;
    });
}

bool ProbePage(const std::string& body, int status = 200) {
    LoopbackServer server(LoopbackServer::Answer(body, status));
    return wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts());
}

} // namespace

TEST(ProbeVerdict, TheWordIsFoundInAnyLetterCaseAnywhereInALine) {
    EXPECT_TRUE(wv::LineForbidsStart("rate limit exceeded for this client"));
    EXPECT_TRUE(wv::LineForbidsStart("EXCEEDED"));
    EXPECT_TRUE(wv::LineForbidsStart("<b>ExCeEdEd</b>"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEED"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEEDING the limit"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEE DED"));
    // Upper-casing is ASCII only: a Windows-1252 letter is left alone.
    EXPECT_FALSE(wv::LineForbidsStart("exc\xe9" "eded"));
}

TEST(ProbeVerdict, FirstForbiddingLineEndsTheReading) {
    int reads = 0;
    std::vector<std::string> lines = {"welcome", "quota exceeded", "more"};
    bool allowed = wv::PageAllowsStart([&](std::string& line) {
        if (reads == 3) return false;
        line = lines[reads++];
        return true;
    });
    EXPECT_FALSE(allowed);
    EXPECT_EQ(reads, 2);
    EXPECT_TRUE(Judge({}));
    EXPECT_TRUE(Judge({"", "exceed", "exceeding"}));
}

TEST(ConnectivityProbe, PagesFromARealServer) {
    EXPECT_FALSE(ProbePage("<html>\n<p>rate limit exceeded for this client</p>\n</html>\n"));
    EXPECT_TRUE(ProbePage("You may EXCEED your hopes.\nEXCEEDING is fine.\n"));
    EXPECT_TRUE(ProbePage(""));
    EXPECT_TRUE(ProbePage("<html>Not found</html>", 404));
    EXPECT_FALSE(ProbePage("<html>Bandwidth exceeded</html>", 509));
}

TEST(ConnectivityProbe, OnlyTheFirstMegabyteIsRead) {
    std::string body(wv::kProbePageLimit, 'a');
    body += "\nEXCEEDED\n";
    EXPECT_TRUE(ProbePage(body));
}

TEST(ConnectivityProbe, InternetFailuresFailIt) {
    {
        // Refused: nobody listens once the server is gone.
        std::string url;
        {
            LoopbackServer server(LoopbackServer::Answer(""));
            url = server.Url("/");
        }
        EXPECT_FALSE(wv::RunConnectivityProbe(url, ShortTimeouts()));
    }
    {
        LoopbackServer server(LoopbackServer::Silent());
        auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts()));
        EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    }
    {
        LoopbackServer server(LoopbackServer::DropMidBody("fine so far\n", 10000));
        EXPECT_FALSE(wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts()));
    }
    EXPECT_FALSE(wv::RunConnectivityProbe("http://name.invalid/", ShortTimeouts()));
}

TEST(ConnectivityProbe, BundledHomePagePasses) {
    wvtest::VendorSite site(wvtest::SourcePath("site"));
    EXPECT_TRUE(wv::RunConnectivityProbe(site.HomePage(), ShortTimeouts()));
}
