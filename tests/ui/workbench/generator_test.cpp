// The variant generator driven through the real workbench window.
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "caption_recorder.h"
#include "core/marshal/ui_marshal.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "stand_in_services.h"
#include "ui/app/main_frame.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CResultsListCtrl;
using wv::CTarnwickView;

using namespace std::chrono_literals;
using wvtest::PumpUntil;

namespace {

using wvtest::CaptionRecorder;

class Generator : public ::testing::Test {
protected:
    wvtest::WorkbenchWindow window;
    CTarnwickView* view() { return window.view(); }
    int Rows() { return view()->ResultsList()->GetRowCount(); }
    bool Idle() { return !view()->IsGeneratorBusy() && window.GoCaption() == "Go"; }
};

TEST_F(Generator, StartsEmptyInResultsMode) {
    ASSERT_NE(view(), nullptr);
    CResultsListCtrl* list = view()->ResultsList();
    EXPECT_EQ(list->GetColumnCount(), 3);
    EXPECT_EQ(list->GetRowCount(), 0);
    EXPECT_EQ(window.GoCaption(), "Go");
    EXPECT_EQ(view()->KeywordGroup()->GetLabel(), "Please enter keyword to search");
    EXPECT_TRUE(view()->SmartFindButton()->IsShown());
    EXPECT_EQ(list->GetRect(), wxRect(200, 70, 760, 530));
    if (view()->BrowserPane()) {
        EXPECT_FALSE(view()->BrowserPane()->GetWindow()->IsShown());
        EXPECT_EQ(view()->BrowserPane()->GetWindow()->GetRect(), wxRect(200, 70, 760, 530));
    }
    // No default button, and in Letter Order the box leaves Enter to it:
    // Enter in the keyword box presses nothing.
    EXPECT_EQ(window.frame()->GetDefaultItem(), nullptr);
    wxCommandEvent enter(wxEVT_TEXT_ENTER, view()->KeywordEdit()->GetId());
    enter.SetEventObject(view()->KeywordEdit());
    EXPECT_FALSE(view()->KeywordEdit()->ProcessWindowEvent(enter));
    EXPECT_FALSE(view()->IsGeneratorBusy());
}

TEST_F(Generator, AbcTypedAndClickedInTheWindowListsFiveVariants) {
    CaptionRecorder recorder(view()->GoButton());
    wvtest::TestServices().UsePoster(&recorder);

    wxUIActionSimulator sim;
    wxTextCtrl* edit = view()->KeywordEdit();
    sim.MouseMove(edit->GetScreenRect().GetPosition() + wxPoint(20, 10));
    sim.MouseClick();
    PumpUntil([&] { return edit->HasFocus(); }, 2s);
    sim.Text("abc");
    PumpUntil([&] { return edit->GetValue() == "abc"; }, 3s);
    if (edit->GetValue() != "abc") edit->ChangeValue("abc");  // no keyboard focus on this display
    wxButton* go = view()->GoButton();
    sim.MouseMove(go->GetScreenRect().GetPosition() + wxPoint(go->GetSize().x / 2, go->GetSize().y / 2));
    sim.MouseClick();

    ASSERT_TRUE(PumpUntil([&] { return Rows() == 5 && Idle(); }, 10s));
    EXPECT_EQ(window.Column(0), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(window.Column(1), (std::vector<std::string>{"acb", "bac", "bca", "cab", "cba"}));
    for (const std::string& hint : window.Column(2)) EXPECT_EQ(hint, "Double Click To Search On eBay");
    EXPECT_EQ(recorder.captions(), (std::vector<std::string>{"Go", "Deleting", "Stop", "Go"}));
    EXPECT_TRUE(view()->SmartFindButton()->IsShown());
    recorder.Detach();
}

TEST_F(Generator, NewestRowIsOnTopWhileRunningAndStopEndsTheRun) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Rows() >= 30; }));
    EXPECT_EQ(window.GoCaption(), "Stop");
    EXPECT_FALSE(view()->SmartFindButton()->IsShown());
    EXPECT_EQ(view()->ResultsList()->GetCellText(0, 0), std::to_string(Rows()));

    int rowsAtStop = Rows();
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    EXPECT_LE(Rows(), rowsAtStop + 1);
    std::vector<std::string> numbers = window.Column(0);
    for (size_t i = 0; i < numbers.size(); ++i) EXPECT_EQ(numbers[i], std::to_string(i + 1));
    EXPECT_TRUE(view()->SmartFindButton()->IsShown());
}

TEST_F(Generator, AStopClickBeforeTheWorkerStartsStillLeavesOneRow) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    window.ClickGo();  // a stop request, not a second run
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    EXPECT_EQ(window.Column(1), std::vector<std::string>{"abcdefghji"});
}

TEST_F(Generator, ANewRunReplacesThePreviousRows) {
    window.TypeKeyword("abc");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 5 && Idle(); }));
    window.TypeKeyword("ba");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 2 && Idle(); }));
    EXPECT_EQ(window.Column(1), (std::vector<std::string>{"ab", "ba"}));
}

// Before, such a press was dropped: the user had to press again once the
// stopped run had ended.
TEST_F(Generator, GoWhileAStoppedRunFinishesStartsTheNextRunWithTheKeywordTypedThen) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Rows() >= 10; }));
    // The worker's closing steps wait for this thread, which runs no events
    // until the second press is in.
    window.ClickGo();
    ASSERT_FALSE(view()->IsRunning());
    ASSERT_TRUE(view()->IsGeneratorBusy());
    window.TypeKeyword("ba");
    window.ClickGo();
    window.TypeKeyword("xyz");
    ASSERT_TRUE(PumpUntil([&] { return Rows() == 2 && Idle(); }));
    EXPECT_EQ(window.Column(1), (std::vector<std::string>{"ab", "ba"}));
    EXPECT_EQ(view()->Keyword(), "ba");
    EXPECT_TRUE(view()->SmartFindButton()->IsShown());
}

TEST_F(Generator, ClosingTheWindowMidRunEndsPromptly) {
    window.TypeKeyword("abcdefghij");
    window.ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Rows() >= 10; }));
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(window.Close());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
}

}  // namespace
