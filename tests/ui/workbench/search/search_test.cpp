// The auction-site searches in the real window, against a recording search
// host: what goes out on the wire, and the mode the view ends in.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>

#include "core/res/resource.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "recording_site.h"
#include "stand_in_services.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"

using wv::wvEVT_RESULTS_DBLCLK;

using wv::CResultsListCtrl;
using wv::CTarnwickView;

using namespace std::chrono_literals;
using wvtest::PumpUntil;
using wvtest::WaitForPath;

namespace {

const bool kSiteReady = wvtest::PointVendorAtRecordingSite();

class Search : public ::testing::Test {
protected:
    wvtest::WorkbenchWindow window;
    std::vector<std::string> boxes;

    void SetUp() override {
        ASSERT_TRUE(kSiteReady && window.view() && view().BrowserPane());
        wvtest::TestServices().SetMessageBoxHandler(
            [this](const std::string& text, const std::string& caption, long style, wxWindow* owner) {
                // The view's own box: over the form, OK only, no icon.
                EXPECT_EQ(owner, view().GetForm());
                EXPECT_EQ(caption, "Wordvane");
                EXPECT_EQ(style & (wxOK | wxICON_NONE | wxYES_NO), wxOK | wxICON_NONE);
                boxes.push_back(text);
                return wxOK;
            });
    }
    void TearDown() override { wvtest::TestServices().SetMessageBoxHandler({}); }

    CTarnwickView& view() { return *window.view(); }
    CResultsListCtrl& list() { return *view().ResultsList(); }
    void Fill(const std::vector<std::string>& variants) {
        list().DeleteAllRows();
        for (std::size_t i = 0; i < variants.size(); ++i)
            list().InsertRow(static_cast<int>(i),
                             {std::to_string(i + 1), variants[i], "Double Click To Search On eBay"});
    }
    void DoubleClickEvent() {
        wxCommandEvent event(wvEVT_RESULTS_DBLCLK, wv::res::IDC_RESULTS);
        event.SetEventObject(&list());
        view().GetForm()->GetEventHandler()->ProcessEvent(event);
    }
    void ExpectSearchMode() {
        EXPECT_EQ(view().SelectedPanelEntry(), 2);
        EXPECT_EQ(view().KeywordGroup()->GetLabel(), "Navigate To Address");
        EXPECT_TRUE(view().BrowserPane()->GetWindow()->IsShown());
        EXPECT_FALSE(list().IsShown());
    }
    void ExpectResultsModeUntouched() {
        EXPECT_EQ(view().SelectedPanelEntry(), 1);
        EXPECT_EQ(view().KeywordGroup()->GetLabel(), "Please enter keyword to search");
        EXPECT_TRUE(list().IsShown());
        EXPECT_FALSE(view().BrowserPane()->GetWindow()->IsShown());
    }
};

TEST_F(Search, DoubleClickOnARowSearchesItsVariant) {
    window.TypeKeyword("abc");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return list().GetRowCount() == 5 && !view().IsRunning(); }));
    ASSERT_EQ(list().GetCellText(0, 1), "acb");

    // A real double-click on the row holding acb.
    wxRect row;
    ASSERT_TRUE(list().GetItemRect(0, row));
    wxUIActionSimulator sim;
    sim.MouseMove(list().ClientToScreen(wxPoint(row.x + 200, row.y + row.height / 2)));
    sim.MouseDblClick();
    ASSERT_TRUE(WaitForPath("/search/search.dll?satitle=acb"));
    ExpectSearchMode();
    EXPECT_EQ(window.GoCaption(), "Go");
    EXPECT_TRUE(view().SmartFindButton()->IsShown());
    // The list is hidden, not changed.
    EXPECT_EQ(window.Column(1), (std::vector<std::string>{"acb", "bac", "bca", "cab", "cba"}));
    EXPECT_EQ(list().GetSelectionMark(), 0);
}

TEST_F(Search, NoMarkedRowMeansNoSearch) {
    const auto requests = wvtest::PageRequests().size();
    DoubleClickEvent();  // a fresh, empty list
    Fill({"acb", "bac"});
    list().SetSelectionMark(-1);
    DoubleClickEvent();
    list().SetSelectionMark(2);  // beyond the last row
    DoubleClickEvent();
    ExpectResultsModeUntouched();
    wvtest::PumpFor(300ms);
    EXPECT_EQ(wvtest::PageRequests().size(), requests);
}

TEST_F(Search, SmartFindSearchesEveryVariantWithTheCommaKept) {
    Fill({"acb", "bac", "bca"});
    window.ClickSmartFind();
    ASSERT_TRUE(WaitForPath("/(acb,bac,bca,)"));
    ExpectSearchMode();
    EXPECT_TRUE(boxes.empty());
    Fill({"x"});
    window.ClickSmartFind();
    EXPECT_TRUE(WaitForPath("/(x,)"));
}

TEST_F(Search, OddVariantsGoOutAsTheWebEngineSendsThem) {
    // The program adds no escaping; the web engine percent-encodes the
    // space itself and leaves '&' as it is.
    Fill({"a b", "c&d"});
    list().SetSelectionMark(0);
    DoubleClickEvent();
    EXPECT_TRUE(WaitForPath("/search/search.dll?satitle=a%20b"));
    list().SetSelectionMark(1);
    DoubleClickEvent();
    EXPECT_TRUE(WaitForPath("/search/search.dll?satitle=c&d"));
    window.ClickSmartFind();
    EXPECT_TRUE(WaitForPath("/(a%20b,c&d,)"));
}

TEST_F(Search, SmartFindOverAHugeListStaysWithinEightKilobytes) {
    std::vector<std::string> variants(2000, "abcdefghij");
    Fill(variants);
    window.ClickSmartFind();
    ASSERT_TRUE(PumpUntil(
        [&] {
            for (const std::string& path : wvtest::RequestedPaths())
                if (path.rfind("/(abcdefghij,", 0) == 0) return true;
            return false;
        },
        15s));
    for (const std::string& path : wvtest::RequestedPaths()) {
        if (path.rfind("/(abcdefghij,", 0) != 0) continue;
        const std::string address = "http://" + wvtest::RecordingHost() + path;
        EXPECT_LE(address.size(), 8192u);
        EXPECT_GT(address.size(), 8192u - 12);
        EXPECT_TRUE(path.ends_with(",)"));
    }
}

TEST_F(Search, SmartFindOnAnEmptyListOnlyExplains) {
    const auto requests = wvtest::PageRequests().size();
    window.ClickSmartFind();
    ASSERT_EQ(boxes, (std::vector<std::string>{"Please search for something first so there is data to analyse."}));
    ExpectResultsModeUntouched();
    wvtest::PumpFor(300ms);
    EXPECT_EQ(wvtest::PageRequests().size(), requests);
}

TEST_F(Search, DoubleClickDuringARunLeavesTheRunAndGoNavigates) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return list().GetRowCount() >= 20; }));
    list().SetSelectionMark(0);
    DoubleClickEvent();
    ExpectSearchMode();
    EXPECT_EQ(window.GoCaption(), "Stop");
    EXPECT_FALSE(view().SmartFindButton()->IsShown());
    EXPECT_TRUE(view().IsRunning());
    // The newest row was on top when the search was made.
    EXPECT_TRUE(PumpUntil(
        [&] {
            for (const std::string& path : wvtest::RequestedPaths())
                if (path.rfind("/search/search.dll?satitle=", 0) == 0 && path.size() == 37) return true;
            return false;
        },
        15s));

    window.TypeKeyword("http://" + wvtest::RecordingHost() + "/typed/while-running");
    window.ClickGo();
    EXPECT_TRUE(WaitForPath("/typed/while-running"));
    EXPECT_TRUE(view().IsRunning());
    EXPECT_EQ(window.GoCaption(), "Stop");
    view().StopGenerator();
}

}  // namespace
