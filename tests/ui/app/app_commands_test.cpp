// The application's commands in the real window: New, Open and Save keep
// the one document, the About box, and the external browser launcher's box.
#include <chrono>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/docview.h>
#include <wx/stattext.h>
#include <wx/toplevel.h>
#include <wx/webview.h>

#include "app_fixture.h"
#include "core/marshal/ui_marshal.h"
#include "gui_support.h"
#include "gui_workbench.h"
#include "platform/code_page.h"
#include "stand_in_launchers.h"
#include "test_paths.h"
#include "ui/app/about_dlg.h"
#include "ui/app/main_frame.h"
#include "ui/app/tarnwick_app.h"
#include "ui/browser/fix_html_view.h"
#include "ui/results/results_list.h"
#include "ui/workbench/tarnwick_doc.h"
#include "ui/workbench/tarnwick_view.h"

using wv::CAboutDlg;
using wv::CFixHtmlView;
using wv::CTarnwickDoc;
using wv::CTarnwickView;

using namespace std::chrono_literals;
using wvtest::PumpUntil;

namespace {

using wvtest::SendCommand;

CAboutDlg* FindAboutBox() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dlg = wxDynamicCast(window, CAboutDlg)) return dlg;
    return nullptr;
}

std::vector<std::string> Texts(wxWindow* parent) {
    std::vector<std::string> texts;
    for (wxWindow* child : parent->GetChildren())
        if (auto* text = wxDynamicCast(child, wxStaticText)) texts.push_back(wv::ToAnsi(text->GetLabel()));
    return texts;
}

}  // namespace

TEST(Documents, NewAndOpenReuseTheDocumentAndViewAndSaveWritesNothing) {
    wvtest::WorkbenchWindow window;
    CTarnwickDoc* doc = window.doc();
    CTarnwickView* view = window.view();
    ASSERT_NE(view, nullptr);
    wxDocManager* manager = doc->GetDocumentManager();
    auto* list = view->ResultsList();

    // Browser mode, then New: back to results mode with the same objects.
    view->SelectPanelEntry(3);
    view->ShowBrowserPane();
    SendCommand(window.frame(), wxID_NEW);
    EXPECT_EQ(manager->GetDocuments().GetCount(), 1u);
    EXPECT_EQ(window.doc(), doc);
    EXPECT_EQ(doc->GetFirstView(), view);
    EXPECT_EQ(view->SelectedPanelEntry(), 1);
    EXPECT_TRUE(list->IsShown());
    EXPECT_EQ(list->GetColumnCount(), 3);  // the columns were not inserted again
    if (view->BrowserPane()) {
        EXPECT_FALSE(view->BrowserPane()->GetWindow()->IsShown());
    }

    wvtest::ScopedTempDir dir;
    const auto file = dir / "words.wvd";
    wvtest::WriteFile(file, "the user's own file");
    wvtest::TestServices().SetOpenFileChooser([&] { return wxString(file.string()); });
    SendCommand(window.frame(), wxID_OPEN);
    wvtest::TestServices().SetOpenFileChooser({});
    EXPECT_EQ(manager->GetDocuments().GetCount(), 1u);
    EXPECT_EQ(window.doc(), doc);
    EXPECT_EQ(doc->GetFirstView(), view);
    EXPECT_EQ(doc->GetFilename(), file.string());
    ASSERT_GE(manager->GetHistoryFilesCount(), 1u);
    EXPECT_EQ(manager->GetHistoryFile(0), file.string());

    SendCommand(window.frame(), wxID_SAVE);
    EXPECT_EQ(wvtest::ReadFile(file), "the user's own file");
    EXPECT_TRUE(doc->OnSaveDocument(file.string()));
    EXPECT_EQ(wvtest::ReadFile(file), "the user's own file");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(Documents, CancelledOpenChangesNothing) {
    wvtest::WorkbenchWindow window;
    const wxString before = window.doc()->GetFilename();
    wvtest::TestServices().SetOpenFileChooser([] { return wxString(); });
    SendCommand(window.frame(), wxID_OPEN);
    wvtest::TestServices().SetOpenFileChooser({});
    EXPECT_EQ(window.doc()->GetFilename(), before);
}

TEST(AboutBox, ShowsTheProgramAndClosesWithEscapeOrOk) {
    wvtest::WorkbenchWindow window;
    for (bool escape : {true, false}) {
        bool inspected = false;
        wxTheApp->CallAfter([&] {
            CAboutDlg* about = FindAboutBox();
            ASSERT_NE(about, nullptr);
            EXPECT_TRUE(about->IsModal());
            EXPECT_EQ(about->GetTitle(), "About Wordvane");
            EXPECT_EQ(about->GetClientSize(), wxSize(272, 158));  // 181 x 97 dialog units
            auto texts = Texts(about);
            EXPECT_NE(std::find(texts.begin(), texts.end(), "Auction Wordvane Version 1.0"), texts.end());
            EXPECT_EQ(texts.size(), 3u);
            inspected = true;
            if (escape) {
                wxKeyEvent key(wxEVT_CHAR_HOOK);
                key.m_keyCode = WXK_ESCAPE;
                about->ProcessWindowEvent(key);
            } else {
                auto* ok = wxDynamicCast(about->FindWindow(wxID_OK), wxButton);
                ASSERT_NE(ok, nullptr);
                wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
                click.SetEventObject(ok);
                ok->ProcessWindowEvent(click);
            }
        });
        // Reaches the application object at the end of the command route;
        // returns when the box has closed.
        SendCommand(window.frame(), wxID_ABOUT);
        EXPECT_TRUE(inspected);
        EXPECT_TRUE(PumpUntil([] { return FindAboutBox() == nullptr; }, 5s));
    }
}

TEST(ExternalBrowser, FailingLauncherShowsTheBoxOnTheUiThread) {
    wvtest::StandInLaunchers launchers;
    launchers.Add("xdg-open", 1);
    wvtest::ScopedEnv path("PATH", launchers.Dir().string());
    wvtest::ScopedEnv browser("BROWSER", std::nullopt);
    bool onUiThread = false;
    wvtest::RecordedBoxes boxes;
    wvtest::TestServices().SetMessageBoxHandler(
        [&](const std::string& text, const std::string& caption, long style, wxWindow*) {
            onUiThread = wv::IsUiThread();
            boxes.boxes.push_back({text, caption, style, false});
            return wxOK;
        });
    wv::Services().LaunchBrowser("http://example.com/banner");
    ASSERT_TRUE(wvtest::TestServices().WaitForLaunches(10s));
    ASSERT_TRUE(PumpUntil([&] { return !boxes.boxes.empty(); }, 5s));
    EXPECT_EQ(boxes.boxes[0].text, "Failed to get IWebBrowser2 interface. HRESULT");
    EXPECT_EQ(boxes.boxes[0].caption, "Wordvane");
    EXPECT_TRUE(boxes.boxes[0].style & wxICON_WARNING);
    EXPECT_TRUE(onUiThread);
    EXPECT_EQ(launchers.Recorded(), std::vector<std::string>{"1|http://example.com/banner"});
}

TEST(ExternalBrowser, MissingLauncherOrBadAddressShowsNothing) {
    wvtest::StandInLaunchers launchers;  // an empty folder: no launcher at all
    wvtest::ScopedEnv path("PATH", launchers.Dir().string());
    wvtest::ScopedEnv browser("BROWSER", std::nullopt);
    wvtest::RecordedBoxes boxes;
    wv::Services().LaunchBrowser("http://example.com/");
    wv::Services().LaunchBrowser("");
    ASSERT_TRUE(wvtest::TestServices().WaitForLaunches(10s));
    wvtest::PumpFor(200ms);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST(ExternalBrowser, PageAskingForANewWindowOpensTheDesktopBrowser) {
    wvtest::StandInLaunchers launchers;
    launchers.Add("xdg-open");
    wvtest::ScopedEnv path("PATH", launchers.Dir().string());
    wvtest::ScopedEnv browser("BROWSER", std::nullopt);
    wvtest::WorkbenchWindow window;
    CFixHtmlView* pane = window.view()->BrowserPane();
    ASSERT_NE(pane, nullptr);
    wxWebViewEvent request(wxEVT_WEBVIEW_NEWWINDOW, pane->GetBrowser()->GetId(), "http://example.com/popup", "");
    request.SetEventObject(pane->GetBrowser());
    pane->GetBrowser()->ProcessWindowEvent(request);
    ASSERT_TRUE(wvtest::TestServices().WaitForLaunches(10s));
    EXPECT_EQ(launchers.Recorded(), std::vector<std::string>{"1|http://example.com/popup"});
}
