// Likely Typos runs in the real window and their Smart Find batches against
// the recording search host.
#include "core/typos/likely_typos.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/uiaction.h>

#include "caption_recorder.h"
#include "core/app/variant_settings.h"
#include "core/res/resource.h"
#include "core/text/cp1252.h"
#include "core/workbench/list_run.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "recording_site.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/results/results_header.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CResultsListCtrl;
using wv::CTarnwickView;
using wv::TheApp;
using wv::VariantMode;
using wv::VariantSettings;

using namespace std::chrono_literals;
using wvtest::PumpUntil;

namespace {

const bool kSiteReady = wvtest::PointVendorAtRecordingSite();

// Smart Find requests ("/(" ...) the site has seen, in order.
std::vector<std::string> GroupRequests() {
    std::vector<std::string> groups;
    for (std::string& path : wvtest::RequestedPaths())
        if (path.starts_with("/(")) groups.push_back(std::move(path));
    return groups;
}

std::string PercentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

class LikelyTypos : public ::testing::Test {
protected:
    // The window is made in a folder without a word list, so nothing is
    // skipped unless a test writes one.
    wvtest::ScopedTempDir dir;
    wvtest::ScopedWorkingDir here{dir.path()};
    std::unique_ptr<wvtest::WorkbenchWindow> window;
    std::vector<std::string> boxes;

    void SetUp() override {
        ASSERT_TRUE(kSiteReady);
        TheApp().SetVariantSettings({VariantMode::LikelyTypos, true});
        window = std::make_unique<wvtest::WorkbenchWindow>();
        ASSERT_NE(window->view(), nullptr);
        wvtest::TestServices().SetMessageBoxHandler(
            [this](const std::string& text, const std::string&, long, wxWindow*) {
                boxes.push_back(text);
                return wxOK;
            });
    }
    void TearDown() override {
        window.reset();
        wvtest::TestServices().SetMessageBoxHandler({});
        TheApp().SetVariantSettings({});
    }

    CTarnwickView& view() { return *window->view(); }
    CResultsListCtrl& list() { return *view().ResultsList(); }
    std::string SmartFindCaption() { return wv::ToAnsi(view().SmartFindButton()->GetLabel()); }
    bool Idle() { return !view().IsGeneratorBusy() && window->GoCaption() == "Go"; }
    // From results mode, where Go starts a run (a search left the view in
    // browser mode).
    void Run(const std::string& keyword) {
        Command(wv::res::ID_SHOW_RESULTS);
        window->TypeKeyword(keyword);
        window->ClickGo();
        ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    }
    void Command(int id) { wvtest::SendCommand(window->frame(), id); }
    // Presses Smart Find and returns the group request it made.
    std::string PressSmartFind() {
        const std::size_t before = GroupRequests().size();
        window->ClickSmartFind();
        if (!PumpUntil([&] { return GroupRequests().size() > before; }, 15s)) return {};
        return GroupRequests().back();
    }
};

TEST_F(LikelyTypos, CameraListsRankedNamedTyposWithTheLetterOrderCaptions) {
    wvtest::CaptionRecorder recorder(view().GoButton());
    wvtest::TestServices().UsePoster(&recorder);
    Run("camera");
    recorder.Detach();
    EXPECT_EQ(recorder.captions(), (std::vector<std::string>{"Go", "Deleting", "Stop", "Go"}));
    EXPECT_TRUE(view().SmartFindButton()->IsShown());
    EXPECT_EQ(view().ListMode(), VariantMode::LikelyTypos);

    const std::vector<std::string> ranks = window->Column(0), variants = window->Column(1), kinds = window->Column(2);
    ASSERT_GT(variants.size(), 0u);
    ASSERT_LE(variants.size(), 100u);
    std::set<std::string> kindNames;
    for (int k = 0; k <= static_cast<int>(wv::TypoKind::TwoSlips); ++k)
        kindNames.insert(std::string(wv::TypoKindName(static_cast<wv::TypoKind>(k))));
    std::vector<std::string> expected;
    for (const wv::Typo& typo : wv::LikelyTypos("camera")) expected.push_back(typo.variant);
    EXPECT_EQ(variants, expected);
    for (std::size_t i = 0; i < variants.size(); ++i) {
        EXPECT_EQ(ranks[i], std::to_string(i + 1));
        EXPECT_NE(wv::AsciiUpper(variants[i]), "CAMERA");
        EXPECT_TRUE(kindNames.count(kinds[i])) << kinds[i];
    }
}

TEST_F(LikelyTypos, EnterRunsAListUnderItsOwnTitlesWhoseSearchedRowsTurnGrey) {
    window->TypeKeyword("camera");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, wv::res::IDC_KEYWORD_EDIT);
    enter.SetEventObject(view().KeywordEdit());
    view().KeywordEdit()->ProcessWindowEvent(enter);
    ASSERT_TRUE(PumpUntil([&] { return list().GetRowCount() > 10 && Idle(); }));
    for (int column = 0; column < 3; ++column)
        EXPECT_EQ(list().Header().GetItemText(column), wv::ListColumnTitles(VariantMode::LikelyTypos)[column]);
    for (int row = 0; row < list().GetRowCount(); ++row) ASSERT_FALSE(list().IsRowGreyed(row));

    list().SetSelectionMark(5);
    wxCommandEvent dblclk(wv::wvEVT_RESULTS_DBLCLK, wv::res::IDC_RESULTS);
    dblclk.SetEventObject(&list());
    view().GetForm()->ProcessWindowEvent(dblclk);
    EXPECT_TRUE(list().IsRowGreyed(5));
    EXPECT_FALSE(list().IsRowGreyed(0));
    ASSERT_FALSE(PressSmartFind().empty());
    EXPECT_TRUE(list().IsRowGreyed(0)) << "the first batch holds the likeliest";
    EXPECT_FALSE(list().IsRowGreyed(list().GetRowCount() - 1)) << "the last batch is not sent yet";

    Run("lens");
    for (int row = 0; row < list().GetRowCount(); ++row) EXPECT_FALSE(list().IsRowGreyed(row));
    TheApp().SetVariantSettings({});
    Run("ab");
    EXPECT_EQ(list().Header().GetItemText(0), "No. Of Misspelt Items");
}

TEST_F(LikelyTypos, AKeywordNoSearchCouldHoldIsRefusedWithABox) {
    Run("lens");
    const int rows = list().GetRowCount();
    std::string keyword;
    for (int word = 0; word < 40; ++word) keyword += "telescope ";
    Run(keyword);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("too long"), std::string::npos) << boxes[0];
    EXPECT_EQ(list().GetRowCount(), rows) << "the list stays as it was";
}

TEST_F(LikelyTypos, AStopBeforeTheWorkerStartsLeavesTheFirstRowAndAnEmptyKeywordListsNothing) {
    window->TypeKeyword("camera");
    window->ClickGo();
    window->ClickGo();
    ASSERT_TRUE(PumpUntil([&] { return Idle(); }));
    EXPECT_EQ(window->Column(0), std::vector<std::string>{"1"});

    Run("");
    EXPECT_EQ(list().GetRowCount(), 0);
    EXPECT_TRUE(view().SmartFindButton()->IsShown());
    EXPECT_EQ(SmartFindCaption(), "Smart Find");
    window->ClickSmartFind();
    EXPECT_EQ(boxes, std::vector<std::string>{"Please search for something first so there is data to analyse."});
}

TEST_F(LikelyTypos, SkipRealWordsLeavesOutTheDictionarysWords) {
    const std::vector<wv::Typo> all = wv::LikelyTypos("camera");
    ASSERT_GE(all.size(), 3u);
    // In another case than the list shows: the dictionary ignores case.
    wvtest::WriteFile(dir / "dict.lst", wv::AsciiUpper(all[0].variant) + "\n" + all[2].variant + "\n");
    window.reset();
    window = std::make_unique<wvtest::WorkbenchWindow>();
    ASSERT_TRUE(view().DictionaryHasWords());

    Run("camera");
    std::vector<std::string> variants = window->Column(1);
    EXPECT_EQ(std::count(variants.begin(), variants.end(), all[0].variant), 0);
    EXPECT_EQ(std::count(variants.begin(), variants.end(), all[2].variant), 0);
    EXPECT_EQ(variants.front(), all[1].variant);

    Command(wv::res::ID_VARIANTS_SKIP_REAL_WORDS);
    Run("camera");
    EXPECT_EQ(window->Column(1).front(), all[0].variant);
}

// The batches' rules are the list's run's (core); here they meet the button,
// the site and the list's Delete key.
TEST_F(LikelyTypos, SmartFindSendsTheBatchesInTurnAndDeletedRowsStartThemAgain) {
    Run("camera");
    const std::vector<std::string> variants = window->Column(1);
    int batches = 0;
    ASSERT_EQ(std::sscanf(SmartFindCaption().c_str(), "Smart Find 1/%d", &batches), 1) << SmartFindCaption();
    ASSERT_GE(batches, 2);
    const std::string first = PressSmartFind();
    EXPECT_TRUE(first.starts_with("/(" + variants[0] + ",")) << first;
    EXPECT_LE(PercentDecoded(first.substr(1)).size(), 350u);
    EXPECT_EQ(SmartFindCaption(), "Smart Find 2/" + std::to_string(batches));
    EXPECT_EQ(view().SelectedPanelEntry(), 2);
    EXPECT_EQ(view().KeywordGroup()->GetLabel(), "Navigate To Address");

    // A mode chosen after the run does not change what the list is.
    Command(wv::res::ID_VARIANTS_LETTER_ORDER);
    EXPECT_EQ(view().ListMode(), VariantMode::LikelyTypos);

    Command(wv::res::ID_SHOW_RESULTS);
    ASSERT_TRUE(list().IsShown());
    wxRect row;
    ASSERT_TRUE(list().GetItemRect(0, row));
    wxUIActionSimulator sim;
    sim.MouseMove(list().ClientToScreen(wxPoint(row.x + 200, row.y + row.height / 2)));
    sim.MouseClick();
    ASSERT_TRUE(PumpUntil([&] { return list().GetSelectedRows() == std::vector<int>{0}; }, 3s));
    sim.Char(WXK_DELETE);
    ASSERT_TRUE(PumpUntil([&] { return list().GetRowCount() + 1 == static_cast<int>(variants.size()); }, 3s));

    EXPECT_TRUE(SmartFindCaption().starts_with("Smart Find 1/")) << SmartFindCaption();
    const std::string after = PressSmartFind();
    EXPECT_TRUE(after.starts_with("/(" + variants[1] + ",")) << after;
    EXPECT_EQ(after.find("(" + variants[0] + ","), std::string::npos);
    EXPECT_EQ(after.find("," + variants[0] + ","), std::string::npos);
}

TEST_F(LikelyTypos, SmartFindsLongestCaptionFitsItsButtonBesideGo) {
    wxButton* smartFind = view().SmartFindButton();
    const wxString before = smartFind->GetLabel();
    smartFind->SetLabel("Smart Find 12/12");
    EXPECT_LE(smartFind->GetBestSize().x, smartFind->GetSize().x);
    smartFind->SetLabel(before);
    const wxRect button = smartFind->GetRect();
    EXPECT_TRUE(view().KeywordGroup()->GetRect().Contains(button));
    EXPECT_FALSE(view().GoButton()->GetRect().Intersects(button));
}

}  // namespace
