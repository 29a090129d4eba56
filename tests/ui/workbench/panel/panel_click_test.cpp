// Presses on the navigation panel, the banner and the form, made through the
// display as a user makes them.
#include <fstream>
#include <sstream>

#include <wx/textctrl.h>
#include <wx/utils.h>

#include "banner_servers.h"
#include "core/app/status_message.h"
#include "panel_fixture.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/app/tarnwick_app.h"
#include "ui/banner/animated_picture.h"
#include "ui/banner/load_banner_thread.h"
#include "ui/workbench/tarnwick_doc.h"

using wv::BannerServer;

using wv::CLoadBannerThread;

using namespace std::chrono_literals;
using wvtest::PumpUntil;

namespace {
// The panel's windows need no banners: their banner threads are pointed at
// a port that refuses, so they end at once and publish no link.
class NoBannerServers : public ::testing::Environment {
public:
    void SetUp() override {
        BannerServer server;
        server.homePage = "http://" + wvtest::RefusingAddress() + "/";
        server.ftpHost = wvtest::RefusingAddress();
        wvtest::TestServices().SetBannerSettings(wv::BannerSettings{server, {}});
    }
    void TearDown() override { wvtest::TestServices().SetBannerSettings(std::nullopt); }
};
[[maybe_unused]] ::testing::Environment* const kNoBannerServers =
    ::testing::AddGlobalTestEnvironment(new NoBannerServers);
}  // namespace

namespace {

// The vendor's pages and the search host live on a recording site; the
// program reads them once, so they are set before main.
const bool kSiteReady = wvtest::PointVendorAtRecordingSite();

class PanelClicks : public wvtest::PanelTest {
protected:
    void SetUp() override { ASSERT_TRUE(kSiteReady && window.view()); }

    void ExpectResultsMode(const char* go, bool smartFind) {
        EXPECT_EQ(Entry(), 1);
        EXPECT_TRUE(ListShown());
        EXPECT_FALSE(PaneShown());
        EXPECT_EQ(window.GoCaption(), go);
        EXPECT_EQ(SmartFindShown(), smartFind);
        EXPECT_EQ(Group(), "Please enter keyword to search");
    }
    void ExpectBrowserMode(int entry) {
        EXPECT_EQ(Entry(), entry);
        EXPECT_FALSE(ListShown());
        if (view().BrowserPane()) {
            EXPECT_TRUE(PaneShown());
        }
        EXPECT_EQ(window.GoCaption(), "Go");
        EXPECT_TRUE(SmartFindShown());
        EXPECT_EQ(Group(), "Navigate To Address");
    }
};

TEST_F(PanelClicks, RowEdgesAndGapsHitAsHalfOpenRectangles) {
    struct Case {
        wxPoint at;
        int entry;  // 0: nothing selected, the search row stays
    };
    const Case cases[] = {
        {{10, 71}, 1},   {{189, 88}, 1},                   // corners of row 1
        {{190, 80}, 0},  {{100, 89}, 0},  {{100, 90}, 0},  // right of it, below it, the gap
        {{9, 80}, 0},    {{100, 70}, 0},  {{100, 93}, 2},
        {{10, 120}, 3},  {{189, 140}, 4}, {{100, 154}, 4},  // frame lines
        {{100, 155}, 0},
    };
    for (const Case& c : cases) {
        // Start each case from the search row, so a miss is visible.
        ASSERT_TRUE(Press({60, 102}));
        ASSERT_EQ(Entry(), 2);
        ASSERT_TRUE(Press(c.at)) << c.at.x << "," << c.at.y;
        EXPECT_EQ(Entry(), c.entry ? c.entry : 2) << c.at.x << "," << c.at.y;
    }
}

TEST_F(PanelClicks, EachRowSetsItsModeAndButtons) {
    ExpectResultsMode("Go", true);
    ASSERT_TRUE(Press({100, 100}));
    ExpectBrowserMode(2);
    ASSERT_TRUE(Press({100, 122}));
    ExpectBrowserMode(3);
    EXPECT_TRUE(wvtest::WaitForPath("/store/"));
    ASSERT_TRUE(Press({100, 144}));
    ExpectBrowserMode(4);
    EXPECT_TRUE(wvtest::WaitForPath("/second/"));
    ASSERT_TRUE(Press({100, 80}));
    ExpectResultsMode("Go", true);

    // The selected store row pressed again loads its page anew.
    const int storeLoads = wvtest::TimesRequested("/store/");
    ASSERT_TRUE(Press({100, 122}));
    ASSERT_TRUE(Press({40, 126}));
    EXPECT_TRUE(wvtest::WaitForPath("/store/", storeLoads + 2));
}

TEST_F(PanelClicks, TheRightButtonDoesWhatTheLeftDoes) {
    ASSERT_TRUE(Press({100, 122}, wxMOUSE_BTN_RIGHT));
    ExpectBrowserMode(3);
    EXPECT_TRUE(wvtest::WaitForPath("/store/"));
    ASSERT_TRUE(Press({100, 100}, wxMOUSE_BTN_RIGHT));
    ExpectBrowserMode(2);
    ASSERT_TRUE(Press({189, 88}, wxMOUSE_BTN_RIGHT));
    ExpectResultsMode("Go", true);
    ASSERT_TRUE(Press({100, 90}, wxMOUSE_BTN_RIGHT));
    EXPECT_EQ(Entry(), 1);
}

TEST_F(PanelClicks, RowsDuringARunKeepTheRunGoing) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return view().ResultsList()->GetRowCount() >= 20; }));
    ASSERT_EQ(window.GoCaption(), "Stop");

    ASSERT_TRUE(Press({100, 100}));
    ExpectBrowserMode(2);  // "Go" and Smart Find while the run goes on
    EXPECT_TRUE(view().IsRunning());

    // Go now navigates to the typed text and leaves the run alone.
    const std::string typed = "http://" + wvtest::RecordingHost() + "/typed/during-run";
    window.TypeKeyword(typed);
    window.ClickGo();
    EXPECT_TRUE(wvtest::WaitForPath("/typed/during-run"));
    EXPECT_TRUE(view().IsRunning());
    ExpectBrowserMode(2);

    ASSERT_TRUE(Press({100, 80}));
    ExpectResultsMode("Stop", false);
    EXPECT_TRUE(view().IsRunning());

    // Back in results mode Go stops the run, which restores the buttons.
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return !view().IsRunning() && window.GoCaption() == "Go"; }));
    EXPECT_TRUE(SmartFindShown());
}

TEST_F(PanelClicks, NewAndOpenLeaveTheViewAsAPressOnTheFirstRow) {
    ASSERT_TRUE(Press({100, 100}));
    ExpectBrowserMode(2);
    Command(wxID_NEW);
    ExpectResultsMode("Go", true);

    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return view().ResultsList()->GetRowCount() >= 20; }));
    ASSERT_TRUE(Press({100, 100}));
    ExpectBrowserMode(2);
    Command(wxID_NEW);
    ExpectResultsMode("Stop", false);
    EXPECT_TRUE(view().IsRunning());

    ASSERT_TRUE(Press({100, 122}));
    ExpectBrowserMode(3);
    wvtest::ScopedTempDir dir;
    const auto file = dir / "words.wvd";
    wvtest::WriteFile(file, "words");
    wvtest::TestServices().SetOpenFileChooser([&] { return wxString(file.string()); });
    Command(wxID_OPEN);
    wvtest::TestServices().SetOpenFileChooser({});
    ExpectResultsMode("Stop", false);
    EXPECT_TRUE(view().IsRunning());

    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return !view().IsGeneratorBusy(); }));
    ExpectResultsMode("Go", true);
}

TEST_F(PanelClicks, GoInBrowserModeHandsThePaneTheTypedTextAndLeavesTheList) {
    window.TypeKeyword("abc");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return view().ResultsList()->GetRowCount() == 5 && !view().IsRunning(); }));
    view().ResultsList()->SetSelectionMark(3);
    const auto rows = window.Column(1);

    ASSERT_TRUE(Press({100, 100}));
    const std::string typed = "http://" + wvtest::RecordingHost() + "/typed/page?q=a&b=c";
    window.TypeKeyword(typed);
    window.ClickGo();
    EXPECT_TRUE(wvtest::WaitForPath("/typed/page?q=a&b=c"));
    EXPECT_EQ(view().Keyword(), typed);
    EXPECT_FALSE(view().IsRunning());
    EXPECT_EQ(window.Column(1), rows);
    EXPECT_EQ(view().ResultsList()->GetSelectionMark(), 3);
    ExpectBrowserMode(2);
}

// The launcher runs $BROWSER: a script that writes down what it was given.
class BannerPress : public PanelClicks {
protected:
    void SetUp() override {
        PanelClicks::SetUp();
        if (!view().Banner()) GTEST_SKIP() << "no banner picture on the form";
        // The window's banner thread publishes the links of whatever list it
        // finds; these tests set the link themselves, so wait until it has
        // given up on its servers (its list fetch is refused at once).
        ASSERT_TRUE(PumpUntil([] { return wvtest::BannerThreadsWorking() == 0; }, 10s));
        std::ofstream(m_script) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << m_log << "'\n";
        wxExecute("chmod +x " + m_script, wxEXEC_SYNC);
        std::remove(m_log.c_str());
        setenv("BROWSER", (m_script + " %s").c_str(), 1);
    }
    void TearDown() override { unsetenv("BROWSER"); }

    std::string Launched() {
        wvtest::TestServices().WaitForLaunches(5s);
        std::ifstream in(m_log);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    wxPoint BannerCentre() {
        wxRect r = view().Banner()->GetRect();
        return {r.x + r.width / 2, r.y + r.height / 2};
    }

    std::string m_script = WORDVANE_BINARY_DIR "/panel_browser.sh";
    std::string m_log = WORDVANE_BINARY_DIR "/panel_browser.log";
};

TEST_F(BannerPress, EitherButtonOpensTheLinkAndChangesNothingElse) {
    window.doc()->SetBannerLink("http://banner.test/offer?id=7");
    ASSERT_TRUE(Press(BannerCentre()));
    ASSERT_TRUE(PumpUntil([&] { return Launched() == "http://banner.test/offer?id=7\n"; }, 5s));
    ExpectResultsMode("Go", true);

    window.doc()->SetBannerLink("http://banner.test/second");
    ASSERT_TRUE(Press(BannerCentre(), wxMOUSE_BTN_RIGHT));
    ASSERT_TRUE(
        PumpUntil([&] { return Launched() == "http://banner.test/offer?id=7\nhttp://banner.test/second\n"; }, 5s));
    EXPECT_EQ(Entry(), 1);
}

TEST_F(BannerPress, TheHandShowsOverTheBannerOnly) {
    auto cursorAt = [&](wxPoint at) {
        wxUIActionSimulator sim;
        sim.MouseMove(form()->ClientToScreen(at));
        PumpUntil([&] { return form()->ScreenToClient(wxGetMousePosition()) == at; }, 2s);
        wxSetCursorEvent event;
        form()->GetEventHandler()->ProcessEvent(event);
        return event.HasCursor() && event.GetCursor().IsSameAs(view().Panel().HandCursor());
    };
    EXPECT_TRUE(cursorAt(BannerCentre()));
    EXPECT_TRUE(cursorAt(view().Banner()->GetRect().GetTopLeft()));
    EXPECT_FALSE(cursorAt(view().Banner()->GetRect().GetTopLeft() - wxPoint(1, 0)));
    EXPECT_FALSE(cursorAt({100, 80}));
}

TEST_F(PanelClicks, MovingOverTheFormShowsTheVendorNotice) {
    ASSERT_EQ(window.frame()->GetStatusText(), "");
    wxUIActionSimulator sim;
    sim.MouseMove(form()->ClientToScreen(wxPoint(100, 250)));
    sim.MouseMove(form()->ClientToScreen(wxPoint(110, 260)));
    EXPECT_TRUE(PumpUntil([&] { return window.frame()->GetStatusText() == wv::kVendorNotice; }, 3s));
}

}  // namespace
