// File > Export List... with the tests' stand-in chooser and box: what reaches the file, and
// what the user is told when nothing does.
#include "ui/results/results_export.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "core/results/csv_export.h"
#include "gui_support.h"
#include "stand_in_services.h"
#include "test_paths.h"
#include "ui/results/results_list.h"

namespace {

class ResultsExport : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "export", wxPoint(10, 10), wxSize(700, 400));
        list = new wv::CResultsListCtrl(frame, 1005, wxPoint(0, 0), wxSize(680, 380));
        for (const char* title : {"Rank", "Likely Typo", "Kind"}) {
            wxListItem column;
            column.SetText(title);
            list->InsertColumn(list->GetColumnCount(), column);
        }
        wvtest::TestServices().SetExportFileChooser([this] {
            ++choices;
            return chosen;
        });
        wvtest::TestServices().SetMessageBoxHandler(
            [this](const std::string& text, const std::string&, long, wxWindow* owner) {
                EXPECT_EQ(owner, frame);
                told.push_back(text);
                return wxOK;
            });
    }
    void TearDown() override {
        wvtest::TestServices().SetExportFileChooser({});
        wvtest::TestServices().SetMessageBoxHandler({});
        frame->Destroy();
        wvtest::PumpFor(std::chrono::milliseconds(20));
    }
    wv::ExportOutcome Export(const std::filesystem::path& path) {
        chosen = wxString::FromUTF8(path.string());
        return wv::ExportResultsList(*list, frame, {"camera", 3, &folder});
    }

    wxFrame* frame = nullptr;
    wv::CResultsListCtrl* list = nullptr;
    wxString chosen;
    std::string folder;
    int choices = 0;
    std::vector<std::string> told;
    wvtest::ScopedTempDir dir;
};

TEST_F(ResultsExport, WritesTheRowsInTheListsOrderUnderTheirTitles) {
    list->InsertRow(0, {"2", "caf\xE9", "missing letter"});
    list->InsertRow(0, {"1", "say \"when\", then", "swapped letters"});
    list->SortByColumn(1, false);  // the sorted column's title is drawn by the header
    ASSERT_EQ(Export(dir / "list.csv"), wv::ExportOutcome::Written);
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(wvtest::ReadFile(dir / "list.csv"), std::string(wv::kUtf8ByteOrderMark) +
                                                      "Keyword,Rank,Likely Typo,Kind\r\n"
                                                      "camera,1,\"say \"\"when\"\", then\",swapped letters\r\n"
                                                      "camera,2,caf\xC3\xA9,missing letter\r\n");
    EXPECT_EQ(folder, dir.path().string());
}

TEST_F(ResultsExport, AnEmptyListACancelAndAFailedWriteLeaveTheDiskAlone) {
    EXPECT_EQ(Export(dir / "list.csv"), wv::ExportOutcome::NothingToExport);
    EXPECT_EQ(choices, 0);
    EXPECT_EQ(told.size(), 1u);

    list->InsertRow(0, {"1", "x"});
    EXPECT_EQ(Export(""), wv::ExportOutcome::Cancelled);
    EXPECT_EQ(told.size(), 1u);

    wvtest::WriteFile(dir / "plain", "old");
    const std::filesystem::path bad = dir / "plain" / "list.csv";  // under a file, not a folder
    EXPECT_EQ(Export(bad), wv::ExportOutcome::Failed);
    ASSERT_EQ(told.size(), 2u);
    EXPECT_NE(told[1].find(bad.string()), std::string::npos) << told[1];
    EXPECT_NE(told[1].find("cannot create"), std::string::npos) << told[1];
    EXPECT_EQ(wvtest::ReadFile(dir / "plain"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
