// The panel and browser commands, sent to the main frame as a toolbar or a
// menu would send them.
#include <string>
#include <vector>

#include <wx/webview.h>

#include "core/res/resource.h"
#include "panel_fixture.h"
#include "ui/app/tarnwick_app.h"

using namespace std::chrono_literals;
using wvtest::PumpUntil;
namespace res = wv::res;

namespace {

class PanelCommands : public wvtest::PanelTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.view() && view().BrowserPane());
        Browser()->Bind(wxEVT_WEBVIEW_LOADED, [this](wxWebViewEvent& event) {
            m_loaded.push_back(wv::ToAnsi(event.GetURL()));
            event.Skip();
        });
    }

    // Commands leave captions and buttons as the mouse set them.
    void ExpectButtonsUntouched() {
        EXPECT_EQ(window.GoCaption(), "Go");
        EXPECT_TRUE(SmartFindShown());
        EXPECT_EQ(Group(), "Please enter keyword to search");
    }
    void ExpectMode(int entry) {
        EXPECT_EQ(Entry(), entry);
        EXPECT_EQ(ListShown(), entry == 1);
        EXPECT_EQ(PaneShown(), entry != 1);
    }
    wxWebView* Browser() { return view().BrowserPane()->GetBrowser(); }
    // Pages loaded so far; a page counts once its load has completed (a
    // later command would cancel a load in progress).
    std::size_t Loads() const { return m_loaded.size(); }
    bool LoadedSince(std::size_t mark, const std::string& path) {
        return PumpUntil(
            [&] {
                for (std::size_t i = mark; i < m_loaded.size(); ++i)
                    if (m_loaded[i].ends_with(path)) return true;
                return false;
            },
            10s);
    }
    // Sends a command and waits for the page it loads.
    bool CommandLoads(int id, const std::string& path) {
        const std::size_t mark = Loads();
        Command(id);
        return LoadedSince(mark, path);
    }

private:
    std::vector<std::string> m_loaded;
};

TEST_F(PanelCommands, PageCommandsSelectTheirEntryAndLoadTheirPage) {
    struct Case {
        int id, entry;
        const char* path;  // nullptr: no page
    };
    // The pages under the home page ("http://host/home/") arrive as the web
    // engine makes the backslashes of their addresses into slashes, the
    // first one right after the home page's own.
    const Case cases[] = {
        {res::ID_SHOW_SEARCH, 2, nullptr},
        {res::ID_STORE_SECOND_SITE, 3, "/second/"},  // store row, second site
        {res::ID_SHOW_RESULTS, 1, nullptr},
        {res::ID_SECOND_SITE, 4, "/second/"},
        {res::ID_HELP_PAGE, 7, "/home//tarnwick/help123.html"},
        {res::ID_RESULTS_TOOL, 1, nullptr},
        {res::ID_TERMS_PAGE, 6, "/home//tarnwick/terms123.html"},
        {res::ID_UPDATE_PAGE, 5, "/home//tarnwick/update123.html"},
        {res::ID_HELP, 7, "/home//tarnwick/help123.html"},
        {res::ID_NOTHING, 7, nullptr},
    };
    const int storeLoads = wvtest::TimesRequested("/store/");
    for (const Case& c : cases) {
        const int before = c.path ? wvtest::TimesRequested(c.path) : 0;
        Command(c.id);
        ExpectMode(c.entry);
        ExpectButtonsUntouched();
        if (c.path) {
            EXPECT_TRUE(wvtest::WaitForPath(c.path, before + 1)) << c.id;
        }
    }
    EXPECT_EQ(wvtest::TimesRequested("/store/"), storeLoads);
}

TEST_F(PanelCommands, BrowserCommandsDriveThePaneInEitherMode) {
    ASSERT_TRUE(CommandLoads(res::ID_SECOND_SITE, "/second/"));
    ASSERT_TRUE(CommandLoads(res::ID_UPDATE_PAGE, "/update123.html"));
    Command(res::ID_SHOW_RESULTS);  // the pane is hidden now; the commands still reach it
    ExpectMode(1);

    EXPECT_TRUE(CommandLoads(res::ID_BROWSER_BACK, "/second/"));
    EXPECT_TRUE(CommandLoads(res::ID_BROWSER_FORWARD, "/update123.html"));
    const int loads = wvtest::TimesRequested("/home//tarnwick/update123.html");
    EXPECT_TRUE(CommandLoads(res::ID_BROWSER_REFRESH, "/update123.html"));
    EXPECT_EQ(wvtest::TimesRequested("/home//tarnwick/update123.html"), loads + 1);
    Command(res::ID_BROWSER_STOP);
    ExpectMode(1);
    ExpectButtonsUntouched();
}

TEST_F(PanelCommands, TheActiveBrowserPaneSwallowsThePanelCommands) {
    ASSERT_TRUE(CommandLoads(res::ID_SECOND_SITE, "/second/"));
    auto* frame = window.frame();
    frame->SetActiveView(view().BrowserPane());
    const std::size_t requests = wvtest::PageRequests().size();
    const std::size_t loads = Loads();
    for (int id : {res::ID_SHOW_RESULTS, res::ID_RESULTS_TOOL, res::ID_HELP, res::ID_STORE_SECOND_SITE,
                   res::ID_SHOW_SEARCH, res::ID_UPDATE_PAGE, res::ID_NOTHING})
        Command(id);
    ExpectMode(4);
    // Browser commands keep working, on the pane's own browser.
    EXPECT_TRUE(CommandLoads(res::ID_BROWSER_REFRESH, "/second/"));
    EXPECT_EQ(Loads(), loads + 1);
    EXPECT_EQ(wvtest::PageRequests().size(), requests + 1);
    ExpectMode(4);

    // Back on the workbench, the panel commands work again.
    frame->SetActiveView(nullptr);
    Command(res::ID_RESULTS_TOOL);
    ExpectMode(1);
}

}  // namespace
