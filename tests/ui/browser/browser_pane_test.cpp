// The browser pane in the real window, against loopback servers: what the
// web engine asks for, the browser commands, and the pane as the frame's
// active view.
#include <chrono>
#include <string>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include "core/res/resource.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "loopback_server.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"
#include "vendor_site.h"

using wv::CFixHtmlView;
using wv::CTarnwickView;

using namespace std::chrono_literals;
using wvtest::LoopbackConnection;
using wvtest::LoopbackServer;
using wvtest::PumpUntil;

namespace {

// Answers every path with a page titled after it, keeping the connection for
// the next request; "/slow" is never answered.
LoopbackServer::Behaviour TitledPages() {
    return [](LoopbackConnection& c) {
        std::string head;
        while (c.ReadRequestHead(head)) {
            std::string path = head.substr(4, head.find(' ', 4) - 4);
            if (path == "/slow") {
                c.WaitForStop();
                return;
            }
            std::string body = "<html><head><title>" + path + "</title></head><body>" + path + "</body></html>";
            if (!c.Send("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
                        "\r\n\r\n" + body))
                return;
        }
    };
}

bool Requested(const LoopbackServer& server, const std::string& line, int times = 1) {
    return PumpUntil(
        [&] {
            int seen = 0;
            for (const std::string& l : server.RequestLines())
                if (l == line) ++seen;
            return seen >= times;
        },
        20s);
}

class BrowserPane : public ::testing::Test {
protected:
    LoopbackServer server{TitledPages()};
    wvtest::WorkbenchWindow window;
    CTarnwickView* view() { return window.view(); }
    CFixHtmlView* pane() { return view()->BrowserPane(); }
    wxWebView* browser() { return pane()->GetBrowser(); }

    void SetUp() override {
        ASSERT_NE(view(), nullptr);
        ASSERT_NE(pane(), nullptr) << "the web engine could not be created";
    }

    // Navigates and waits until the page has loaded.
    bool Load(const std::string& path) {
        pane()->Navigate(server.Url(path));
        return Shows(path);
    }
    bool Shows(const std::string& path) {
        return PumpUntil(
            [&] {
                return !browser()->IsBusy() && browser()->GetCurrentURL() == server.Url(path) &&
                       browser()->GetCurrentTitle() == path;
            },
            20s);
    }
    void SendCommand(int id) { wvtest::SendCommand(window.frame(), id); }
};

}  // namespace

TEST_F(BrowserPane, CreatedHiddenAndEmptyOnTheListsRectangle) {
    EXPECT_FALSE(pane()->GetWindow()->IsShown());
    EXPECT_EQ(pane()->GetWindow()->GetParent(), view()->GetForm());
    EXPECT_EQ(pane()->GetWindow()->GetRect(), wxRect(200, 70, 760, 530));
    EXPECT_EQ(browser()->GetCurrentURL(), "about:blank");
    EXPECT_FALSE(pane()->IsActive());
}

TEST_F(BrowserPane, NavigateHandsTheAddressOverUnchanged) {
    pane()->Navigate(server.Url("/a/b.html?x=1&y=2"));
    EXPECT_TRUE(Requested(server, "GET /a/b.html?x=1&y=2 HTTP/1.1"));
    // The vendor's page addresses keep their backslashes; the web engine
    // turns them into slashes, so the request path starts with two.
    pane()->Navigate(server.Url("/") + "\\tarnwick\\help123.html");
    EXPECT_TRUE(Requested(server, "GET //tarnwick/help123.html HTTP/1.1"));
}

TEST_F(BrowserPane, BundledSiteAnswersTheHelpPageAddress) {
    wvtest::VendorSite site(wvtest::SourcePath("site"));
    pane()->Navigate(site.HomePage() + "\\tarnwick\\help123.html");
    EXPECT_TRUE(PumpUntil([&] { return browser()->GetCurrentTitle() == "Wordvane Help"; }, 20s));
}

TEST_F(BrowserPane, BackForwardRefreshAndStopActWhileHidden) {
    ASSERT_TRUE(Load("/one"));
    ASSERT_TRUE(Load("/two"));
    ASSERT_FALSE(pane()->GetWindow()->IsShown());

    pane()->GoBack();
    EXPECT_TRUE(Shows("/one"));
    pane()->GoForward();
    EXPECT_TRUE(Shows("/two"));
    pane()->Refresh();
    EXPECT_TRUE(Requested(server, "GET /two HTTP/1.1", 2));
    EXPECT_TRUE(Shows("/two"));

    pane()->Navigate(server.Url("/slow"));
    ASSERT_TRUE(Requested(server, "GET /slow HTTP/1.1"));
    EXPECT_TRUE(browser()->IsBusy());
    pane()->Stop();
    EXPECT_TRUE(PumpUntil([&] { return !browser()->IsBusy(); }, 10s));
}

TEST_F(BrowserPane, WhileActiveItSwallowsPanelCommandsAndStillDrivesItsBrowser) {
    ASSERT_TRUE(Load("/one"));
    ASSERT_TRUE(Load("/two"));
    view()->ShowBrowserPane();
    int panelCommands = 0;
    auto count = [&](wxCommandEvent& event) {
        ++panelCommands;
        event.Skip();
    };
    view()->Bind(wxEVT_MENU, count, wv::res::ID_RESULTS_TOOL);
    view()->Bind(wxEVT_MENU, count, wv::res::ID_HELP);

    pane()->SetActive(true);
    ASSERT_TRUE(pane()->IsActive());
    SendCommand(wv::res::ID_RESULTS_TOOL);
    SendCommand(wv::res::ID_HELP);
    SendCommand(wv::res::ID_SHOW_RESULTS);
    EXPECT_EQ(panelCommands, 0);
    EXPECT_TRUE(pane()->GetWindow()->IsShown());  // nothing switched back to the list

    SendCommand(wv::res::ID_BROWSER_BACK);
    EXPECT_TRUE(Shows("/one"));
    SendCommand(wv::res::ID_BROWSER_FORWARD);
    EXPECT_TRUE(Shows("/two"));
    SendCommand(wv::res::ID_BROWSER_REFRESH);
    EXPECT_TRUE(Requested(server, "GET /two HTTP/1.1", 2));

    // A click on the form hands the commands back to the workbench.
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    click.SetEventObject(view()->KeywordEdit());
    click.SetId(view()->KeywordEdit()->GetId());
    view()->KeywordEdit()->ProcessWindowEvent(click);
    EXPECT_FALSE(pane()->IsActive());
    SendCommand(wv::res::ID_RESULTS_TOOL);
    SendCommand(wv::res::ID_HELP);
    EXPECT_EQ(panelCommands, 2);
}

TEST_F(BrowserPane, ClickIntoThePageActivatesAndClickOnTheFormDeactivates) {
    ASSERT_TRUE(Load("/one"));
    view()->ShowBrowserPane();
    wvtest::PumpFor(200ms);
    wxUIActionSimulator sim;
    wxWindow* page = pane()->GetWindow();
    sim.MouseMove(page->ClientToScreen(wxPoint(380, 260)));
    wvtest::PumpFor(50ms);
    sim.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return pane()->IsActive(); }, 5s));

    // Any form control, or the form itself, takes the commands back.
    sim.MouseMove(view()->KeywordEdit()->ClientToScreen(wxPoint(10, 5)));
    wvtest::PumpFor(50ms);
    sim.MouseClick();
    EXPECT_TRUE(PumpUntil([&] { return !pane()->IsActive(); }, 5s));
}

TEST_F(BrowserPane, ClosingTheWindowWhileAPageHangsIsQuick) {
    view()->ShowBrowserPane();
    pane()->Navigate(server.Url("/slow"));
    ASSERT_TRUE(Requested(server, "GET /slow HTTP/1.1"));
    pane()->SetActive(true);
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(window.Close());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}
