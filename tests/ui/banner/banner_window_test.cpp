// The banner thread in the whole main window: where a banner lands, what a
// click on it opens, hostile banner files, and closing the window while the
// thread is busy in each of the ways it can be.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/uiaction.h>

#include "banner_servers.h"
#include "gif_test_data.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "loopback_server.h"
#include "picture_writer.h"
#include "platform/picture_decoder.h"
#include "process_memory.h"
#include "stand_in_launchers.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/banner/animated_picture.h"
#include "ui/banner/load_banner_thread.h"
#include "ui/results/results_list.h"
#include "ui/workbench/form_layout.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"
#include "vendor_site.h"

using wv::BannerServer;

using wv::BannerTimings;
using wv::CAnimatedPicture;
using wv::CLoadBannerThread;
using wv::CTarnwickView;

using giftest::operator+;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using wvtest::PumpUntil;

namespace {

std::string Text(const wvtest::Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

std::string StillGif(int width, int height) {
    wvtest::GifWriter writer(width, height, {{0, 0, 0}, {30, 90, 200}});
    writer.AddImage(0, 0, width, height, 1);
    return Text(writer.Finish());
}

BannerServer ServerOf(const wvtest::VendorSite& site) {
    const wv::VendorConfig& config = site.Config();
    return {config.homePage, config.ftpHost, config.ftpUser, config.ftpPassword};
}

class BannerWindow : public ::testing::Test {
protected:
    void SetUp() override { m_cwd.emplace(workdir.path()); }
    void TearDown() override {
        window.reset();
        wvtest::TestServices().SetBannerSettings(std::nullopt);
        m_cwd.reset();
    }

    // Opens the main window with its banner thread on these servers.
    void Open(BannerServer server) {
        wvtest::TestServices().SetBannerSettings(
            wv::BannerSettings{std::move(server), BannerTimings{5, 20ms, 200ms, 50ms, 0ms}});
        window.emplace();
        ASSERT_NE(window->view(), nullptr);
    }
    // Opens the window on the site with an animated banner up for 10 minutes
    // and waits until it plays.
    void OpenPlaying(wvtest::VendorSite& site) {
        site.Put("ftp/moving.gif", Text(wvtest::MakeBannerAnimation(234, 60, 6, 5)));
        site.Put("VornthalBanners.txt", "10|http://l/moving|moving.gif|\n");
        ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));
        ASSERT_TRUE(PumpUntil([&] { return BannerAt(234, 60) && banner().IsPlaying(); }, 10s));
    }
    CTarnwickView& view() { return *window->view(); }
    CAnimatedPicture& banner() { return *view().Banner(); }
    int ClientWidth() { return window->frame()->GetClientSize().GetWidth(); }
    bool BannerAt(int width, int height) {
        return banner().GetRect() == wxRect(ClientWidth() - width, 6, width, height);
    }

    // Closes the window as the user does: it must be gone within 2 s, with
    // every thread it started joined.
    void ExpectPromptClose() {
        const auto start = Clock::now();
        ASSERT_TRUE(window->Close());
        const auto took = Clock::now() - start;
        window.reset();
        EXPECT_LT(took, 2s);
        EXPECT_EQ(wvtest::BannerThreadsUnjoined(), 0);
        EXPECT_EQ(wvtest::BannerThreadsWorking(), 0);
        EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 0);
    }

    wvtest::ScopedTempDir workdir;
    std::optional<wvtest::WorkbenchWindow> window;

private:
    std::optional<wvtest::ScopedWorkingDir> m_cwd;
};

}  // namespace

TEST_F(BannerWindow, AWideBannerLandsAtTheTopRightAndAClickOpensItsLink) {
    wvtest::VendorSite site;
    const std::string gif = Text(wvtest::MakeBannerAnimation(468, 60, 4, 10));
    site.Put("ftp/wide.gif", gif);
    site.Put("VornthalBanners.txt", "1|http://banner.test/offer?id=7|wide.gif|\r\n");
    wvtest::StandInLaunchers launchers;
    wvtest::ScopedEnv browser("BROWSER", launchers.Add("browser"));
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));

    ASSERT_TRUE(PumpUntil([&] { return BannerAt(468, 60); }, 10s)) << banner().GetRect().x;
    EXPECT_TRUE(banner().IsPlaying());
    EXPECT_EQ(window->doc()->GetBannerLink(), "http://banner.test/offer?id=7");
    EXPECT_EQ(wvtest::ReadFile(workdir / "VornthalBanner.gif"), gif);

    wxUIActionSimulator mouse;
    mouse.MouseMove(banner().ClientToScreen(wxPoint(234, 30)));
    PumpUntil([&] { return banner().GetScreenRect().Contains(wxGetMousePosition()); }, 2s);
    mouse.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return !launchers.Recorded().empty(); }, 5s));
    wvtest::TestServices().WaitForLaunches(5s);
    EXPECT_EQ(launchers.Recorded(), std::vector<std::string>{"1|http://banner.test/offer?id=7"});
}

TEST_F(BannerWindow, AHugeBannerIsCutToItsAreaAndThePanelBelowTakesThePresses) {
    wvtest::VendorSite site;
    site.Put("ftp/huge.gif", StillGif(4096, 4096));
    site.Put("VornthalBanners.txt", "10|http://l/huge|huge.gif|\n");
    wvtest::StandInLaunchers launchers;
    wvtest::ScopedEnv browser("BROWSER", launchers.Add("browser"));
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));
    // Right of the navigation panel and above the results; then a press on
    // the second panel row, which the banner used to cover.
    const int left = wv::form::kBannerArea.x, bottom = wv::form::kResultsArea.y;
    ASSERT_TRUE(
        PumpUntil([&] { return banner().GetRect() == wxRect(left, 6, ClientWidth() - left, bottom - 6); }, 20s));
    wxUIActionSimulator mouse;
    mouse.MouseMove(view().GetForm()->ClientToScreen(wxPoint(100, 102)));
    mouse.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return view().SelectedPanelEntry() == 2; }, 5s));
    wvtest::TestServices().WaitForLaunches(2s);
    EXPECT_TRUE(launchers.Recorded().empty()) << "the press opened the banner's link";
}

TEST_F(BannerWindow, AnEmptyBannerFileKeepsThePreviousBannerInItsPlace) {
    wvtest::VendorSite site;
    site.Put("ftp/wide.gif", Text(wvtest::MakeBannerAnimation(468, 60, 3, 10)));
    site.Put("ftp/empty.gif", "");
    site.Put("VornthalBanners.txt", "0.002|http://l/first|wide.gif|\n10|http://l/second|empty.gif|\n");
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));

    // The empty file arrives and is refused: the banner on show keeps its
    // place and its own link.
    const auto local = workdir / "VornthalBanner.gif";
    ASSERT_TRUE(PumpUntil(
        [&] {
            std::error_code ec;
            return std::filesystem::exists(local) && std::filesystem::file_size(local, ec) == 0 &&
                   window->doc()->GetBannerLink() == "http://l/first";
        },
        10s));
    // Nothing to wait for: the refused load changes nothing.
    wvtest::PumpFor(300ms);
    EXPECT_TRUE(BannerAt(468, 60));
    EXPECT_TRUE(banner().IsPlaying());
    ExpectPromptClose();
}

TEST_F(BannerWindow, ClosesPromptlyDuringAStalledListFetch) {
    wvtest::LoopbackServer web(wvtest::LoopbackServer::Silent());
    ASSERT_NO_FATAL_FAILURE(Open({web.Url("/"), wvtest::RefusingAddress(), "u", "p"}));
    ASSERT_TRUE(web.WaitForConnections(1));
    EXPECT_EQ(wvtest::BannerThreadsWorking(), 1);
    ExpectPromptClose();
}

TEST_F(BannerWindow, ClosesPromptlyDuringAStalledBannerDownload) {
    wvtest::LoopbackServer web(wvtest::LoopbackServer::Answer("1|http://l/stalled|banner.gif|\n"));
    wvtest::StalledFtpServer ftp;
    ASSERT_NO_FATAL_FAILURE(Open({web.Url("/"), ftp.HostAndPort(), "u", "p"}));
    ASSERT_TRUE(PumpUntil([&] { return ftp.Stalled() == 1; }, 10s));
    EXPECT_EQ(window->doc()->GetBannerLink(), "http://l/stalled");
    EXPECT_EQ(banner().GetPictureSize(), wxSize(0, 0));
    ExpectPromptClose();
    EXPECT_FALSE(std::filesystem::exists(workdir / "VornthalBanner.gif"));
}

TEST_F(BannerWindow, ClosesPromptlyDuringADisplayWait) {
    wvtest::VendorSite site;
    site.Put("ftp/still.gif", StillGif(200, 50));
    site.Put("VornthalBanners.txt", "10|http://l/still|still.gif|\n");
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));
    ASSERT_TRUE(PumpUntil([&] { return BannerAt(200, 50); }, 10s));
    EXPECT_FALSE(banner().IsPlaying());
    EXPECT_EQ(wvtest::BannerThreadsWorking(), 1);
    ExpectPromptClose();
}

TEST_F(BannerWindow, ClosesPromptlyWithAnAnimationPlaying) {
    wvtest::VendorSite site;
    ASSERT_NO_FATAL_FAILURE(OpenPlaying(site));
    EXPECT_EQ(wvtest::AnimationThreadsPlaying(), 1);
    ExpectPromptClose();
}

TEST_F(BannerWindow, ClosesPromptlyWithAGeneratorRunGoing) {
    wvtest::VendorSite site;
    ASSERT_NO_FATAL_FAILURE(OpenPlaying(site));
    window->TypeKeyword("abcdefghijk");
    window->ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return view().ResultsList()->GetRowCount() >= 30; }, 10s));
    ASSERT_TRUE(view().IsRunning());
    ExpectPromptClose();
}

TEST_F(BannerWindow, HostileBannersCostLittleAndLeaveTheBannerWhereItWas) {
    wvtest::VendorSite site;
    site.Put("ftp/moving.gif", Text(wvtest::MakeBannerAnimation(234, 60, 6, 5)));
    // Forty frames asking for 16 million pixels each, in a few hundred
    // bytes; then a 30,000-pixel screen without a frame, in 17.
    site.Put("ftp/bomb.gif", Text(giftest::ClaimingFrames(40)));
    site.Put("ftp/giant.gif", Text(giftest::Header(30000, 30000) + wvtest::Bytes{0x21, 0xFE, 0, 0x3B}));
    site.Put("ftp/still.gif", StillGif(200, 50));
    site.Put("VornthalBanners.txt",
             "0.02|http://l/moving|moving.gif|\n0.002|http://l/bomb|bomb.gif|\n"
             "0.002|http://l/giant|giant.gif|\n10|http://l/still|still.gif|\n");
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));
    ASSERT_TRUE(PumpUntil([&] { return BannerAt(234, 60) && banner().IsPlaying(); }, 10s));

    // Every place the banner takes from here on, and the memory it costs.
    std::vector<wxRect> places;
    auto record = [&](wxEvent& event) {
        places.push_back(banner().GetRect());
        event.Skip();
    };
    banner().Bind(wxEVT_MOVE, record);
    banner().Bind(wxEVT_SIZE, record);
    const int loadsBefore = banner().FinishedLoads();
    wvtest::MemoryGrowth growth;

    ASSERT_TRUE(PumpUntil([&] { return BannerAt(200, 50); }, 20s));
    EXPECT_EQ(banner().FinishedLoads() - loadsBefore, 3) << "the bomb, the giant screen, the still banner";
    // On the way from one banner to the next the new size comes first, at
    // the old place; no other size, and nothing outside the window.
    const wxRect client(window->frame()->GetClientSize());
    for (const wxRect& place : places) {
        EXPECT_TRUE(client.Contains(place)) << place.x << ", " << place.y << " " << place.width;
        EXPECT_TRUE(place.GetSize() == wxSize(234, 60) || place.GetSize() == wxSize(200, 50)) << place.width;
    }
    if (growth.Measurable()) {
        EXPECT_LT(growth.PeakBytes(), 300 * wvtest::kMiB);
    }
    ExpectPromptClose();
}

TEST_F(BannerWindow, ClosesPromptlyDuringABannerDecode) {
    wvtest::VendorSite site;
    site.Put("ftp/still.gif", StillGif(200, 50));
    site.Put("ftp/long.gif", Text(wvtest::MakeBannerAnimation(234, 60, 40, 5)));
    site.Put("VornthalBanners.txt", "0.005|http://l/still|still.gif|\n10|http://l/long|long.gif|\n");
    ASSERT_NO_FATAL_FAILURE(Open(ServerOf(site)));
    // Each image takes a quarter of a second: the long banner's forty, ten
    // seconds.  The still banner has one, so a second decode is the long one.
    std::atomic<int> decodes{0};
    banner().UseDecoder([&](const std::uint8_t* data, std::size_t size) {
        ++decodes;
        std::this_thread::sleep_for(250ms);
        return wv::DecodePicture(data, size);
    });
    ASSERT_TRUE(PumpUntil([&] { return decodes.load() >= 2; }, 20s));
    ExpectPromptClose();
    EXPECT_LT(decodes.load(), 10);
}
