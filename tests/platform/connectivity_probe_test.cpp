// The start-up probe: the verdict on a page's lines, and the probe end to end
// against loopback servers.
#include "platform/connectivity_probe.h"

#include <chrono>

#include <gtest/gtest.h>

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

bool ProbePage(const std::string& body, int status = 200) {
    LoopbackServer server(LoopbackServer::Answer(body, status));
    return wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts());
}

}  // namespace

TEST(ProbeVerdict, TheWordIsFoundInAnyLetterCaseAnywhereInALine) {
    EXPECT_TRUE(wv::LineForbidsStart("rate limit exceeded for this client"));
    EXPECT_TRUE(wv::LineForbidsStart("EXCEEDED"));
    EXPECT_TRUE(wv::LineForbidsStart("<b>ExCeEdEd</b>"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEED"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEEDING the limit"));
    EXPECT_FALSE(wv::LineForbidsStart("EXCEE DED"));
    // Upper-casing is ASCII only: a Windows-1252 letter is left alone.
    EXPECT_FALSE(
        wv::LineForbidsStart("exc\xe9"
                             "eded"));
}

TEST(ConnectivityProbe, PagesFromARealServer) {
    EXPECT_FALSE(ProbePage("<html>\n<p>rate limit exceeded for this client</p>\n</html>\n"));
    EXPECT_TRUE(ProbePage("You may EXCEED your hopes.\nEXCEEDING is fine.\n"));
    EXPECT_TRUE(ProbePage(""));
    EXPECT_TRUE(ProbePage("<html>Not found</html>", 404));
    EXPECT_FALSE(ProbePage("<html>Bandwidth exceeded</html>", 509));
}

// Feeds the page to a scanner in pieces of the given size.
bool Scan(std::string_view page, std::size_t pieceSize, std::size_t lineBuffer) {
    wv::PageScanner scanner(lineBuffer);
    for (std::size_t at = 0; at < page.size(); at += pieceSize)
        if (!scanner.Feed(page.substr(at, pieceSize))) return false;
    return scanner.AllowsStart();
}

TEST(ProbeVerdict, ScannerFindsTheWordWhereverLinesAndPiecesBreak) {
    // Lines longer than the buffer, the word at every offset, fed whole and
    // byte by byte: the overlap must catch the word across a piece's end.
    for (std::size_t buffer : {16u, 17u, 23u, 64u}) {
        for (std::size_t at = 0; at < 3 * buffer; ++at) {
            std::string line(at, 'a');
            line += "eXceeded";
            line.append(2 * buffer, 'b');
            SCOPED_TRACE(testing::Message() << "buffer " << buffer << ", word at " << at);
            EXPECT_FALSE(Scan("ok\n" + line + "\nok", line.size() + 5, buffer));
            EXPECT_FALSE(Scan("ok\n" + line + "\nok", 1, buffer));
            EXPECT_FALSE(Scan(line, 7, buffer));
        }
    }
    // The word split by a line end is no word; nor is a line cut into pieces
    // that each hold part of it.
    EXPECT_TRUE(Scan("EXCEE\nDED\n", 1, 16));
    EXPECT_TRUE(Scan(std::string(40, 'a') + "EXCEED" + std::string(40, 'b') + "ED", 3, 16));
    EXPECT_TRUE(Scan("", 1, 16));
    // A last line without "\n" is judged too.
    EXPECT_FALSE(Scan("fine\nquota exceeded", 4, 16));
}

TEST(ConnectivityProbe, TheWholePageIsRead) {
    std::string body(wv::PageScanner::kDefaultLineBuffer * 20, 'a');
    EXPECT_TRUE(ProbePage(body + "\nstill fine\n"));
    EXPECT_FALSE(ProbePage(body + "\nEXCEEDED\n")) << "after the first megabyte";
    EXPECT_FALSE(ProbePage(body + "EXCEEDED" + body)) << "inside a line of megabytes";
}

TEST(ConnectivityProbe, ADrippingServerFailsItAtTheDeadline) {
    // Fast enough for the stall limit, far too slow for a whole page.
    LoopbackServer server(LoopbackServer::Drip("<html>", 100ms));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts(), 1500ms));
    auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, 1400ms);
    EXPECT_LT(took, 5s);
}

TEST(ConnectivityProbe, AForbiddingLineEndsItWithoutWaitingForTheRest) {
    LoopbackServer server(LoopbackServer::Drip("<p>EXCEEDED</p>\n", 100ms));
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(wv::RunConnectivityProbe(server.Url("/"), ShortTimeouts(), 30s));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
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
