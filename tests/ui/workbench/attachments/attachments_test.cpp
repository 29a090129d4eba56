// The view's attachments in the whole main window: the logo from the working
// directory, the word list, the banner area when the vendor's servers are out
// of reach, and the banner thread when the start-up fails.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/toplevel.h>

#include "banner_servers.h"
#include "core/dictionary/word_trie.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "loopback_server.h"
#include "picture_writer.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/banner/animated_picture.h"
#include "ui/banner/load_banner_thread.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

using wv::BannerServer;

using wv::BannerTimings;
using wv::CAnimatedPicture;
using wv::CLoadBannerThread;
using wv::CMainFrame;
using wv::CTarnwickView;
using wv::GifSurfaceCopy;
using wv::TheApp;

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using wvtest::PumpUntil;

namespace {

// The banner list's server for the failed start: it takes the request and
// never answers.
wvtest::LoopbackServer& StalledBannerList() {
    static wvtest::LoopbackServer server(wvtest::LoopbackServer::Silent());
    return server;
}

// The vendor's home page for the start-up probe: it refuses the program, but
// only once the banner thread hangs in its list fetch, so the failed start
// has a busy thread to stop.
wvtest::LoopbackServer& RefusingHomePage() {
    static wvtest::LoopbackServer server([](wvtest::LoopbackConnection& c) {
        std::string head;
        if (!c.ReadRequestHead(head)) return;
        StalledBannerList().WaitForConnections(1, 5s);
        c.SendHttp("<html>\nquota EXCEEDED\n</html>\n");
    });
    return server;
}

// The program reads the home page once per process, before main.
const bool kHomePageSet = [] {
    setenv("WORDVANE_HOME_PAGE", RefusingHomePage().Url("/").c_str(), 1);
    static wvtest::ScopedTempDir settings;
    setenv("XDG_CONFIG_HOME", settings.path().c_str(), 1);
    return true;
}();

class Attachments : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kHomePageSet);
        m_cwd.emplace(workdir.path());
        // Nobody listens on the vendor's ports unless a test says otherwise.
        UseServers({"http://" + wvtest::RefusingAddress() + "/", wvtest::RefusingAddress(), "u", "p"});
    }
    void TearDown() override {
        if (window) {
            EXPECT_TRUE(window->Close());
        }
        window.reset();
        wvtest::TestServices().SetBannerSettings(std::nullopt);
        m_cwd.reset();
        EXPECT_EQ(wvtest::BannerThreadsUnjoined(), 0);
    }

    static void UseServers(BannerServer server) {
        wvtest::TestServices().SetBannerSettings(
            wv::BannerSettings{std::move(server), BannerTimings{5, 20ms, 200ms, 50ms, 0ms}});
    }
    void Open() {
        window.emplace();
        ASSERT_NE(window->view(), nullptr);
    }
    CTarnwickView& view() { return *window->view(); }

    // Only the main window is open: no message box came up.
    static int OpenTopLevelWindows() {
        int open = 0;
        for (wxWindow* w : wxTopLevelWindows) open += w->IsShown() && !w->IsBeingDeleted();
        return open;
    }

    wvtest::ScopedTempDir workdir;
    std::optional<wvtest::WorkbenchWindow> window;

private:
    std::optional<wvtest::ScopedWorkingDir> m_cwd;
};

}  // namespace

TEST_F(Attachments, WithoutLogoWordListOrServersTheViewOpensAsUsual) {
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(view().Logo()->GetPictureSize(), wxSize(0, 0));
    EXPECT_EQ(view().Logo()->GetSize(), wxSize(0, 0));
    ASSERT_NE(view().Dictionary(), nullptr);
    EXPECT_EQ(view().Dictionary()->CountWords(), 0);
    EXPECT_EQ(OpenTopLevelWindows(), 1);
    EXPECT_TRUE(view().ResultsList()->IsShown());
    EXPECT_EQ(window->GoCaption(), "Go");

    // The banner thread found no web server and ended; the banner area stays
    // empty.
    ASSERT_TRUE(PumpUntil([] { return wvtest::BannerThreadsWorking() == 0; }, 5s));
    EXPECT_EQ(view().Banner()->GetPictureSize(), wxSize(0, 0));
    EXPECT_EQ(window->doc()->GetBannerLink(), "");
    EXPECT_FALSE(std::filesystem::exists(workdir / "VornthalBanner.gif"));
}

TEST_F(Attachments, A120By40LogoOccupies22_30To142_70) {
    const wvtest::Bytes bmp = wvtest::MakeBitmapFile(120, 40, {200, 30, 40});
    wvtest::WriteFile(workdir / "misspelledKeywords.bmp", std::string(bmp.begin(), bmp.end()));
    ASSERT_NO_FATAL_FAILURE(Open());
    CAnimatedPicture& logo = *view().Logo();
    EXPECT_EQ(logo.GetPictureSize(), wxSize(120, 40));
    EXPECT_EQ(logo.GetRect(), wxRect(22, 30, 120, 40));
    EXPECT_EQ(logo.GetParent(), view().GetForm());
    const GifSurfaceCopy surface = logo.CopySurface();
    ASSERT_EQ(surface.width, 120);
    ASSERT_EQ(surface.height, 40);
    for (std::size_t at : {std::size_t{0}, surface.rgb.size() - 3}) {
        EXPECT_EQ(surface.rgb[at], 200);
        EXPECT_EQ(surface.rgb[at + 1], 30);
        EXPECT_EQ(surface.rgb[at + 2], 40);
    }
}

TEST_F(Attachments, AnUnreadableLogoIsNotShown) {
    wvtest::WriteFile(workdir / "misspelledKeywords.bmp", "BM not really a bitmap");
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(view().Logo()->GetSize(), wxSize(0, 0));
    EXPECT_EQ(OpenTopLevelWindows(), 1);
}

TEST_F(Attachments, TheWordListIsLoadedAtStart) {
    wvtest::WriteFile(workdir / "dict.lst", "apple\nbanana\r\ncherry\n");
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_NE(view().Dictionary(), nullptr);
    EXPECT_EQ(view().Dictionary()->CountWords(), 3);
    EXPECT_EQ(OpenTopLevelWindows(), 1);
}

TEST_F(Attachments, AnUnreadableWorkingDirectoryStartsNoBannerThread) {
    const auto gone = workdir.path() / "gone";
    std::filesystem::create_directory(gone);
    wvtest::ScopedWorkingDir inside(gone);
    std::filesystem::remove(gone);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(wvtest::BannerThreadsUnjoined(), 0);
    EXPECT_EQ(view().Logo()->GetSize(), wxSize(0, 0));
    EXPECT_EQ(view().Dictionary()->CountWords(), 0);
    EXPECT_TRUE(window->Close());
    window.reset();
}

// A failed start closes the main window again; the banner thread, hanging in
// its list fetch, must be stopped and joined on the way.
TEST_F(Attachments, AFailedStartStopsTheBannerThreadItStarted) {
    UseServers({StalledBannerList().Url("/"), wvtest::RefusingAddress(), "u", "p"});
    int boxes = 0;
    wvtest::TestServices().SetMessageBoxHandler([&](const std::string&, const std::string&, long, wxWindow*) {
        ++boxes;
        return wxOK;
    });
    const auto start = Clock::now();
    const bool started = TheApp().OnInit();
    const auto took = Clock::now() - start;
    wvtest::TestServices().SetMessageBoxHandler({});
    wvtest::TestServices().UsePoster();  // the failed start handed the UI thread's poster back

    EXPECT_FALSE(started);
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(StalledBannerList().Connections(), 1);
    EXPECT_EQ(wvtest::BannerThreadsUnjoined(), 0);
    EXPECT_EQ(wvtest::BannerThreadsWorking(), 0);
    EXPECT_LT(took, 4s);
    EXPECT_TRUE(PumpUntil(
        [] {
            for (wxWindow* w : wxTopLevelWindows)
                if (wxDynamicCast(w, CMainFrame)) return false;
            return true;
        },
        5s));
}
