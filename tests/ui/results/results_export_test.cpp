// File > Export List... with stand-in prompts: what reaches the file, and
// what the user is told when nothing does.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "core/results/csv_export.h"
#include "gui_support.h"
#include "test_paths.h"
#include "ui/results/results_export.h"
#include "ui/results/results_list.h"

using namespace std::chrono_literals;

namespace {

class ResultsExport : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "export", wxPoint(10, 10), wxSize(700, 400));
        list = new wv::CResultsListCtrl(frame, 1005, wxPoint(0, 0), wxSize(680, 380));
        const char* titles[] = {"Rank", "Likely Typo", "Kind"};
        for (int i = 0; i < 3; ++i) {
            wxListItem column;
            column.SetText(titles[i]);
            column.SetWidth(150);
            list->InsertColumn(i, column);
        }
        prompts.chooseFile = [this](wxWindow* owner) {
            EXPECT_EQ(owner, frame);
            ++choices;
            return chosen;
        };
        prompts.tell = [this](wxWindow* owner, const std::string& text) {
            EXPECT_EQ(owner, frame);
            told.push_back(text);
        };
    }
    void TearDown() override {
        frame->Destroy();
        wvtest::PumpFor(20ms);
    }
    wv::ExportOutcome Export() { return wv::ExportResultsList(*list, frame, prompts); }

    wxFrame* frame = nullptr;
    wv::CResultsListCtrl* list = nullptr;
    wv::ExportPrompts prompts;
    wxString chosen;
    int choices = 0;
    std::vector<std::string> told;
    wvtest::ScopedTempDir dir;
};

TEST_F(ResultsExport, WritesTheRowsInTheListsOrderUnderTheirTitles) {
    list->InsertRow(0, {"2", "caf\xE9", "missing letter"});
    list->InsertRow(0, {"1", "say \"when\", then", "swapped letters"});
    list->SortByColumn(1, false);  // the sorted column's title is drawn by the header
    const std::filesystem::path file = dir / "list.csv";
    chosen = wxString::FromUTF8(file.string());
    ASSERT_EQ(Export(), wv::ExportOutcome::Written);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(wvtest::ReadFile(file), std::string(wv::kUtf8ByteOrderMark) +
                                          "Rank,Likely Typo,Kind\r\n"
                                          "1,\"say \"\"when\"\", then\",swapped letters\r\n"
                                          "2,caf\xC3\xA9,missing letter\r\n");
}

TEST_F(ResultsExport, AnEmptyListOrACancelledChoiceWritesNothing) {
    chosen = wxString::FromUTF8((dir / "list.csv").string());
    EXPECT_EQ(Export(), wv::ExportOutcome::NothingToExport);
    EXPECT_EQ(choices, 0);
    ASSERT_EQ(told.size(), 1u);

    list->InsertRow(0, {"1", "x"});
    chosen.clear();
    EXPECT_EQ(Export(), wv::ExportOutcome::Cancelled);
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(told.size(), 1u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ResultsExport, AFileThatCannotBeWrittenIsReportedWithItsName) {
    list->InsertRow(0, {"1", "x"});
    wvtest::WriteFile(dir / "plain", "old");
    const std::string bad = (dir / "plain" / "list.csv").string();
    chosen = wxString::FromUTF8(bad);
    EXPECT_EQ(Export(), wv::ExportOutcome::Failed);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(bad), std::string::npos) << told[0];
    EXPECT_NE(told[0].find("cannot create"), std::string::npos) << told[0];
    EXPECT_EQ(wvtest::ReadFile(dir / "plain"), "old");
}

} // namespace
