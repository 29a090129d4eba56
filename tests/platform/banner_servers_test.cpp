// The rotation over the real network layer, against the bundled vendor
// site's HTTP and FTP servers and against loopback servers that misbehave.
// Display times are a few milliseconds, so nothing waits long.
#include "banner_servers.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "core/banner/banner_rotation.h"
#include "loopback_server.h"
#include "platform/banner_internet.h"
#include "platform/internet_session.h"
#include "test_paths.h"
#include "vendor_site.h"

using wv::BannerFtpLogin;
using wv::BannerInternet;
using wv::BannerRotation;
using wv::BannerServer;
using wv::BannerTimings;

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Strings = std::vector<std::string>;

namespace {

constexpr BannerTimings kQuick{5, 2ms, 20ms, 5ms, 0ms};

BannerServer ServerOf(const wvtest::VendorSite& site) {
    const wv::VendorConfig& config = site.Config();
    return {config.homePage, config.ftpHost, config.ftpUser, config.ftpPassword, 2000ms, 2s};
}

// The rotation with the real network and a recording screen.  Runs on the
// test's thread; a watchdog ends it should a test go wrong.
class SiteRotation : public BannerRotation {
public:
    SiteRotation(BannerServer server, BannerTimings timings = kQuick)
        : BannerRotation(timings), m_stop(std::make_shared<wv::TransferStop>()), m_internet(std::move(server), m_stop) {
        SetLocalFile((m_dir / "VornthalBanner.gif").string());
    }

    // Runs until the work ends; false if the watchdog had to end it.
    bool RunBounded(std::chrono::seconds limit = 20s) {
        bool timedOut = false;
        std::thread watchdog([&] {
            if (m_stop->WaitFor(limit)) {
                timedOut = true;
                m_stop->Trigger();
            }
        });
        Run();
        m_stop->Trigger();
        watchdog.join();
        return !timedOut;
    }

    wv::TransferStop& Stop() { return *m_stop; }

    Strings links, gets, shown;
    Strings localAtLink;  // the local banner file as each link is published
    int stopAfterShows = -1;
    std::function<void(int)> onShow;  // called with the number of banners shown so far

protected:
    class CountingLogin : public BannerFtpLogin {
    public:
        CountingLogin(std::unique_ptr<BannerFtpLogin> login, Strings& gets) : m_login(std::move(login)), m_gets(gets) {}
        bool GetFile(const std::string& remote, const std::string& local) override {
            m_gets.push_back(remote);
            return m_login->GetFile(remote, local);
        }

    private:
        std::unique_ptr<BannerFtpLogin> m_login;
        Strings& m_gets;
    };

    bool ReadBannerList(Strings& lines) override { return m_internet.ReadBannerList(lines); }
    std::unique_ptr<BannerFtpLogin> ConnectFtp() override {
        auto login = m_internet.ConnectFtp();
        return login ? std::make_unique<CountingLogin>(std::move(login), gets) : nullptr;
    }
    void PublishLink(const std::string& link) override {
        links.push_back(link);
        localAtLink.push_back(wvtest::ReadFile(LocalFile()));
    }
    bool ShowBanner(const std::string& file) override {
        shown.push_back(wvtest::ReadFile(file));
        if (onShow) onShow(static_cast<int>(shown.size()));
        if (static_cast<int>(shown.size()) == stopAfterShows) m_stop->Trigger();
        return true;
    }
    bool Pause(std::chrono::milliseconds d) override { return m_stop->WaitFor(d); }
    bool StopRequested() const override { return m_stop->IsTriggered(); }

private:
    wvtest::ScopedTempDir m_dir;
    std::shared_ptr<wv::TransferStop> m_stop;
    BannerInternet m_internet;
};

int ListRequests(const wvtest::VendorSite& site) {
    int n = 0;
    for (const std::string& line : site.RequestLines()) n += line == "GET //VornthalBanners.txt HTTP/1.1";
    return n;
}

}  // namespace

class BannerSite : public ::testing::Test {
protected:
    wvtest::VendorSite site;
};

TEST_F(BannerSite, ThreeBannersInFileOrderThenTheNewListsFirstLine) {
    for (const char* name : {"a", "b", "c", "d"})
        site.Put(std::string("ftp/") + name + ".gif", std::string("GIF-") + name);
    site.Put("VornthalBanners.txt", "0.0001|http://l/a|a.gif|\n0.0001|http://l/b|b.gif|\n0.0001|http://l/c|c.gif|\n");
    SiteRotation rotation(ServerOf(site));
    rotation.stopAfterShows = 4;
    rotation.onShow = [&](int shows) {
        // Changed on the server while the last line is up: the next fetch
        // brings only the new list.
        if (shows == 3) site.Put("VornthalBanners.txt", "0.0001|http://l/d|d.gif|\n");
    };
    ASSERT_TRUE(rotation.RunBounded());
    EXPECT_EQ(rotation.shown, (Strings{"GIF-a", "GIF-b", "GIF-c", "GIF-d"}));
    EXPECT_EQ(rotation.links, (Strings{"http://l/a", "http://l/b", "http://l/c", "http://l/d"}));
    EXPECT_EQ(rotation.gets, (Strings{"a.gif", "b.gif", "c.gif", "d.gif"}));
    EXPECT_EQ(ListRequests(site), 2);
    EXPECT_EQ(wvtest::ReadFile(rotation.LocalFile()), "GIF-d");
}

TEST_F(BannerSite, MalformedLinesFailTheirDownloadsFiveTimesAndTheRotationGoesOn) {
    site.Put("ftp/a.gif", "GIF-a");
    site.Put("VornthalBanners.txt",
             "0.0001|\n"                                   // one separator: no link, no file
             "0.0001|http://l/two|\n"                      // two: no file
             "0.0001|http://l/three|a.gif|and more\r\n");  // the rest is ignored
    SiteRotation rotation(ServerOf(site));
    rotation.stopAfterShows = 1;
    ASSERT_TRUE(rotation.RunBounded());
    // After each failed line the link of the banner on show (none yet) again.
    EXPECT_EQ(rotation.links, (Strings{"", "", "http://l/two", "", "http://l/three"}));
    Strings expected(10, "");
    expected.push_back("a.gif");
    EXPECT_EQ(rotation.gets, expected);
    EXPECT_EQ(rotation.shown, Strings{"GIF-a"});
}

TEST_F(BannerSite, AMissingBannerDoesNotTouchTheOneAlreadyDownloaded) {
    site.Put("ftp/a.gif", "GIF-a");
    site.Put("ftp/empty.gif", "");
    site.Put("VornthalBanners.txt", "0.0001|l1|a.gif|\n0.0001|l2|gone.gif|\n0.0001|l3|empty.gif|\n");
    SiteRotation rotation(ServerOf(site));
    rotation.stopAfterShows = 2;
    ASSERT_TRUE(rotation.RunBounded());
    // gone.gif: five failed tries leave a.gif in place; then the empty file
    // arrives as an empty banner (which the picture control refuses).
    EXPECT_EQ(std::count(rotation.gets.begin(), rotation.gets.end(), "gone.gif"), 5);
    EXPECT_EQ(rotation.links, (Strings{"l1", "l2", "l1", "l3"}));
    EXPECT_EQ(rotation.localAtLink, (Strings{"", "GIF-a", "GIF-a", "GIF-a"}));
    EXPECT_EQ(rotation.shown, (Strings{"GIF-a", ""}));
    EXPECT_FALSE(std::filesystem::exists(rotation.LocalFile() + ".part"));
}

TEST_F(BannerSite, AFolderNameFailsItsDownloadsLikeAnEmptyOne) {
    site.Put("ftp/a.gif", "GIF-a");
    site.Put("ftp/folder/inside.gif", "GIF-inside");
    site.Put("VornthalBanners.txt", "0.0001|l1|a.gif|\n0.0001|l2|folder/|\n0.0001|l3|a.gif|\n");
    SiteRotation rotation(ServerOf(site));
    rotation.stopAfterShows = 2;
    ASSERT_TRUE(rotation.RunBounded());
    // Five failed tries, and the folder's listing never becomes the banner.
    EXPECT_EQ(std::count(rotation.gets.begin(), rotation.gets.end(), "folder/"), 5);
    EXPECT_EQ(rotation.localAtLink, (Strings{"", "GIF-a", "GIF-a", "GIF-a"}));
    EXPECT_EQ(rotation.shown, (Strings{"GIF-a", "GIF-a"}));
}

TEST_F(BannerSite, TheFtpServerDownEndsTheWorkAfterTheFirstLinkIsPublished) {
    site.Put("ftp/a.gif", "GIF-a");
    site.Put("VornthalBanners.txt", "0.0001|http://l/a|a.gif|\n0.0001|http://l/b|a.gif|\n");
    BannerServer server = ServerOf(site);
    server.ftpHost = wvtest::RefusingAddress();
    SiteRotation rotation(server);
    const auto start = Clock::now();
    ASSERT_TRUE(rotation.RunBounded());
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_EQ(rotation.links, Strings{"http://l/a"});
    EXPECT_TRUE(rotation.shown.empty());
}

TEST_F(BannerSite, AWrongPasswordIsAConnectionFailureToo) {
    site.Put("VornthalBanners.txt", "0.0001|http://l/a|a.gif|\n");
    BannerServer server = ServerOf(site);
    server.ftpPassword = "quiltors";
    SiteRotation rotation(server);
    ASSERT_TRUE(rotation.RunBounded());
    EXPECT_EQ(rotation.links, Strings{"http://l/a"});
    EXPECT_TRUE(rotation.gets.empty());
}

TEST(BannerServers, TheWebServerDownEndsTheWorkAtOnce) {
    SiteRotation rotation(
        {"http://" + wvtest::RefusingAddress() + "/", wvtest::RefusingAddress(), "u", "p", 2000ms, 2s});
    const auto start = Clock::now();
    ASSERT_TRUE(rotation.RunBounded());
    EXPECT_LT(Clock::now() - start, 2s);
    EXPECT_TRUE(rotation.links.empty());
    EXPECT_TRUE(rotation.shown.empty());
}

TEST(BannerServers, TheListIsAskedForAtTheDoubleSlashPathWithTheProgramsHeaders) {
    std::string head;
    std::mutex mutex;
    wvtest::LoopbackServer web([&](wvtest::LoopbackConnection& c) {
        std::string h;
        if (!c.ReadRequestHead(h)) return;
        {
            std::lock_guard lock(mutex);
            head = h;
        }
        c.SendHttp("Not Found: an error page is a list like any other\n1|http://l/|a.gif|", 404, "text/html");
    });
    SiteRotation rotation({web.Url("/"), wvtest::RefusingAddress(), "u", "p", 2000ms, 2s});
    ASSERT_TRUE(rotation.FetchBannerList());
    EXPECT_EQ(rotation.BannerLines(),
              (Strings{"Not Found: an error page is a list like any other", "1|http://l/|a.gif|"}));
    EXPECT_EQ(rotation.CurrentBanner(), 0);
    std::lock_guard lock(mutex);
    EXPECT_EQ(head.substr(0, head.find("\r\n")), "GET //VornthalBanners.txt HTTP/1.1");
    EXPECT_NE(head.find("\r\nAccept: text/plain, text/html, text/htm\r\n"), std::string::npos) << head;
    EXPECT_NE(head.find("\r\nUser-Agent: HTML Get Sample\r\n"), std::string::npos) << head;
    EXPECT_EQ(head.find("Wordvane"), std::string::npos) << head;
}

TEST(BannerServers, AStopEndsAStalledListFetchAtOnce) {
    wvtest::LoopbackServer web(wvtest::LoopbackServer::Silent());
    SiteRotation rotation({web.Url("/"), wvtest::RefusingAddress(), "u", "p", 30000ms, 30s});
    Clock::time_point stopped;
    std::thread stopper([&] {
        ASSERT_TRUE(web.WaitForConnections(1));
        std::this_thread::sleep_for(100ms);  // well inside the request
        stopped = Clock::now();
        rotation.Stop().Trigger();
    });
    rotation.RunBounded();
    const auto ended = Clock::now();
    stopper.join();
    EXPECT_LT(ended - stopped, 1s);
    EXPECT_TRUE(rotation.links.empty());
}

TEST(BannerServers, AStopEndsAStalledBannerDownloadAtOnceAndLeavesNoFile) {
    wvtest::LoopbackServer web(wvtest::LoopbackServer::Answer("1|http://l/|banner.gif|\n"));
    wvtest::StalledFtpServer ftp;
    SiteRotation rotation({web.Url("/"), ftp.HostAndPort(), "u", "p", 30000ms, 30s});
    Clock::time_point stopped;
    std::thread stopper([&] {
        for (int i = 0; i < 200 && ftp.Stalled() == 0; ++i) std::this_thread::sleep_for(25ms);
        stopped = Clock::now();
        rotation.Stop().Trigger();
    });
    rotation.RunBounded();
    const auto ended = Clock::now();
    stopper.join();
    EXPECT_EQ(ftp.Stalled(), 1);
    EXPECT_LT(ended - stopped, 1s);
    EXPECT_EQ(rotation.links, Strings{"http://l/"});
    EXPECT_TRUE(rotation.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(rotation.LocalFile()));
}
