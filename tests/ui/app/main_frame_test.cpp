// The main frame in a real window: size, menu, status bar and the message
// pane's behaviour.
#include "ui/app/main_frame.h"

#include <initializer_list>
#include <string>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/prntbase.h>
#include <wx/statusbr.h>

#include "core/app/status_message.h"
#include "core/res/resource.h"
#include "core/typos/likely_typos.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "ui/app/tarnwick_app.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CMainFrame;

namespace {

class MainFrame : public ::testing::Test {
protected:
    wvtest::WorkbenchWindow window;
    CMainFrame* frame() { return window.frame(); }
    std::string Pane(int n) { return wv::ToAnsi(frame()->GetStatusBar()->GetStatusText(n)); }

    void Highlight(int id) {
        wxMenuEvent event(wxEVT_MENU_HIGHLIGHT, id);
        event.SetEventObject(frame());
        frame()->ProcessWindowEvent(event);
    }
    void CloseMenu() {
        wxMenuEvent event(wxEVT_MENU_CLOSE, wxID_ANY, frame()->GetMenuBar()->GetMenu(0));
        event.SetEventObject(frame());
        frame()->ProcessWindowEvent(event);
    }
};

}  // namespace

TEST_F(MainFrame, FixedSizeWithoutMaximiseBox) {
    ASSERT_NE(frame(), nullptr);
    EXPECT_FALSE(frame()->HasFlag(wxMAXIMIZE_BOX));
    EXPECT_FALSE(frame()->HasFlag(wxRESIZE_BORDER));
    EXPECT_EQ(frame()->GetMinSize(), frame()->GetMaxSize());
    EXPECT_EQ(frame()->GetMinSize(), frame()->GetSize());
    // The form's initial update shrank it from 1000 x 800 to fit the form.
    EXPECT_LE(frame()->GetSize().x, 1000);
    EXPECT_LE(frame()->GetSize().y, 800);
    EXPECT_EQ(frame()->GetTitle(), "Wordvane Version 1.0");
    EXPECT_TRUE(frame()->GetIcon().IsOk());
}

TEST_F(MainFrame, MenuAndStatusBar) {
    wxMenuBar* bar = frame()->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 3u);
    EXPECT_EQ(bar->GetMenuLabel(0), "&File");
    EXPECT_EQ(bar->GetMenuLabel(1), "&Variants");
    EXPECT_EQ(bar->GetMenuLabel(2), "&Help");
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 7u);
    EXPECT_EQ(file->FindItemByPosition(0)->GetId(), wv::res::ID_FILE_EXPORT_LIST);
    EXPECT_EQ(file->FindItemByPosition(0)->GetItemLabel(), "&Export List...");
    EXPECT_TRUE(file->FindItemByPosition(1)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(2)->GetId(), wxID_PRINT);
    EXPECT_EQ(file->FindItemByPosition(3)->GetId(), wxID_PREVIEW);
    EXPECT_EQ(file->FindItemByPosition(4)->GetId(), wxID_PRINT_SETUP);
    EXPECT_TRUE(file->FindItemByPosition(5)->IsSeparator());
    EXPECT_EQ(file->FindItemByPosition(6)->GetId(), wxID_EXIT);
    EXPECT_EQ(bar->GetMenu(2)->FindItemByPosition(0)->GetItemLabel(), "&About Wordvane");

    wxStatusBar* status = frame()->GetStatusBar();
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->GetFieldsCount(), 4);
    EXPECT_EQ(Pane(1), wv::kVendorNotice);
    EXPECT_EQ(Pane(0), "");
}

TEST_F(MainFrame, VariantsMenuItemsChooseWhatTheNextGoLists) {
    const std::pair<const char*, std::string> choices[] = {{"Likely Typos", wv::LikelyTypos("ab").at(0).variant},
                                                           {"Letter Order", "ba"}};
    for (const auto& [label, first] : choices) {
        // Found by its label, as the user finds it.
        wxCommandEvent choose(wxEVT_MENU, frame()->GetMenuBar()->FindMenuItem("Variants", label));
        frame()->ProcessWindowEvent(choose);
        window.TypeKeyword("ab");
        window.ClickGo();
        EXPECT_TRUE(wvtest::PumpUntil([&] { return !window.view()->IsGeneratorBusy() && window.GoCaption() == "Go"; }));
        EXPECT_EQ(window.Column(1).at(0), first) << label;
    }
    wv::TheApp().SetVariantSettings({});
}

TEST_F(MainFrame, PointingAtFileItemsShowsTheNoticeAndClosingBringsBackTheLastText) {
    const std::initializer_list<int> items = {wv::res::ID_FILE_EXPORT_LIST,
                                              wxID_PRINT,
                                              wxID_PREVIEW,
                                              wxID_PRINT_SETUP,
                                              wxID_EXIT,
                                              wv::res::ID_VARIANTS_LETTER_ORDER,
                                              wv::res::ID_VARIANTS_SKIP_REAL_WORDS};
    for (int id : items) {
        Highlight(id);
        EXPECT_EQ(Pane(0), wv::kVendorNotice) << id;
    }
    CloseMenu();
    EXPECT_EQ(Pane(0), "");  // nothing given explicitly yet

    frame()->SetMessageText("last explicit");
    EXPECT_EQ(Pane(0), wv::kVendorNotice);
    Highlight(wxID_ABOUT);
    EXPECT_EQ(Pane(0), wv::kVendorNotice);
    CloseMenu();
    EXPECT_EQ(Pane(0), "last explicit");
    EXPECT_EQ(frame()->GetStatusText(), "last explicit");
}

TEST_F(MainFrame, MessageHandlerReturnsThePreviousIdentifier) {
    frame()->OnSetMessageString(wv::kIdIdleMessage, nullptr);
    EXPECT_EQ(frame()->OnSetMessageString(57607, nullptr), wv::kIdIdleMessage);
    EXPECT_EQ(frame()->OnSetMessageString(0, nullptr), 57607);
    EXPECT_EQ(Pane(0), "");
}

TEST_F(MainFrame, FormattedStatusTextIsCutAt255Bytes) {
    frame()->FormatStatusText("%s%s", std::string(200, 'a').c_str(), std::string(100, 'b').c_str());
    EXPECT_EQ(frame()->GetStatusText().size(), 255u);
    EXPECT_EQ(frame()->GetStatusText(), std::string(200, 'a') + std::string(55, 'b'));
    EXPECT_EQ(Pane(0), wv::kVendorNotice);
    // The notice is safe as a format text.
    frame()->FormatStatusText(wv::kVendorNotice);
    EXPECT_EQ(frame()->GetStatusText(), wv::kVendorNotice);
}

TEST_F(MainFrame, DocumentNamesDoNotReplaceTheCaption) {
    wxCommandEvent newDocument(wxEVT_MENU, wxID_NEW);
    frame()->ProcessWindowEvent(newDocument);
    EXPECT_EQ(frame()->GetTitle(), "Wordvane Version 1.0");
}

TEST_F(MainFrame, PrintPreviewChangesTheCloseItemsPrompt) {
    wxCommandEvent preview(wxEVT_MENU, wxID_PREVIEW);
    frame()->ProcessWindowEvent(preview);
    wxPreviewFrame* previewFrame = nullptr;
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* found = wxDynamicCast(window, wxPreviewFrame)) previewFrame = found;
    if (!previewFrame) GTEST_SKIP() << "no print preview on this system";

    frame()->OnSetMessageString(wv::kIdWindowClose, nullptr);
    EXPECT_EQ(Pane(0), "Close print preview mode");
    previewFrame->Close(true);
    EXPECT_TRUE(wvtest::PumpUntil([&] {
        for (wxWindow* window : wxTopLevelWindows)
            if (wxDynamicCast(window, wxPreviewFrame)) return false;
        return true;
    }));
    frame()->OnSetMessageString(wv::kIdWindowClose, nullptr);
    EXPECT_EQ(Pane(0), "Close the active window and prompts to save the documents");
}
