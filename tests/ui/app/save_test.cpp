// Save and Save As on a fresh and on an opened document: no dialog, no file
// written, no change to the recent-files list.
#include <filesystem>

#include <gtest/gtest.h>
#include <wx/docview.h>
#include <wx/timer.h>
#include <wx/toplevel.h>

#include "gui_support.h"
#include "gui_workbench.h"
#include "test_paths.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/workbench/tarnwick_doc.h"

namespace {

using wvtest::SendCommand;

// Counts the dialogs that come up while the command runs and answers them,
// so that a regression fails the test instead of hanging it.
int DialogsDuring(wxWindow* frame, int id) {
    int dialogs = 0;
    wxTimer closer;
    closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { dialogs += wv::CTarnwickApp::CancelShownDialogs(); });
    closer.Start(50);
    SendCommand(frame, id);
    closer.Stop();
    return dialogs;
}

}  // namespace

TEST(Documents, SaveAndSaveAsNeverAskWriteOrRecordAFile) {
    wvtest::WorkbenchWindow window;
    wxDocManager* manager = window.doc()->GetDocumentManager();
    const size_t history = manager->GetHistoryFilesCount();
    wvtest::ScopedTempDir dir;
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());

    EXPECT_EQ(DialogsDuring(window.frame(), wxID_SAVE), 0);
    EXPECT_EQ(DialogsDuring(window.frame(), wxID_SAVEAS), 0);
    EXPECT_EQ(manager->GetHistoryFilesCount(), history);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
    std::filesystem::current_path(before);
}
