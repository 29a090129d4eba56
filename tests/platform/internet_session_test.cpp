// The internet layer against the real vendor-site servers and against
// purpose-built misbehaving loopback servers.
#include "platform/internet_session.h"

#include <chrono>
#include <filesystem>
#include <mutex>
#include <thread>

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "banner_servers.h"
#include "loopback_server.h"
#include "test_paths.h"
#include "vendor_site.h"

using namespace std::chrono_literals;
using wv::InternetException;
using wv::InternetOptions;
using wv::InternetSession;
using wvtest::LoopbackConnection;
using wvtest::LoopbackServer;

namespace {

InternetOptions ShortTimeouts() {
    InternetOptions options;
    options.connectTimeout = 2000ms;
    options.stallTimeout = 1s;
    return options;
}

std::vector<std::string> AllLines(wv::HttpFile& file) {
    std::vector<std::string> lines;
    std::string line;
    while (file.ReadString(line)) lines.push_back(line);
    return lines;
}

// A port on 127.0.0.1 with nobody listening.
int ClosedPort() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof addr;
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &length);
    close(fd);
    return ntohs(addr.sin_port);
}

}  // namespace

// One site for the suite; each test uses files of its own.
class VendorSiteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_site = new wvtest::VendorSite; }
    static void TearDownTestSuite() {
        delete s_site;
        s_site = nullptr;
    }
    static inline wvtest::VendorSite* s_site = nullptr;
    wvtest::VendorSite& site = *s_site;
};

TEST_F(VendorSiteTest, ReadsPageLineByLineKeepingCarriageReturns) {
    site.Put("lines.html", "first\r\nsecond\n\nlast without newline");
    InternetSession session(ShortTimeouts());
    auto page = session.OpenURL(site.HomePage() + "lines.html");
    EXPECT_EQ(page->GetStatusCode(), 200);
    EXPECT_EQ(AllLines(*page), (std::vector<std::string>{"first\r", "second", "", "last without newline"}));
}

TEST_F(VendorSiteTest, DoubleSlashPathIsServedFromTheRoot) {
    // The banner list's address is the home page followed by "/name".
    site.Put("VornthalBanners.txt", "1|http://x/|a.gif|\n");
    InternetSession session(ShortTimeouts());
    auto page = session.OpenURL(site.HomePage() + "/VornthalBanners.txt");
    EXPECT_EQ(page->GetBody(), "1|http://x/|a.gif|\n");
}

TEST_F(VendorSiteTest, SendsTheCallersHeaderLines) {
    site.Put("index.html", "x");
    InternetSession session(ShortTimeouts());
    session.OpenURL(site.HomePage(), "Accept: text/plain, text/html, text/htm\r\nUser-Agent: HTML Get Sample\r\n");
    // The request line is logged; the headers are checked with a recording
    // server below.
    EXPECT_EQ(site.RequestLines().back(), "GET / HTTP/1.1");
}

TEST_F(VendorSiteTest, ErrorPageIsReadLikeAnyOther) {
    InternetSession session(ShortTimeouts());
    auto page = session.OpenURL(site.HomePage() + "missing.html");
    EXPECT_EQ(page->GetStatusCode(), 404);
    EXPECT_FALSE(page->GetBody().empty());
}

TEST_F(VendorSiteTest, FtpDownloadsSeveralFilesOnOneLoginInActiveMode) {
    std::string gif = "GIF89a";
    gif += std::string("\0\r\n\x80\xff", 5);  // binary bytes survive unchanged
    site.Put("ftp/one.gif", gif);
    site.Put("ftp/two.gif", "second");
    site.Put("ftp/empty.gif", "");
    wvtest::ScopedTempDir dir;
    const std::string local = (dir / "VornthalBanner.gif").string();

    InternetSession session(ShortTimeouts());
    auto ftp = session.GetFtpConnection(site.Config().ftpHost, site.Config().ftpUser, site.Config().ftpPassword);
    ASSERT_TRUE(ftp->GetFile("one.gif", local));
    EXPECT_EQ(wvtest::ReadFile(local), gif);
    ASSERT_TRUE(ftp->GetFile("two.gif", local));
    EXPECT_EQ(wvtest::ReadFile(local), "second");
    ASSERT_TRUE(ftp->GetFile("empty.gif", local));
    EXPECT_EQ(wvtest::ReadFile(local), "");
}

TEST_F(VendorSiteTest, FailedDownloadLeavesThePreviousFileAndTheLoginUsable) {
    site.Put("ftp/good.gif", "good");
    wvtest::ScopedTempDir dir;
    const std::string local = (dir / "banner.gif").string();
    wvtest::WriteFile(local, "previous");

    InternetSession session(ShortTimeouts());
    auto ftp = session.GetFtpConnection(site.Config().ftpHost, site.Config().ftpUser, site.Config().ftpPassword);
    EXPECT_FALSE(ftp->GetFile("no-such.gif", local));
    EXPECT_FALSE(ftp->GetFile("", local));
    EXPECT_EQ(wvtest::ReadFile(local), "previous");
    EXPECT_FALSE(std::filesystem::exists(local + ".part"));
    EXPECT_TRUE(ftp->GetFile("good.gif", local));
    EXPECT_EQ(wvtest::ReadFile(local), "good");
}

TEST_F(VendorSiteTest, NameEndingInASlashIsAFailedDownloadNotAListing) {
    site.Put("ftp/banners/inside.gif", "inside");
    wvtest::ScopedTempDir dir;
    const std::string local = (dir / "banner.gif").string();
    wvtest::WriteFile(local, "previous");

    InternetSession session(ShortTimeouts());
    auto ftp = session.GetFtpConnection(site.Config().ftpHost, site.Config().ftpUser, site.Config().ftpPassword);
    EXPECT_FALSE(ftp->GetFile("banners/", local));
    EXPECT_FALSE(ftp->GetFile("/", local));
    EXPECT_EQ(wvtest::ReadFile(local), "previous");
    EXPECT_TRUE(ftp->GetFile("banners/inside.gif", local)) << "the login is still usable";
    EXPECT_EQ(wvtest::ReadFile(local), "inside");
}

TEST_F(VendorSiteTest, FileOverTheLimitFails) {
    site.Put("ftp/big.gif", std::string(5000, 'x'));
    wvtest::ScopedTempDir dir;
    InternetSession session(ShortTimeouts());
    auto ftp = session.GetFtpConnection(site.Config().ftpHost, site.Config().ftpUser, site.Config().ftpPassword, 4096);
    EXPECT_FALSE(ftp->GetFile("big.gif", (dir / "b.gif").string()));
    EXPECT_FALSE(std::filesystem::exists(dir / "b.gif"));
}

TEST_F(VendorSiteTest, WrongPasswordIsAConnectionFailure) {
    InternetSession session(ShortTimeouts());
    EXPECT_THROW(session.GetFtpConnection(site.Config().ftpHost, site.Config().ftpUser, "wrong"), InternetException);
}

TEST(InternetSession, PageIsCutAtTheLimit) {
    LoopbackServer server(LoopbackServer::Answer(std::string(3000, 'a') + "\nEXCEEDED\n"));
    InternetSession session(ShortTimeouts());
    auto page = session.OpenURL(server.Url(), {}, 1000);
    EXPECT_TRUE(page->WasTruncated());
    EXPECT_EQ(page->GetBody(), std::string(1000, 'a'));
}

TEST(InternetSession, HeaderBlockReachesTheServerAndOverridesTheAgent) {
    std::string seenHead;
    std::mutex mutex;
    LoopbackServer server([&](LoopbackConnection& c) {
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        {
            std::lock_guard lock(mutex);
            seenHead = head;
        }
        c.SendHttp("ok");
    });
    InternetSession session(ShortTimeouts());
    session.OpenURL(server.Url("/"), "Accept: text/plain, text/html, text/htm\r\nUser-Agent: HTML Get Sample\r\n");
    std::lock_guard lock(mutex);
    EXPECT_NE(seenHead.find("\r\nAccept: text/plain, text/html, text/htm\r\n"), std::string::npos);
    EXPECT_NE(seenHead.find("\r\nUser-Agent: HTML Get Sample\r\n"), std::string::npos);
    EXPECT_EQ(seenHead.find("Wordvane"), std::string::npos);
}

TEST(InternetSession, FollowsRedirects) {
    LoopbackServer target(LoopbackServer::Answer("landed"));
    std::string location = target.Url("/page");
    LoopbackServer server([&](LoopbackConnection& c) {
        std::string head;
        if (c.ReadRequestHead(head))
            c.Send("HTTP/1.0 302 Found\r\nLocation: " + location + "\r\nContent-Length: 0\r\n\r\n");
    });
    InternetSession session(ShortTimeouts());
    EXPECT_EQ(session.OpenURL(server.Url())->GetBody(), "landed");
}

TEST(InternetSession, RefusedConnectionThrows) {
    InternetSession session(ShortTimeouts());
    EXPECT_THROW(session.OpenURL("http://127.0.0.1:" + std::to_string(ClosedPort()) + "/"), InternetException);
}

TEST(InternetSession, OnlyWebAddressesAreOpened) {
    wvtest::ScopedTempDir dir;
    wvtest::WriteFile(dir / "secret.txt", "local");
    InternetSession session(ShortTimeouts());
    EXPECT_THROW(session.OpenURL("file://" + (dir / "secret.txt").string()), InternetException);
}

TEST(InternetSession, ServerThatNeverAnswersFailsWithinTheStallTimeout) {
    LoopbackServer server(LoopbackServer::Silent());
    InternetSession session(ShortTimeouts());
    auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(session.OpenURL(server.Url()), InternetException);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
}

TEST(InternetSession, ConnectionDroppedMidBodyThrows) {
    LoopbackServer server(LoopbackServer::DropMidBody("partial line\n", 5000));
    InternetSession session(ShortTimeouts());
    EXPECT_THROW(session.OpenURL(server.Url()), InternetException);
}

TEST(InternetSession, StopEndsAHangingTransferAtOnceAndLaterOnesImmediately) {
    LoopbackServer server(LoopbackServer::Silent());
    auto stop = std::make_shared<wv::TransferStop>();
    InternetOptions options;  // the real, long timeouts
    options.stop = stop;
    InternetSession session(options);

    std::chrono::steady_clock::duration took{};
    std::thread worker([&] {
        auto start = std::chrono::steady_clock::now();
        EXPECT_THROW(session.OpenURL(server.Url()), InternetException);
        took = std::chrono::steady_clock::now() - start;
    });
    ASSERT_TRUE(server.WaitForConnections(1));
    std::this_thread::sleep_for(100ms);  // let the worker settle into its wait
    auto triggered = std::chrono::steady_clock::now();
    stop->Trigger();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - triggered, 500ms);
    EXPECT_LT(took, 5s);

    // A second session on the same stop never touches the network.
    InternetSession later(options);
    int before = server.Connections();
    EXPECT_THROW(later.OpenURL(server.Url()), InternetException);
    EXPECT_EQ(server.Connections(), before);
    EXPECT_FALSE(stop->WaitFor(10s));
}

TEST(InternetSession, StopEndsAnFtpLoginThatHangs) {
    // A server that greets and then never answers the login.
    LoopbackServer server([](LoopbackConnection& c) {
        c.Send("220 hello\r\n");
        c.WaitForStop();
    });
    auto stop = std::make_shared<wv::TransferStop>();
    InternetOptions options;
    options.stop = stop;
    std::thread worker([&] {
        InternetSession session(options);
        EXPECT_THROW(session.GetFtpConnection("127.0.0.1:" + std::to_string(server.Port()), "u", "p"),
                     InternetException);
    });
    std::this_thread::sleep_for(200ms);
    auto triggered = std::chrono::steady_clock::now();
    stop->Trigger();
    worker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - triggered, 1s);
}

TEST(InternetSession, StopEndsAnFtpDownloadThatHangsAndTheSessionClosesAtOnce) {
    // Logs in, then never answers the download.
    LoopbackServer server([](LoopbackConnection& c) {
        c.Send("220 hello\r\n");
        std::string pending;
        while (!c.Stopping()) {
            pending += c.ReadSome(200ms);
            std::size_t end;
            while ((end = pending.find("\r\n")) != std::string::npos) {
                std::string command = pending.substr(0, 4);
                pending.erase(0, end + 2);
                if (command == "USER")
                    c.Send("331 password please\r\n");
                else if (command == "PASS")
                    c.Send("230 logged in\r\n");
                else if (command == "PWD\r" || command.rfind("PWD", 0) == 0)
                    c.Send("257 \"/\"\r\n");
                else if (command == "RETR" || command == "SIZE" || command == "MDTM")
                    c.WaitForStop();
                else
                    c.Send("200 ok\r\n");
            }
        }
    });
    auto stop = std::make_shared<wv::TransferStop>();
    InternetOptions options;
    options.stop = stop;
    wvtest::ScopedTempDir dir;
    std::chrono::steady_clock::time_point ended;
    std::thread worker([&] {
        InternetSession session(options);
        auto ftp = session.GetFtpConnection("127.0.0.1:" + std::to_string(server.Port()), "u", "p");
        EXPECT_FALSE(ftp->GetFile("banner.gif", (dir / "b.gif").string()));
        ftp.reset();
        session.Close();
        ended = std::chrono::steady_clock::now();
    });
    std::this_thread::sleep_for(500ms);
    auto triggered = std::chrono::steady_clock::now();
    stop->Trigger();
    worker.join();
    EXPECT_LT(ended - triggered, 1s);
    EXPECT_FALSE(std::filesystem::exists(dir / "b.gif"));
}

TEST(InternetSession, UnreachableFtpServerIsAConnectionFailure) {
    InternetSession session(ShortTimeouts());
    EXPECT_THROW(session.GetFtpConnection("127.0.0.1:" + std::to_string(ClosedPort()), "wordvane", "quiltor"),
                 InternetException);
}

TEST(InternetSession, DataConnectionTheServerNeverOpensFailsWithinTheConnectTimeout) {
    wvtest::StalledFtpServer server(true);
    InternetOptions options = ShortTimeouts();
    options.stop = std::make_shared<wv::TransferStop>();
    wv::TransferStop finished;
    // Should the wait be libcurl's own minute, the test still ends.
    std::thread watchdog([&] {
        if (finished.WaitFor(20s)) options.stop->Trigger();
    });
    wvtest::ScopedTempDir dir;
    InternetSession session(options);
    auto ftp = session.GetFtpConnection(server.HostAndPort(), "u", "p");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(ftp->GetFile("banner.gif", (dir / "b.gif").string()));
    const auto took = std::chrono::steady_clock::now() - start;
    finished.Trigger();
    watchdog.join();
    EXPECT_EQ(server.Stalled(), 1) << "the download was announced";
    EXPECT_LT(took, options.connectTimeout + 3s);
}
